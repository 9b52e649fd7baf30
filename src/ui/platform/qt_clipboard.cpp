#include "ui/platform/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

namespace {
// Registered names get numbers from here on, as registered clipboard formats do.
constexpr uint32_t kFirstRegistered = 0xC000;
} // namespace

cQtClipboard::cQtClipboard(QClipboard* clipboard)
    : clipboard_(clipboard ? clipboard : QGuiApplication::clipboard()) {
#ifdef Q_OS_WIN
    mimes_[kFormat2000] = QStringLiteral("application/x-qt-windows-mime;value=\"#%1\"").arg(kFormat2000);
#else
    mimes_[kFormat2000] = QString::fromLatin1(kMime2000);
#endif
}

QString cQtClipboard::mimeForName(const std::string& name) {
#ifdef Q_OS_WIN
    return QStringLiteral("application/x-qt-windows-mime;value=\"%1\"").arg(QString::fromStdString(name));
#else
    return QString::fromStdString(name);
#endif
}

uint32_t cQtClipboard::registerFormat(const std::string& name) {
    if (name.empty()) return 0;
    if (auto it = numbers_.find(name); it != numbers_.end()) return it->second;
    const uint32_t number = kFirstRegistered + static_cast<uint32_t>(numbers_.size());
    numbers_.emplace(name, number);
    mimes_.emplace(number, mimeForName(name));
    return number;
}

QString cQtClipboard::mimeType(uint32_t format) const {
    auto it = mimes_.find(format);
    return it == mimes_.end() ? QString() : it->second;
}

bool cQtClipboard::isAvailable(uint32_t format) const {
    const QString mime = mimeType(format);
    if (mime.isEmpty() || !clipboard_) return false;
    const QMimeData* data = clipboard_->mimeData();
    return data && data->hasFormat(mime);
}

bool cQtClipboard::read(uint32_t format, std::vector<uint8_t>& out) const {
    out.clear();
    const QString mime = mimeType(format);
    if (mime.isEmpty() || !clipboard_) return false;
    const QMimeData* data = clipboard_->mimeData();
    if (!data || !data->hasFormat(mime)) return false;
    const QByteArray bytes = data->data(mime);
    out.assign(bytes.begin(), bytes.end());
    return true;
}

bool cQtClipboard::write(uint32_t format, const std::vector<uint8_t>& bytes) {
    const QString mime = mimeType(format);
    if (mime.isEmpty() || !clipboard_) return false;
    auto data = std::make_unique<QMimeData>();
    data->setData(mime, QByteArray(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size())));
    clipboard_->setMimeData(data.release()); // the clipboard takes ownership
    return true;
}
