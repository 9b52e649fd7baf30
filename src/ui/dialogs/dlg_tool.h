#pragma once
// What the frame compensation, batch and interval windows share: "Run" and "Cancel", the tool state
// kept from one opening to the next (the controls are stored back whenever the window closes), one
// report of the run (or "Batch edit cancelled" when the window closes without one), and a refill
// when the document no longer fits the controls.

#include <QDialog>

class cSession;
class QHBoxLayout;
struct strEditResult;

class cDlg_Tool : public QDialog {
    Q_OBJECT
  public:
    cDlg_Tool(cSession& session, const QString& objectName, const QString& title, QWidget* parent);

    // Fills the controls from the tool's state.
    virtual void load() = 0;
    // Stores the controls into the tool's state.
    virtual void store() = 0;
    // "Run": stores, runs the tool, reports, closes.
    void run();

  protected:
    virtual strEditResult runTool() = 0;
    // Whether the controls still match the document's frame count and cell number.
    virtual bool fits() const = 0;
    // Adapts the state to another frame count or cell number (before load()).
    virtual void refit() {}
    // The "Run" and "Cancel" row; object names prefix + "Run" / "Cancel".
    QHBoxLayout* runButtons(const QString& prefix);
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

    cSession& session_;

  private:
    bool ran_ = false; // Run was pressed since the window was shown
};
