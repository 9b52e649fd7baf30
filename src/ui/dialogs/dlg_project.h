#pragma once
// The Project window: name, user data, centre position, save format, intervals, cell number, split
// format, lock and edit format. Apply stores them as one undo step "Project settings"; a smaller
// cell number or a new lock or edit format rewrites cells, and the step keeps what it rewrote.

#include <QDialog>

class cSession;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

class cDlg_Project : public QDialog {
    Q_OBJECT
  public:
    explicit cDlg_Project(cSession& session, QWidget* parent = nullptr);

    // Fills the controls from the document.
    void load();
    // Stores the controls into the document; false when the user declined the structural change.
    bool apply();

  private:
    cSession& session_;
    QLineEdit* name_;
    QLineEdit* userData_;
    QComboBox* centre_;
    QComboBox* saveFormat_;
    QSpinBox* basicInterval_;
    QSpinBox* totalInterval_;
    QSpinBox* cellNumber_;
    QComboBox* splitFormat_;
    QCheckBox* lock_;
    QComboBox* editFormat_;
};

// Lists of the project settings' names, shared by the project and settings windows.
namespace ui_lists {
inline constexpr const char* kCentre = "Center,Whole,Down,Up,Right,Left";
inline constexpr const char* kSaveFormat = "Binary,Text(w)";
inline constexpr const char* kSplitFormat = "Specify number of sheets,Specify width";
inline constexpr const char* kEditFormat =
    "without limitation,locked(w),left and right inversion(t),Angle(w),Angle failure(w)";
inline constexpr const char* kLockLabel = " Lock the image for each cell to use";
} // namespace ui_lists
