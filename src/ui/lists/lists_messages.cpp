#include "ui/lists/lists_messages.h"

#include <QStringList>

QString ListsItem(eListsText id, int index) {
    const QStringList items = ListsText(id).split(QLatin1Char(','));
    return index >= 0 && index < items.size() ? items.at(index) : QString();
}
