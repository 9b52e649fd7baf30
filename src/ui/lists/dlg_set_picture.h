#pragma once
// The "Image settings" dialog: the path, the divisions and the hue of one picture record. It edits
// the copy handed to it; "Apply" writes the controls into that copy and accepts, and the opener
// stores it. A file dropped on the dialog or chosen with "Open" becomes the path, relative to the
// document's base folder where possible.

#include "document/picture.h"

#include <QDialog>

class cSession;
class QComboBox;
class QLineEdit;
class QSpinBox;

class cDlg_SetPicture : public QDialog {
    Q_OBJECT
  public:
    cDlg_SetPicture(cSession& session, int index, const strPicture& record, QWidget* parent = nullptr);
    // The record with the controls written by "Apply".
    const strPicture& record() const { return record_; }
    // Sets the path field from a file on disk (relative to the base folder where possible).
    void setFile(const QString& file);
    void apply();

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    cSession& session_;
    strPicture record_;
    QLineEdit* path_;
    QComboBox* division_;
    QSpinBox* divX_;
    QSpinBox* divY_;
    QSpinBox* hue_;
};
