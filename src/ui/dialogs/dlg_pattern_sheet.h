#pragma once
// "Pattern sheet": builds an RPG Maker pattern sheet from frames (picture files, folders of pictures,
// animated GIFs, or sprite strips cut into frames of a given size) and checks an existing picture.
// The product, the pattern size and the patterns a row are shared by both pages. Building shows the
// sheet and what was scaled, left empty or refused; "Save" writes it (temporary file and rename; a
// palette PNG for RPG Maker 2000 when the colours allow). The check lists what a picture breaks.
// The work is the library's (image/pattern_sheet.h, export/sheet_file.h).

#include "image/pattern_sheet.h"

#include <QDialog>

class cSession;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;

class cDlg_PatternSheet : public QDialog {
    Q_OBJECT
  public:
    cDlg_PatternSheet(cSession& session, QWidget* parent);

    void showBuildPage();
    // The check page, checking `path` at once when one is given.
    void showCheckPage(const QString& path = QString());

    // --- build ---
    void addInputs(const QStringList& paths);
    QStringList inputs() const;
    void setProduct(eSheetProduct product);
    void setStrip(int frameWidth, int frameHeight); // 0: no cutting
    void setTrim(bool on);
    // Reads the inputs and lays the sheet out; false (reason in the report) when refused.
    bool build();
    // Writes the sheet built last; the path asked when empty. False when nothing is built or the
    // file cannot be written (said in a message box).
    bool save(const QString& path = QString());
    const strSheetResult& result() const { return result_; }
    QString buildReport() const;

    // --- check ---
    // Checks the picture file; false when it cannot be read. The findings go to the report.
    bool check(const QString& path);
    QString checkReport() const;
    const std::vector<strSheetFinding>& findings() const { return findings_; }

  private:
    strSheetOptions options() const;
    QString productName() const;
    QString findingText(const strSheetFinding& f) const;
    void productChosen();
    void showResult();

    cSession& session_;
    QComboBox* product_;
    QSpinBox* pattern_;
    QSpinBox* perRow_;
    QTabWidget* pages_;
    // build page
    QListWidget* inputs_;
    QCheckBox* strip_;
    QSpinBox* stripWidth_;
    QSpinBox* stripHeight_;
    QCheckBox* trim_;
    QLabel* preview_;
    QPlainTextEdit* report_;
    QPushButton* save_;
    // check page
    QLineEdit* checkPath_;
    QPlainTextEdit* checkReport_;

    strSheetResult result_;
    std::vector<strSheetFrame> frames_;
    std::vector<strSheetFinding> findings_;
    bool checked_ = false; // the last picture checked could be read
};
