#include "ui/dialogs/dlg_help.h"

#include "ui/dialogs/dialog_helpers.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

cDlg_Help::cDlg_Help(const QList<QAction*>& actions, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("helpDialog"));
    setAccessibleName(tr("Help"));
    setWindowTitle(tr("Help"));
    auto* table =
        Named(new QTableWidget(0, 2, this), QStringLiteral("helpShortcuts"), tr("Keyboard shortcuts"));
    table->setHorizontalHeaderLabels({tr("Keys"), tr("Command")});
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (const QAction* a : actions) {
        if (a->shortcuts().isEmpty()) continue;
        QStringList keys;
        for (const QKeySequence& k : a->shortcuts())
            keys << k.toString(QKeySequence::NativeText);
        const int row = table->rowCount();
        table->insertRow(row);
        table->setItem(row, 0, new QTableWidgetItem(keys.join(QStringLiteral(", "))));
        table->setItem(row, 1, new QTableWidgetItem(a->text().remove(QLatin1Char('&'))));
    }
    table->sortItems(1);
    table->resizeColumnsToContents();
    auto* text = new QLabel(
        tr("On the canvas: drag a cell to move it; hold A while dragging to rotate it, S to scale it. The "
           "wheel scrolls, Ctrl+wheel zooms about the pointer, the middle button pans (double-click: back to "
           "the origin). The arrow keys move the selected cells by one pixel (with Shift: by the position "
           "step); Escape cancels a drag or stops playback. The README and the docs folder describe every "
           "window."),
        this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(460, 520);
}
