#pragma once
// cFileRow: a file field of the canvas's small windows: the path, "..." to choose a file and "Clear".

#include <QWidget>

class cPrompts;
class QLineEdit;

class cFileRow : public QWidget {
    Q_OBJECT
  public:
    cFileRow(cPrompts& prompts, const QString& filter, const QString& name, QWidget* parent);
    QString path() const;
    void setPath(const QString& path);

  signals:
    // The user chose a file or cleared the field (not sent by setPath).
    void chosen(const QString& path);

  private:
    cPrompts& prompts_;
    QString filter_;
    QLineEdit* edit_;
};
