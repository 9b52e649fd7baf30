#pragma once
// "Editor settings": the Folders, Default, Display and Game projects pages over the settings record. Each
// page fills its controls from the record when the sheet opens and stores them on OK or Apply.

#include <QDialog>

#include <functional>
#include <vector>

class cSession;
class QTabWidget;

class cDlg_Settings : public QDialog {
    Q_OBJECT
  public:
    explicit cDlg_Settings(cSession& session, QWidget* parent = nullptr);

    // Fills every control from the settings record.
    void load();
    // Stores every control into the record; the background colour applies to the canvas at once.
    void apply();

    // "0x%08x" of a Windows colour value, and the typed text of an alpha colour back to its value:
    // empty gives 0x80808080, other text is hexadecimal up to the first other character (a leading
    // "0x" is accepted).
    static QString colourText(uint32_t value);
    static uint32_t parseColour(const QString& text);

  private:
    QWidget* foldersPage();
    QWidget* defaultPage();
    QWidget* displayPage();
    QWidget* gamesPage();

    cSession& session_;
    QTabWidget* tabs_;
    std::vector<std::function<void()>> loaders_;
    std::vector<std::function<void()>> storers_;
};
