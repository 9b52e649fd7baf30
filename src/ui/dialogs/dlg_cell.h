#pragma once
// The cell window "Cell N on frame F": every field of one cell, the colour sliders with their "%08x" text,
// copying from the previous or next frame, and Apply as one undo step. Every 80 ms the working copy
// is rebuilt from the controls, normalised, and shown on the canvas in place of the document's cell.
// On an empty slot the controls are disabled and nothing is previewed or applied.

#include <QDialog>
#include <QTimer>

#include <array>

class cCellEdit;
class cSession;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;
struct strCell;

class cDlg_Cell : public QDialog {
    Q_OBJECT
  public:
    cDlg_Cell(cSession& session, cCellEdit& edit, QWidget* parent);
    ~cDlg_Cell() override;

    // The window title of the cell at frame, cell number.
    static QString titleText(int frame, int cell);

    // Edits cell `cell` of `frame` (the controls are disabled when the slot is empty).
    void openCell(int frame, int cell);
    // The 80 ms step: rebuilds the working copy from the controls when they changed and shows it.
    void refresh();
    // "Apply": stores the working copy as one undo step when it differs; then the window closes.
    void apply();

  protected:
    void hideEvent(QHideEvent* e) override;
    void moveEvent(QMoveEvent* e) override;

  private:
    void build();
    void fill();
    void readControls();
    void updateStates();
    void updatePatternRange();
    void setColours(const strCell& c, QObject* source);
    void edited();
    void showPreview(bool on);
    void onChanged(unsigned flags);

    cSession& session_;
    cCellEdit& edit_;
    QTimer timer_;
    bool filling_ = false;
    bool edited_ = false; // the user changed something since the cell was opened

    QSpinBox* image_;
    QSpinBox* pattern_;
    QSpinBox* x_;
    QSpinBox* y_;
    QSpinBox* sx_;
    QLabel* sxLabel_;
    QSpinBox* sy_;
    QComboBox* flip_;
    QSpinBox* angle_;
    QSpinBox* opacity_;
    QComboBox* blend_;
    QPushButton* previous_;
    QPushButton* next_;
    QPushButton* details_;
    QGroupBox* colourBox_;
    std::array<QSlider*, 4> sliders_{}; // red, green, blue, saturation
    std::array<QSpinBox*, 4> tones_{};
    QLineEdit* colourText_;
    QPushButton* clear_;
    QPushButton* apply_;
    QList<QWidget*> fields_; // everything that is disabled on an empty slot
};
