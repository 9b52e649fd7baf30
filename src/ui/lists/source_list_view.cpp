#include "ui/lists/source_list_view.h"

#include "ui/lists/local_shortcuts.h"
#include "ui/lists/record_dialog.h"

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

cSourceListView::cSourceListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setContextMenuPolicy(Qt::CustomContextMenu);
    setAcceptDrops(true);
    setDropIndicatorShown(false);
    viewport()->setAcceptDrops(true);
}

int cSourceListView::selectedRow() const {
    const QModelIndex i = currentIndex();
    return i.isValid() && selectionModel() && selectionModel()->isRowSelected(i.row(), {}) ? i.row() : -1;
}

void cSourceListView::selectRow(int row) {
    if (!model() || row < 0 || row >= model()->rowCount()) return;
    const QModelIndex i = model()->index(row, 0);
    selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    scrollTo(i);
}

bool cSourceListView::event(QEvent* e) {
    if (HandleLocalShortcut(this, e)) return true;
    return QTreeView::event(e);
}

void cSourceListView::dragEnterEvent(QDragEnterEvent* e) {
    if (FirstLocalFile(e->mimeData()).isEmpty()) return;
    e->acceptProposedAction();
}

void cSourceListView::dragMoveEvent(QDragMoveEvent* e) {
    if (indexAt(e->position().toPoint()).isValid())
        e->acceptProposedAction();
    else
        e->ignore();
}

void cSourceListView::dropEvent(QDropEvent* e) {
    const QString file = FirstLocalFile(e->mimeData());
    const QModelIndex i = indexAt(e->position().toPoint());
    if (file.isEmpty() || !i.isValid()) return;
    e->acceptProposedAction();
    selectRow(i.row());
    emit fileDropped(i.row(), file);
}
