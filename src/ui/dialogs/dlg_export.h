#pragma once
// What the PNG and GIF export windows share: the cut range ("Up-left", "Width", "Auto") drawn on
// the canvas while the window is open, the background colour (the setting "CTrans"), the save dialog
// with the name proposed from the project's file name, and the export itself: the worker runs in the
// progress window while this window hides; it closes on completion and comes back when the export
// was interrupted or failed.

#include "export/capture_image.h"
#include "export/cut_range.h"

#include <QDialog>

#include <string>

class cDlg_Progress;
class cSession;
class QBoxLayout;
class QPushButton;
class QSpinBox;
struct strExportSettings;
struct strExportOutcome;

class cDlg_Export : public QDialog {
    Q_OBJECT
  public:
    cDlg_Export(cSession& session, strExportSettings& settings, QWidget* parent);

    // "Auto": the range that holds every cell; false (range unchanged) when nothing is drawable.
    bool autoRange();
    // "Export": asks for the file, then runs the export. The progress window, when one runs.
    cDlg_Progress* exportFile();
    // The file name proposed in the save dialog.
    QString proposedPath() const;
    strCutRange cutRange() const;

  protected:
    // The window's own options, above the cut range.
    virtual void storeOptions() = 0;
    virtual strCutRange& storedCut() = 0;
    virtual bool& cutChosen() = 0;
    virtual QString filter() const = 0;
    virtual QString suffix() const = 0;
    virtual strCaptureRequest request(const std::string& path, uint32_t backgroundRgb) const = 0;

    // Builds the shared controls below options; the derived constructor calls it last.
    void finishLayout(QBoxLayout* options);
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;
    void changeEvent(QEvent* e) override;

    cSession& session_;
    strExportSettings& settings_;

  private:
    void setCut(const strCutRange& r);
    void showCut();
    void showBackground();
    void ended(const strExportOutcome& o);

    QSpinBox* left_ = nullptr;
    QSpinBox* top_ = nullptr;
    QSpinBox* width_ = nullptr;
    QSpinBox* height_ = nullptr;
    QPushButton* background_ = nullptr;
    bool exporting_ = false;
    std::string path_; // the file of the running export
};
