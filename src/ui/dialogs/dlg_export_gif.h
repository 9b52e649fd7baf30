#pragma once
// "Export animated GIF": frames per second, "6/100s limit", "Trans. color", "Zoom image",
// "Flash fx effect", "Target image", "Write whole frames", and the shared cut range and background colour.

#include "ui/dialogs/dlg_export.h"

class QCheckBox;
struct strGifExportOptions;

class cDlg_ExportGif : public cDlg_Export {
    Q_OBJECT
  public:
    cDlg_ExportGif(cSession& session, strExportSettings& settings, QWidget* parent);

  protected:
    void storeOptions() override;
    strCutRange& storedCut() override;
    bool& cutChosen() override;
    QString filter() const override;
    QString suffix() const override;
    strCaptureRequest request(const std::string& path, uint32_t backgroundRgb) const override;

  private:
    strGifExportOptions& options_;
    QSpinBox* fps_;
    QCheckBox* limit6_;
    QCheckBox* transparent_;
    QSpinBox* zoom_;
    QCheckBox* flash_;
    QCheckBox* target_;
    QCheckBox* wholeFrames_;
};
