#pragma once
// The "Image settings" dialog: the path, the divisions and the hue of one picture record, and the
// project's division method (by number of patterns or by pattern size). It edits the copy handed
// to it; "Apply" writes the controls into that copy and accepts, and the opener
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
    // The project's split format chosen in "Division method" (it divides every picture).
    int splitFormat() const { return splitFormat_; }
    // Sets the path field from a file on disk (relative to the base folder where possible).
    void setFile(const QString& file);
    void apply();

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    // The units of the division fields: patterns across and down, or a pattern's size in pixels.
    void showDivisionUnit();

    cSession& session_;
    strPicture record_;
    int splitFormat_ = 0;
    QLineEdit* path_;
    QComboBox* division_;
    QSpinBox* divX_;
    QSpinBox* divY_;
    QSpinBox* hue_;
};
