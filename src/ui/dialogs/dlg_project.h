#pragma once
// The Project window: name, user data, centre position, save format, intervals, cell number, split
// format, lock and edit format. Apply stores them as one undo step "Project settings"; a smaller
// cell number or a new lock or edit format rewrites cells, and the step keeps what it rewrote.

#include <QDialog>
#include <QtGlobal>

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
// Choice lists, translated by ListCombo (context "ChoiceLists").
inline constexpr const char* kCentre =
    QT_TRANSLATE_NOOP("ChoiceLists", "Centre,Whole screen,Bottom,Top,Right,Left");
inline constexpr const char* kSaveFormat = QT_TRANSLATE_NOOP("ChoiceLists", "Binary (.dat),Text (.txt)");
inline constexpr const char* kSplitFormat =
    QT_TRANSLATE_NOOP("ChoiceLists", "By number of patterns,By pattern size");
inline constexpr const char* kEditFormat = QT_TRANSLATE_NOOP(
    "ChoiceLists", "Free,No rotation or scaling,Width follows height,Same width and height,No rotation");
// The lock check box's label, translated where it is shown (context "cDlg_Project").
inline constexpr const char* kLockLabel =
    QT_TRANSLATE_NOOP("cDlg_Project", "Lock each cell number to one picture");
} // namespace ui_lists
