#include "ui/game/game_window.h"

#include "platform/path.h"
#include "ui/game/game_list_model.h"
#include "ui/game/game_thumbnails.h"
#include "ui/session/session.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

namespace {

template <class T> T* Named(T* w, const QString& name, const QString& accessible) {
    w->setObjectName(name);
    w->setAccessibleName(accessible);
    return w;
}

} // namespace

cGameWindow::cGameWindow(cSession& session, QWidget* parent)
    : QWidget(parent, Qt::Window), session_(session),
      thumbnails_(new cGameThumbnails(session.config(), session.workspace(), this)),
      model_(new cGameListModel(session, *thumbnails_, this)) {
    setObjectName(QStringLiteral("gameWindow"));
    setAccessibleName(tr("Game"));
    summary_ = Named(new QLabel(this), QStringLiteral("gameSummary"), tr("Game"));
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    table_ = Named(new QTableView(this), QStringLiteral("gameAnimations"), tr("Animations of the game"));
    table_->setModel(model_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
    table_->setIconSize(QSize(cGameThumbnails::kWidth, cGameThumbnails::kHeight));
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setDefaultSectionSize(cGameThumbnails::kHeight + 4);
    table_->horizontalHeader()->setStretchLastSection(false);
    table_->horizontalHeader()->setSectionResizeMode(cGameListModel::kColumnName, QHeaderView::Stretch);
    table_->setColumnWidth(cGameListModel::kColumnPicture, cGameThumbnails::kWidth + 12);
    table_->setColumnWidth(cGameListModel::kColumnId, 48);
    table_->setColumnWidth(cGameListModel::kColumnFrames, 64);

    open_ = Named(new QPushButton(tr("&Open"), this), QStringLiteral("gameOpen"), tr("Open"));
    new_ = Named(new QPushButton(tr("&New"), this), QStringLiteral("gameNew"), tr("New"));
    rename_ = Named(new QPushButton(tr("&Rename"), this), QStringLiteral("gameRename"), tr("Rename"));
    auto* close = Named(new QPushButton(tr("Close"), this), QStringLiteral("gameClose"), tr("Close"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(open_);
    buttons->addWidget(new_);
    buttons->addWidget(rename_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_, 1);
    layout->addLayout(buttons);

    connect(open_, &QPushButton::clicked, this, &cGameWindow::openCurrent);
    connect(new_, &QPushButton::clicked, this, &cGameWindow::addNew);
    connect(rename_, &QPushButton::clicked, this, &cGameWindow::renameCurrent);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(table_, &QTableView::doubleClicked, this, [this](const QModelIndex& index) {
        if (index.column() != cGameListModel::kColumnName) openCurrent();
    });
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &cGameWindow::updateButtons);
    // Queued: a rename is written while the table's editor is still committing its text.
    connect(&session_, &cSession::gameChanged, this, &cGameWindow::reload, Qt::QueuedConnection);
    resize(460, 560);
    reload();
}

int cGameWindow::currentId() const {
    const QModelIndex index = table_->currentIndex();
    return index.isValid() ? model_->idOf(index.row()) : 0;
}

void cGameWindow::selectId(int id) {
    const int row = model_->rowOf(id);
    if (row < 0) return;
    table_->setCurrentIndex(model_->index(row, cGameListModel::kColumnName));
    table_->scrollTo(model_->index(row, cGameListModel::kColumnName));
}

void cGameWindow::reload() {
    const int keep = currentId() ? currentId() : session_.gameAnimation();
    model_->reload();
    const game::cGame* g = session_.game();
    if (g && g->isOpen()) {
        const QString name = QString::fromStdString(platform::FileNamePart(g->location().folder));
        setWindowTitle(tr("Game: %1").arg(name));
        summary_->setText(tr("%1 (%2)\n%3")
                              .arg(name, QString::fromUtf8(g->productName()),
                                   QString::fromStdString(g->location().database)));
    } else {
        setWindowTitle(tr("Game"));
        summary_->setText(tr("No game is open. File > Open game project..."));
    }
    selectId(keep);
    updateButtons();
}

void cGameWindow::updateButtons() {
    const bool open = session_.game() && session_.game()->isOpen();
    const bool row = currentId() > 0;
    open_->setEnabled(row);
    rename_->setEnabled(row);
    new_->setEnabled(open);
}

bool cGameWindow::openCurrent() {
    const int id = currentId();
    return id > 0 && session_.openGameAnimation(id);
}

bool cGameWindow::addNew() {
    if (!session_.newGameAnimation(tr("New animation"))) return false;
    // The list reloads when the event loop runs; the new animation is the last row then, and its
    // name is edited at once.
    const int id = session_.gameAnimation();
    QTimer::singleShot(0, this, [this, id] {
        selectId(id);
        renameCurrent();
    });
    return true;
}

void cGameWindow::renameCurrent() {
    const QModelIndex index = table_->currentIndex();
    if (!index.isValid()) return;
    table_->setFocus();
    table_->edit(model_->index(index.row(), cGameListModel::kColumnName));
}

void cGameWindow::keyPressEvent(QKeyEvent* e) {
    // The table passes Enter on when no name is being edited (an editor takes it itself).
    if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
        openCurrent();
        return;
    }
    QWidget::keyPressEvent(e);
}
