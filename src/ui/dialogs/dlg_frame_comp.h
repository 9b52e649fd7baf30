#pragma once
// "Frame compensation": the cell and parameter check lists, start and end frame and the method;
// "Run" interpolates as one undo step.

#include "ui/dialogs/dlg_tool.h"

class cCheckList;
class cFrameComp;
class QComboBox;
class QSpinBox;

class cDlg_FrameComp : public cDlg_Tool {
    Q_OBJECT
  public:
    cDlg_FrameComp(cSession& session, cFrameComp& state, QWidget* parent);

    void load() override;
    void store() override;

  protected:
    strEditResult runTool() override;
    bool fits() const override;
    void refit() override;

  private:
    cFrameComp& state_;
    cCheckList* cells_;
    cCheckList* params_;
    QSpinBox* start_;
    QSpinBox* end_;
    QComboBox* method_;
};
