#pragma once
// The About box: the program's name and version.

#include <QDialog>

class cDlg_About : public QDialog {
    Q_OBJECT
  public:
    explicit cDlg_About(QWidget* parent = nullptr);
    // "Version 0.71": the version with two decimals.
    static QString versionText();
};
