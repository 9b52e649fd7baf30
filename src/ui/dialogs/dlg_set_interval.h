#pragma once
// "Interval": start and end frame and the interval (0 = the basic interval); "Run" sets the
// intervals as one undo step.

#include "ui/dialogs/dlg_tool.h"

class cIntervalSetting;
class QSpinBox;

class cDlg_SetInterval : public cDlg_Tool {
    Q_OBJECT
  public:
    cDlg_SetInterval(cSession& session, cIntervalSetting& state, QWidget* parent);

    void load() override;
    void store() override;

  protected:
    strEditResult runTool() override;
    bool fits() const override;

  private:
    cIntervalSetting& state_;
    QSpinBox* start_;
    QSpinBox* end_;
    QSpinBox* interval_;
};
