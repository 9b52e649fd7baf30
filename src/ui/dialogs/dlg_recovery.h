#pragma once
// "Recover unsaved work": shown at start-up when editors that ended without closing left recovery
// copies. It lists each copy (the document, when the copy was made, its last change) with Recover
// (opens the copy as a modified document that saves where it came from; the window closes), Discard
// (after a question, removes the copy for good) and Later (the copies wait for the next start).
// Copies that could not be read are listed below with where they were put.

#include "workspace/recovery_store.h"

#include <QDialog>

#include <vector>

class cSession;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;

class cDlg_Recovery : public QDialog {
    Q_OBJECT
  public:
    cDlg_Recovery(cSession& session, std::vector<strRecoveryEntry> entries,
                  std::vector<strRecoveryProblem> problems, QWidget* parent = nullptr);

    // The copies still listed.
    const std::vector<strRecoveryEntry>& entries() const { return entries_; }
    // The row's texts: what the document was, when the copy was made (local time), its last change.
    static QString whatText(const strRecoveryInfo& info);
    static QString whenText(const strRecoveryInfo& info);
    static QString lastChangeText(const strRecoveryInfo& info);
    // One line per unreadable copy: the file, why, and where it went.
    static QString problemText(const strRecoveryProblem& problem);

    // The buttons' actions on the selected copy (the first when none is selected).
    bool recoverSelected();
    bool discardSelected();

  private:
    int selected() const;
    void fill();

    cSession& session_;
    std::vector<strRecoveryEntry> entries_;
    QTreeWidget* list_;
    QPushButton* recover_;
    QPushButton* discard_;
};
