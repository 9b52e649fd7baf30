#pragma once
// A list of checkable rows (the "Frame", "Cell" and "Param" lists of the tool windows): filled
// from labels and check flags, read back as flags. Space toggles the current row.

#include <QListWidget>

#include <cstdint>
#include <string>
#include <vector>

class cCheckList : public QListWidget {
    Q_OBJECT
  public:
    cCheckList(const QString& objectName, const QString& accessibleName, QWidget* parent = nullptr);

    // One row per label, checked where checks holds a non-zero flag (missing flags read as clear).
    void setRows(const std::vector<std::string>& labels, const std::vector<uint8_t>& checks);
    // One flag per row.
    std::vector<uint8_t> checks() const;
    void setChecked(int row, bool on);
    bool isChecked(int row) const;
};
