#include "ui/dialogs/dlg_help.h"

#include "ui/dialogs/dialog_helpers.h"
#include "ui/shell/access_letters.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {
QTableWidget* NewTable(QWidget* parent, const QString& name, const QString& title,
                       const QStringList& headers) {
    auto* table = Named(new QTableWidget(0, int(headers.size()), parent), name, title);
    table->setHorizontalHeaderLabels(headers);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    return table;
}

void AddRow(QTableWidget* table, const QStringList& cells) {
    const int row = table->rowCount();
    table->insertRow(row);
    for (int c = 0; c < cells.size(); ++c)
        table->setItem(row, c, new QTableWidgetItem(cells[c]));
}
} // namespace

cDlg_Help::cDlg_Help(const QList<QAction*>& actions, const QString& rotateKey, const QString& scaleKey,
                     QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("helpDialog"));
    setAccessibleName(tr("Help"));
    setWindowTitle(tr("Help"));
    auto* gestures = NewTable(this, QStringLiteral("helpGestures"), tr("Mouse gestures"),
                              {tr("Gesture"), tr("Keys"), tr("What it does")});
    const QStringList rows[] = {
        {tr("Click a cell"), QString(), tr("Selects it and makes it the current cell")},
        {tr("Ctrl+click a cell"), tr("Ctrl"), tr("Adds it to the selection or takes it out")},
        {tr("Drag a cell (Move tool)"), tr("Shift: no snapping"), tr("Moves the selected cells")},
        {tr("Drag a cell holding %1").arg(rotateKey), rotateKey, tr("Rotates the cell about its position")},
        {tr("Drag a cell holding %1").arg(scaleKey), scaleKey, tr("Scales the cell about its position")},
        {tr("Drag a cell (Rotate tool)"), tr("Shift: no snapping"),
         tr("Rotates the cell about its position")},
        {tr("Drag a cell (Scale tool)"), tr("Shift: no snapping"), tr("Scales the cell about its position")},
        {tr("Drag a band, then click (Pivot tool)"), QString(),
         tr("Sets a pivot, then rotates and scales the selected cells about it")},
        {tr("Drag a band, then click (Spline tool)"), QString(), tr("Moves the current cell along a curve")},
        {tr("Drag a pattern from the palette"), QString(),
         tr("Places a new cell, or changes the cell dropped on")},
        {tr("Right click"), tr("Menu key, Shift+F10"), tr("Opens the canvas menu (at the current cell)")},
        {tr("Middle drag"), QString(), tr("Pans the view (double-click: back to the origin)")},
        {tr("Wheel"), tr("Ctrl+wheel"), tr("Scrolls; with Ctrl zooms about the pointer")},
        {tr("Tab"), tr("Shift+Tab"),
         tr("Makes the next (previous) cell of the frame the current one; after the last cell (before "
            "the first) moves on to the next (previous) control")},
        {tr("Ctrl+Tab"), tr("Ctrl+Shift+Tab"), tr("Leaves the canvas for the next (previous) control")},
        {tr("Arrow keys"), tr("Shift+arrow"),
         tr("Move the selected cells by one pixel (by the position step)")},
        {tr("Escape"), QString(), tr("Cancels a drag or stops playback")},
    };
    for (const QStringList& row : rows)
        AddRow(gestures, row);
    gestures->resizeColumnsToContents();
    auto* table = NewTable(this, QStringLiteral("helpShortcuts"), tr("Keyboard shortcuts"),
                           {tr("Keys"), tr("Command")});
    for (const QAction* a : actions) {
        if (a->shortcuts().isEmpty()) continue;
        QStringList keys;
        for (const QKeySequence& k : a->shortcuts())
            keys << k.toString(QKeySequence::NativeText);
        AddRow(table, {keys.join(QStringLiteral(", ")), WithoutAccessLetter(a->text())});
    }
    table->sortItems(1);
    table->resizeColumnsToContents();
    auto* text = new QLabel(tr("The status bar names what a drag does where the pointer is. The user guide "
                               "(docs/guide.md) and the docs folder describe every window."),
                            this);
    text->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Named(new QLabel(tr("Mouse gestures"), this), QStringLiteral("helpGesturesTitle"),
                            tr("Mouse gestures")));
    layout->addWidget(gestures, 3);
    layout->addWidget(Named(new QLabel(tr("Keyboard shortcuts"), this), QStringLiteral("helpShortcutsTitle"),
                            tr("Keyboard shortcuts")));
    layout->addWidget(table, 2);
    layout->addWidget(text);
    layout->addWidget(buttons);
    resize(640, 640);
}
