#include "ui/dialogs/check_list.h"

cCheckList::cCheckList(const QString& objectName, const QString& accessibleName, QWidget* parent)
    : QListWidget(parent) {
    setObjectName(objectName);
    setAccessibleName(accessibleName);
    setUniformItemSizes(true);
}

void cCheckList::setRows(const std::vector<std::string>& labels, const std::vector<uint8_t>& checks) {
    clear();
    for (size_t i = 0; i < labels.size(); ++i) {
        auto* item = new QListWidgetItem(QString::fromStdString(labels[i]), this);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(i < checks.size() && checks[i] ? Qt::Checked : Qt::Unchecked);
    }
    if (count() > 0) setCurrentRow(0);
}

std::vector<uint8_t> cCheckList::checks() const {
    std::vector<uint8_t> out(size_t(count()), 0);
    for (int i = 0; i < count(); ++i)
        out[size_t(i)] = item(i)->checkState() == Qt::Checked ? 1 : 0;
    return out;
}

void cCheckList::setChecked(int row, bool on) {
    if (QListWidgetItem* it = item(row)) it->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

bool cCheckList::isChecked(int row) const {
    const QListWidgetItem* it = item(row);
    return it && it->checkState() == Qt::Checked;
}
