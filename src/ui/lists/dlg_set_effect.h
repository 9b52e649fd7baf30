#pragma once
// The "Screen Effect" dialog: the start frame, the sound effect (auditioned with "Play"), the flash
// with a swatch of its colour over the background and grid colours, and the user data of one effect
// record. It edits the copy handed to it; "Apply" writes the controls into that copy and accepts,
// and the opener stores it.

#include "document/effect.h"
#include "playback/sound_table.h"
#include "ui/lists/lists_messages.h"

#include <QDialog>

class cSession;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QGroupBox;
class QLineEdit;
class QLabel;
class QSpinBox;

class cDlg_SetEffect : public QDialog {
    Q_OBJECT
  public:
    cDlg_SetEffect(cSession& session, int index, const strEffect& record, QWidget* parent = nullptr);
    const strEffect& record() const { return record_; }
    void setFile(const QString& file);
    void apply();
    // The swatch colours (0xAARRGGBB): the flash over the background and over the grid colour.
    QPair<uint32_t, uint32_t> swatch() const;

    void done(int result) override;

  protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dropEvent(QDropEvent* e) override;

  private:
    // A slider with its number field; both always show the same value.
    QSpinBox* sliderRow(QFormLayout* form, eListsText label, const QString& name, int low, int high, int tick,
                        int page, int line);
    void updateEnabled();
    void updateSwatch();
    void play();

    cSession& session_;
    strEffect record_;
    cSoundPreview preview_;
    QSpinBox* start_;
    QGroupBox* sound_;
    QLineEdit* soundPath_;
    QSpinBox* volume_;
    QSpinBox* frequency_;
    QSpinBox* balance_;
    QGroupBox* flash_;
    QSpinBox* flashFrames_;
    QComboBox* object_;
    QComboBox* drawing_;
    QSpinBox* colour_[4];
    QLabel* swatch_;
    QCheckBox* userDataOn_;
    QLineEdit* userData_;
};
