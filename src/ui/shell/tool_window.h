#pragma once
// A tool window of the main window (list, palette): it stays above the main window, keeps its place
// when hidden, and holds one content widget that the window's own module supplies.

#include <QWidget>

class QVBoxLayout;

class cToolWindow : public QWidget {
    Q_OBJECT
  public:
    cToolWindow(const QString& objectName, const QString& title, QWidget* mainWindow);
    // Replaces the content (the old content is deleted).
    void setContent(QWidget* content);
    QWidget* content() const { return content_; }

  signals:
    // The user closed or the program hid the window, or it was shown again.
    void visibilityChanged(bool visible);

  protected:
    void showEvent(QShowEvent* e) override;
    void hideEvent(QHideEvent* e) override;

  private:
    QVBoxLayout* layout_;
    QWidget* content_ = nullptr;
};
