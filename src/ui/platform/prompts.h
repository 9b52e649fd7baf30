#pragma once
// Questions, message boxes and file dialogs behind one interface, so that tests can answer them.
// cDialogPrompts shows the real ones; tests install their own implementation.

#include <QColor>
#include <QString>

class QWidget;

class cPrompts {
  public:
    enum eAnswer { kYes, kNo, kCancel };
    enum eBox { kReport, kError };

    virtual ~cPrompts() = default;
    // A question with the caption; Yes / No, or Yes / No / Cancel when withCancel is set.
    virtual eAnswer question(const QString& text, const QString& caption, bool withCancel) = 0;
    // A message box: caption "Information" or "Error".
    virtual void message(const QString& text, eBox box) = 0;
    // A file to open, starting in folder; "" when the user cancelled.
    virtual QString openFileName(const QString& folder, const QString& filter) = 0;
    // A file to save to, starting at proposal (a folder or a full path); defaultSuffix ("dat") is
    // added to a name typed without one. "" when the user cancelled.
    virtual QString saveFileName(const QString& proposal, const QString& filter,
                                 const QString& defaultSuffix) = 0;
    // A folder, starting at folder; "" when the user cancelled.
    virtual QString folderName(const QString& folder) = 0;
    // A colour from the colour chooser; an invalid colour when the user cancelled.
    virtual QColor colour(const QColor& initial) = 0;
};

// The platform's own dialogs, parented to a window (which may change as windows come and go).
class cDialogPrompts : public cPrompts {
  public:
    explicit cDialogPrompts(QWidget* parent = nullptr) : parent_(parent) {}
    void setParent(QWidget* parent) { parent_ = parent; }

    eAnswer question(const QString& text, const QString& caption, bool withCancel) override;
    void message(const QString& text, eBox box) override;
    QString openFileName(const QString& folder, const QString& filter) override;
    QString saveFileName(const QString& proposal, const QString& filter,
                         const QString& defaultSuffix) override;
    QString folderName(const QString& folder) override;
    QColor colour(const QColor& initial) override;

  private:
    QWidget* parent_;
};
