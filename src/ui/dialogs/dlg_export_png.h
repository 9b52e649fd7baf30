#pragma once
// "Export PNG": one sheet ("1 connect to", with its division and fill order) or a numbered sequence,
// "Interval", "Alpha value", and the shared cut range and background colour.

#include "ui/dialogs/dlg_export.h"

class QCheckBox;
class QRadioButton;
struct strPngExportOptions;

class cDlg_ExportPng : public cDlg_Export {
    Q_OBJECT
  public:
    cDlg_ExportPng(cSession& session, strExportSettings& settings, QWidget* parent);

  protected:
    void storeOptions() override;
    strCutRange& storedCut() override;
    bool& cutChosen() override;
    QString filter() const override;
    QString suffix() const override;
    strCaptureRequest request(const std::string& path, uint32_t backgroundRgb) const override;

  private:
    void updateStates();

    strPngExportOptions& options_;
    QCheckBox* sheet_;
    QRadioButton* horizontal_;
    QRadioButton* vertical_;
    QSpinBox* division_;
    QRadioButton* hor_;
    QRadioButton* ver_;
    QCheckBox* interval_;
    QCheckBox* alpha_;
};
