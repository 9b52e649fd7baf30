#pragma once
// "Export animation": the format (animated GIF, animated PNG or animated WebP, lossless or lossy with a
// quality), frames per second, "6/100s limit", "Trans. color" (for PNG and WebP: keep the alpha channel),
// "Zoom image", "Flash fx effect", "Target image", "Write whole frames" (GIF only), and the shared cut
// range and background colour. The three formats take the same frames and delays.

#include "ui/dialogs/dlg_export.h"
#include "ui/dialogs/export_options.h"

class QCheckBox;
class QComboBox;
struct strGifExportOptions;

class cDlg_ExportGif : public cDlg_Export {
    Q_OBJECT
  public:
    cDlg_ExportGif(cSession& session, strExportSettings& settings, QWidget* parent);

    // Shows the options of a format (the Export menu's entries choose one).
    void setFormat(eAnimationFormat format);

  protected:
    void storeOptions() override;
    strCutRange& storedCut() override;
    bool& cutChosen() override;
    QString filter() const override;
    QString suffix() const override;
    strCaptureRequest request(const std::string& path, uint32_t backgroundRgb) const override;

  private:
    void showFormat();

    strGifExportOptions& options_;
    QComboBox* format_;
    QCheckBox* lossy_;
    QSpinBox* quality_;
    QSpinBox* fps_;
    QCheckBox* limit6_;
    QCheckBox* transparent_;
    QSpinBox* zoom_;
    QCheckBox* flash_;
    QCheckBox* target_;
    QCheckBox* wholeFrames_;
};
