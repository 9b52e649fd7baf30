#include "ui/game/game_list_model.h"

#include "ui/game/game_thumbnails.h"
#include "ui/session/session.h"

#include <QPalette>
#include <QPixmap>

cGameListModel::cGameListModel(cSession& session, cGameThumbnails& thumbnails, QObject* parent)
    : QAbstractTableModel(parent), session_(session), thumbnails_(thumbnails) {
    connect(&thumbnails_, &cGameThumbnails::ready, this, [this](int id) {
        const int row = rowOf(id);
        if (row >= 0) emit dataChanged(index(row, kColumnPicture), index(row, kColumnPicture));
    });
}

void cGameListModel::reload() {
    beginResetModel();
    thumbnails_.setGame(session_.game());
    endResetModel();
}

int cGameListModel::rowOf(int id) const {
    const auto& list = session_.gameAnimations();
    return id >= 1 && id <= int(list.size()) && list[size_t(id - 1)].id == id ? id - 1 : -1;
}

int cGameListModel::idOf(int row) const {
    const auto& list = session_.gameAnimations();
    return row >= 0 && row < int(list.size()) ? list[size_t(row)].id : 0;
}

int cGameListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(session_.gameAnimations().size());
}

int cGameListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumnCount;
}

QVariant cGameListModel::data(const QModelIndex& index, int role) const {
    const auto& list = session_.gameAnimations();
    if (!index.isValid() || index.row() >= int(list.size())) return {};
    const auto& a = list[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        switch (index.column()) {
        case kColumnId:
            return QString::asprintf("%03d", a.id);
        case kColumnName:
            return a.empty && role == Qt::DisplayRole ? tr("(empty)") : QString::fromStdString(a.name);
        case kColumnFrames:
            return a.empty ? QVariant() : QVariant(a.frames);
        default:
            return {};
        }
    case Qt::DecorationRole:
        if (index.column() != kColumnPicture || a.empty) return {};
        if (const QImage image = thumbnails_.picture(a.id); !image.isNull()) return QPixmap::fromImage(image);
        return {};
    case Qt::SizeHintRole:
        if (index.column() == kColumnPicture)
            return QSize(cGameThumbnails::kWidth + 8, cGameThumbnails::kHeight + 4);
        return {};
    case Qt::TextAlignmentRole:
        return index.column() == kColumnName ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                             : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::AccessibleTextRole:
        return QStringLiteral("%1 %2").arg(a.id, 3, 10, QLatin1Char('0')).arg(QString::fromStdString(a.name));
    default:
        return {};
    }
}

QVariant cGameListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    switch (section) {
    case kColumnPicture:
        return tr("Frame 1");
    case kColumnId:
        return tr("ID");
    case kColumnName:
        return tr("Name");
    case kColumnFrames:
        return tr("Frames");
    default:
        return {};
    }
}

Qt::ItemFlags cGameListModel::flags(const QModelIndex& index) const {
    const auto& list = session_.gameAnimations();
    if (!index.isValid() || index.row() >= int(list.size()) || list[size_t(index.row())].empty)
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (index.column() == kColumnName) f |= Qt::ItemIsEditable;
    return f;
}

bool cGameListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || index.column() != kColumnName) return false;
    const int id = idOf(index.row());
    const QString name = value.toString();
    if (id <= 0 || name.toStdString() == session_.gameAnimations()[size_t(index.row())].name) return false;
    // The session reads the list again and announces it; the model resets then.
    return session_.renameGameAnimation(id, name);
}
