#include "ui/session/recovery_keeper.h"

#include "config/config.h"
#include "document/project.h"
#include "ui/session/ui_messages.h"

#include <algorithm>
#include <ctime>

cRecoveryKeeper::cRecoveryKeeper(cConfig& config, QObject* parent) : QObject(parent), config_(config) {
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, &cRecoveryKeeper::writeDue);
}

cRecoveryKeeper::~cRecoveryKeeper() {
    quit();
}

bool cRecoveryKeeper::open(QString* why) {
    if (isOpen()) return true;
    if (config_.filePath.empty()) {
        if (why) *why = LibraryMessage(strMessage(kRecoveryNoFolder));
        return false;
    }
    auto store = std::make_unique<cRecoveryStore>(cRecoveryStore::folderFor(config_.filePath));
    strMessage error;
    if (!store->open(&error)) {
        if (why) *why = LibraryMessage(error);
        return false;
    }
    store_ = std::move(store);
    writer_ = std::make_unique<cRecoveryWriter>(*store_, [this](int, bool ok, const strMessage& error) {
        if (ok) return;
        // The writer's thread: the signal goes out on the interface thread, where the reason is
        // translated (the translators belong to that thread's application).
        QMetaObject::invokeMethod(
            this, [this, error] { emit writeFailed(LibraryMessage(error)); }, Qt::QueuedConnection);
    });
    return true;
}

void cRecoveryKeeper::setDocument(const cProject* doc, const strRecoveryInfo& origin, int slot) {
    removeCopy();
    doc_ = doc;
    origin_ = origin;
    slot_ = slot >= 0 ? slot : newSlot();
    lastSlot_ = std::max(lastSlot_, slot_);
    // A recovered document has its copy already; the next edit makes a newer one.
    if (slot >= 0) written_.insert(slot_);
    dirty_ = false;
}

void cRecoveryKeeper::setOrigin(eRecoveryOrigin origin, const std::string& path, const std::string& id) {
    origin_.origin = origin;
    origin_.path = path;
    origin_.id = id;
}

void cRecoveryKeeper::saved() {
    removeCopy();
}

void cRecoveryKeeper::changed() {
    if (!doc_ || !isOpen()) return;
    if (!doc_->modified()) {
        removeCopy();
        return;
    }
    dirty_ = true;
    const int seconds = std::clamp(config_.RecoveryInterval, 0, cConfig::kMaxRecoveryInterval);
    if (seconds == 0 || timer_.isActive()) return;
    timer_.start(seconds * 1000);
}

void cRecoveryKeeper::writeDue() {
    timer_.stop();
    // 0 turns the copies off, also for a wait that began before.
    if (!doc_ || !isOpen() || !dirty_ || !doc_->modified() || config_.RecoveryInterval <= 0) return;
    std::vector<uint8_t> bytes;
    strMessage error;
    if (!cRecoveryStore::serialise(*doc_, bytes, &error)) {
        emit writeFailed(LibraryMessage(error));
        return;
    }
    strRecoveryInfo info = origin_;
    info.baseFolder = doc_->text(kTextBaseFolder);
    info.fileName = doc_->text(kTextFileName);
    info.saveFormat = doc_->getSetting(kKeySaveFormat);
    info.savedAt = static_cast<int64_t>(std::time(nullptr));
    // The undo step that led here; a recovered document without steps keeps the one it came with.
    if (const strMessage* label = doc_->history().undoLabel()) {
        info.lastChange = *label;
        info.lastChangeText.clear();
    }
    writer_->write(slot_, std::move(bytes), std::move(info));
    written_.insert(slot_);
    dirty_ = false;
}

void cRecoveryKeeper::removeCopy() {
    timer_.stop();
    dirty_ = false;
    if (!writer_ || !written_.count(slot_)) return;
    writer_->remove(slot_);
    written_.erase(slot_);
}

void cRecoveryKeeper::flush() {
    if (writer_) writer_->wait();
}

void cRecoveryKeeper::quit() {
    timer_.stop();
    doc_ = nullptr;
    if (!writer_) return;
    for (int slot : written_)
        writer_->remove(slot);
    written_.clear();
    writer_.reset(); // finishes every job
    store_->close();
}
