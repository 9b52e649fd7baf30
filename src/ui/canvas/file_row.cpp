#include "ui/canvas/file_row.h"

#include "ui/canvas/canvas_messages.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/platform/prompts.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

cFileRow::cFileRow(cPrompts& prompts, const QString& filter, const QString& name, QWidget* parent)
    : QWidget(parent), prompts_(prompts), filter_(filter) {
    Named(this, name, CanvasString(kCanvasFile));
    edit_ = Named(new QLineEdit(this), name + QStringLiteral("Path"), CanvasString(kCanvasFile));
    edit_->setReadOnly(true);
    edit_->setMinimumWidth(220);
    auto* browse = Named(new QPushButton(CanvasString(kCanvasBrowse), this), name + QStringLiteral("Browse"),
                         tr("Choose a file"));
    auto* clear = Named(new QPushButton(CanvasString(kCanvasClear), this), name + QStringLiteral("Clear"),
                        CanvasString(kCanvasClear));
    browse->setMaximumWidth(32);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(edit_, 1);
    row->addWidget(browse);
    row->addWidget(clear);
    connect(browse, &QPushButton::clicked, this, [this] {
        const QString chosen = prompts_.openFileName(QFileInfo(edit_->text()).absolutePath(), filter_);
        if (!chosen.isEmpty()) emit this->chosen(chosen);
    });
    connect(clear, &QPushButton::clicked, this, [this] { emit chosen(QString()); });
}

QString cFileRow::path() const {
    return edit_->text();
}

void cFileRow::setPath(const QString& path) {
    edit_->setText(path);
}
