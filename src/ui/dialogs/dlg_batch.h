#pragma once
// "Edit cell bundle": the frame, cell and parameter check lists, the formula and the value; "Run"
// applies the batch as one undo step.

#include "ui/dialogs/dlg_tool.h"

class cBatchEdit;
class cCheckList;
class QComboBox;
class QSpinBox;

class cDlg_Batch : public cDlg_Tool {
    Q_OBJECT
  public:
    cDlg_Batch(cSession& session, cBatchEdit& state, QWidget* parent);

    void load() override;
    void store() override;

  protected:
    strEditResult runTool() override;
    bool fits() const override;
    void refit() override;

  private:
    cBatchEdit& state_;
    cCheckList* frames_;
    cCheckList* cells_;
    cCheckList* params_;
    QComboBox* formula_;
    QSpinBox* value_;
};
