#pragma once
// A report list of the list window (pictures or effects): one selected row, and files dropped on a
// row reported with that row.

#include <QTreeView>

class cSourceListView : public QTreeView {
    Q_OBJECT
  public:
    explicit cSourceListView(QWidget* parent = nullptr);
    // The selected row, or -1.
    int selectedRow() const;
    void selectRow(int row);

  signals:
    void fileDropped(int row, const QString& path);

  protected:
    bool event(QEvent* e) override;
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragMoveEvent(QDragMoveEvent* e) override;
    void dropEvent(QDropEvent* e) override;
};
