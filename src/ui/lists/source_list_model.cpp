#include "ui/lists/source_list_model.h"

#include "config/config.h"
#include "document/project.h"
#include "platform/path.h"
#include "ui/dialogs/dialog_helpers.h"
#include "ui/lists/lists_messages.h"
#include "ui/session/session.h"

#include "ui/session/ui_messages.h"

#include <QApplication>
#include <QBrush>
#include <QStyle>

#include <algorithm>

cSourceListModel::cSourceListModel(cSession& session, eKind kind, QObject* parent)
    : QAbstractTableModel(parent), session_(session), kind_(kind) {
    rows_ = rowCountNow();
}

int cSourceListModel::rowCountNow() const {
    const cProject& doc = session_.document();
    if (kind_ == kPictures) return doc.pictureCapacity();
    const int capacity = doc.effectCapacity();
    return std::min(std::max(doc.effectCount() + 1, 1), capacity);
}

void cSourceListModel::refresh() {
    beginResetModel();
    rows_ = rowCountNow();
    endResetModel();
}

int cSourceListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int cSourceListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 5;
}

int cSourceListModel::columnWidth(eKind kind, int column) {
    static constexpr int kPictureWidths[] = {24, 96, 56, 32, 72};
    static constexpr int kEffectWidths[] = {32, 96, 88, 220, 120};
    if (column < 0 || column >= 5) return 0;
    return kind == kPictures ? kPictureWidths[column] : kEffectWidths[column];
}

QVariant cSourceListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return ListsItem(kind_ == kPictures ? kLtPictureColumns : kLtEffectColumns, section);
}

QVariant cSourceListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_) return {};
    if (role == Qt::DisplayRole)
        return kind_ == kPictures ? pictureText(index.row(), index.column())
                                  : effectText(index.row(), index.column());
    if (index.column() != 1) return {};
    // The file column: a file that is not there (or cannot be loaded) is marked, and says where it
    // was looked for; a path outside the animation's folder says it is stored whole.
    const QString problem = fileProblem(index.row());
    switch (role) {
    case Qt::DecorationRole:
        if (problem.isEmpty()) return {};
        return QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning);
    case Qt::ForegroundRole:
        if (problem.isEmpty()) return {};
        return QBrush(Qt::red);
    case Qt::ToolTipRole:
    case Qt::AccessibleDescriptionRole: {
        const std::string stored = storedPath(index.row());
        if (stored.empty()) return {};
        QStringList lines;
        if (!problem.isEmpty()) lines << problem;
        if (platform::IsAbsolute(stored)) lines << ListsText(kLtAbsolutePath);
        return lines.isEmpty() ? QVariant() : QVariant(lines.join(QLatin1Char('\n')));
    }
    default:
        return {};
    }
}

std::string cSourceListModel::storedPath(int row) const {
    const cProject& doc = session_.document();
    if (kind_ == kPictures) {
        const strPicture* p = doc.picture(row);
        return p ? p->path : std::string();
    }
    const strEffect* e = doc.effect(row);
    return e && (e->flags & strEffect::kSound) ? e->soundPath : std::string();
}

QString cSourceListModel::fileProblem(int row) const {
    const std::string stored = storedPath(row);
    if (stored.empty()) return {};
    const strMissingFile* m =
        kind_ == kPictures ? session_.missingPicture(row) : session_.missingSound(stored);
    if (m) {
        QStringList names;
        for (const std::string& n : m->lookup.names)
            names << QString::fromStdString(n);
        return ListsMessage(kLtFileMissing,
                            {m->lookup.folder, names.join(QStringLiteral(", ")).toStdString()});
    }
    if (kind_ != kPictures) return {};
    const strMessage why = session_.pictureSlots().failureMessage(row);
    if (why.none()) return {};
    return ListsMessage(kLtFileUnloadable, {LibraryMessage(why).toStdString()});
}

QString cSourceListModel::pictureText(int row, int column) const {
    if (column == 0) return QString::asprintf("%02d", row);
    const cProject& doc = session_.document();
    const strPicture* p = doc.picture(row);
    if (!p) return {};
    switch (column) {
    case 1:
        // A path outside the animation's folder is shown whole, as it is stored.
        return FromDocument(platform::IsAbsolute(p->path) ? p->path : platform::FileNamePart(p->path),
                            session_.config().Locale);
    case 2:
        return QString::asprintf("%d,%d", p->divX, p->divY);
    case 3:
        return QString::number(p->hue);
    default:
        return ListsItem(kLtSplitFormats, doc.getSetting(kKeySplitFormat));
    }
}

QString cSourceListModel::effectText(int row, int column) const {
    const strEffect* e = session_.document().effect(row);
    // The empty last row adds a timing (double-click or Enter).
    if (!e) return column == 1 && row == rows_ - 1 ? ListsText(kLtNewTiming) : QString();
    const bool sound = e->flags & strEffect::kSound;
    switch (column) {
    case 0:
        return QString::asprintf("%d", e->startFrame);
    case 1:
        if (!sound) return {};
        return FromDocument(platform::IsAbsolute(e->soundPath) ? e->soundPath
                                                               : platform::FileNamePart(e->soundPath),
                            session_.config().Locale);
    case 2:
        return sound ? QString::asprintf("%d,%d,%d", e->volume, e->frequency, e->balance) : QString();
    case 3: {
        if (!(e->flags & strEffect::kFlash)) return {};
        const QString object =
            e->flashObject == 2 ? ListsText(kLtNoObject) : ListsItem(kLtFlashObjects, e->flashObject);
        return QStringLiteral("[%1,%2]").arg(object, ListsItem(kLtFlashDrawings, e->flashDrawing)) +
               QString::asprintf("(%d,%d,%d,%d)@%d", e->flashRed, e->flashGreen, e->flashBlue,
                                 e->flashStrength, e->flashFrames);
    }
    default:
        if (!(e->flags & strEffect::kUserData)) return {};
        return QLatin1Char('"') + FromDocument(e->userData, session_.config().Locale) + QLatin1Char('"');
    }
}
