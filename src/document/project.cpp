#include "document/project.h"

#include "config/config.h"
#include "document/limits.h"
#include "document/restore.h"
#include "document/transaction.h"

#include <algorithm>
#include <cstdlib>

namespace {

template <class T> T clampTo(int v, int lo, int hi) {
    return static_cast<T>(std::clamp(v, lo, hi));
}

} // namespace

cProject::cProject(const cConfig* config)
    : config_(config ? config : &cConfig::defaults()), history_(*this, config_->undoDepth()) {
    create(0, 0, 0, 0);
}

cProject::~cProject() = default;

bool cProject::create(int frames, int cells, int pictures, int effects) {
    if (pending_) return false;
    frames_.clearAll();
    pictures_.clearAll();
    effects_.clearAll();
    for (auto& t : texts_)
        t.clear();

    frames = std::min(std::max(frames, cConfig::kMinFrameCapacity), kMaxFrames);
    pictures = std::min(std::max(pictures, cConfig::kMinPictureCapacity), kMaxPictures);
    effects = std::min(std::max(effects, cConfig::kMinEffectCapacity), kMaxEffects);
    if (cells < 1) cells = config_->Init_Cell;
    // The binary format stores the cell number in one byte: hold it to 1..255.
    cellNumber_ = std::clamp(cells, 1, cConfig::kMaxCellNumber);

    saveFormat_ = 0;
    centrePosition_ = 0;
    splitFormat_ = 0;
    editFormat_ = 0;
    lock_ = 0;
    basicInterval_ = 1;
    totalInterval_ = 0;

    if (!frames_.allocate(frames) || !pictures_.allocate(pictures) || !effects_.allocate(effects))
        return false;
    lockTable_.assign(cellNumber_, 0);
    blank_ = strFrame{};
    blank_.cells.allocate(cellNumber_);
    history_.clear();
    history_.markClean();
    return true;
}

void cProject::applyDefaults() {
    const cConfig& c = *config_;
    setSetting(kKeyBasicInterval, c.Init_Int);
    setSetting(kKeyCentrePosition, c.Init_Center);
    setSetting(kKeySplitFormat, c.Init_Div);
    setSetting(kKeyLock, c.Init_FixFlag ? 1 : 0);
    setSetting(kKeyEditFormat, c.Init_Edit);
    setSetting(kKeySaveFormat, c.Init_Format);
}

int cProject::getSetting(int key) const {
    switch (key) {
    case kKeyFrameCount:
        return frames_.occupied();
    case kKeyPictureCount:
        return pictures_.occupied();
    case kKeyEffectCount:
        return effects_.occupied();
    case kKeyEditFormat:
        return editFormat_;
    case kKeySplitFormat:
        return splitFormat_;
    case kKeySaveFormat:
        return saveFormat_;
    case kKeyCentrePosition:
        return centrePosition_;
    case kKeyBasicInterval:
        return basicInterval_;
    case kKeyTotalInterval:
        return totalInterval_;
    case kKeyLock:
        return lock_;
    default:
        return cellNumber_;
    }
}

bool cProject::setSetting(int key, int value) {
    int* field = nullptr;
    switch (key) {
    case kKeyEditFormat:
        field = &editFormat_;
        break;
    case kKeySplitFormat:
        field = &splitFormat_;
        break;
    case kKeySaveFormat:
        field = &saveFormat_;
        break;
    case kKeyCentrePosition:
        field = &centrePosition_;
        break;
    case kKeyBasicInterval:
        field = &basicInterval_;
        break;
    case kKeyTotalInterval:
        field = &totalInterval_;
        break;
    case kKeyLock:
        field = &lock_;
        value = value != 0;
        break;
    default:
        return false;
    }
    if (*field == value) return true;
    if (recording()) record(std::make_unique<cRest_Update_Setting>(key, value, *field));
    *field = value;
    return true;
}

bool cProject::getText(int key, std::string& out) const {
    if (key < kTextBaseFolder || key > kTextUserData) return false;
    out = texts_[key - kTextBaseFolder];
    return !out.empty();
}

const std::string& cProject::text(int key) const {
    static const std::string empty;
    if (key < kTextBaseFolder || key > kTextUserData) return empty;
    return texts_[key - kTextBaseFolder];
}

bool cProject::setText(int key, const std::string& value) {
    if (key < kTextBaseFolder || key > kTextUserData) return false;
    std::string& field = texts_[key - kTextBaseFolder];
    if (field == value) return true;
    if (recording()) record(std::make_unique<cRest_Update_Text>(key, value, field));
    field = value;
    return true;
}

const strFrame* cProject::frameOrCreate(int i) {
    if (!frames_.inRange(i)) return nullptr;
    if (!frames_.get(i)) replaceFrame(i, &blank_);
    return frames_.get(i);
}

const strCell* cProject::cell(int frame, int cell) const {
    const strFrame* f = frames_.get(frame);
    return f ? f->cells.get(cell) : nullptr;
}

void cProject::normaliseCell(strCell& c, int cellNumber) const {
    if (c.pattern == 0) c.pattern = 1;
    c.x = clampTo<int16_t>(c.x, -1024, 1024);
    c.y = clampTo<int16_t>(c.y, -1024, 1024);
    c.mx = clampTo<int16_t>(c.mx, -1000, 1000);
    c.my = clampTo<int16_t>(c.my, -1000, 1000);
    c.angle = clampTo<int16_t>(c.angle, -3600, 3600);
    c.blend = std::min<uint8_t>(c.blend, 4);
    c.red = std::min<uint8_t>(c.red, 200);
    c.green = std::min<uint8_t>(c.green, 200);
    c.blue = std::min<uint8_t>(c.blue, 200);
    c.saturation = std::min<uint8_t>(c.saturation, 200);
    if (lock_ && cellNumber >= 0 && cellNumber < cellNumber_) c.picture = lockTable_[cellNumber];
    switch (editFormat_) {
    case 1:
        c.angle = 0;
        c.mx = 100;
        c.my = 100;
        break;
    case 2: {
        int size = std::abs(int(c.my));
        c.mx = static_cast<int16_t>(c.mx < 0 ? -size : size);
        break;
    }
    case 3:
        c.my = c.mx;
        break;
    case 4:
        c.angle = 0;
        break;
    default:
        break;
    }
}

void cProject::normalisePicture(strPicture& p, int imageWidth, int imageHeight) {
    p.divX = clampTo<uint16_t>(p.divX, 1, 1024);
    p.divY = clampTo<uint16_t>(p.divY, 1, 1024);
    p.hue = std::min<uint16_t>(p.hue, 360);
    if (imageWidth > 0)
        p.divX = std::min<uint16_t>(p.divX, static_cast<uint16_t>(std::min(imageWidth, 1024)));
    if (imageHeight > 0)
        p.divY = std::min<uint16_t>(p.divY, static_cast<uint16_t>(std::min(imageHeight, 1024)));
}

void cProject::record(std::unique_ptr<cRestore> r) {
    if (recording()) pending_->append(std::move(r));
}

bool cProject::setCell(int frame, int cell, const strCell* c) {
    const strFrame* f = frames_.get(frame);
    if (!f || !f->cells.inRange(cell)) return false;
    changeCell(frame, cell, c);
    return true;
}

bool cProject::changeCell(int frame, int cell, const strCell* c) {
    strFrame* f = frames_.get(frame);
    if (!f || !f->cells.inRange(cell)) return false;
    const strCell* old = f->cells.get(cell);
    if (c) {
        strCell n = *c;
        normaliseCell(n, cell);
        if (old && *old == n) return false; // the same cell: nothing to record or announce
        if (recording()) record(std::make_unique<cRest_Update_Cell>(frame, cell, &n, old));
        f->cells.setCopy(cell, n);
    } else {
        if (!old) return false;
        if (recording()) record(std::make_unique<cRest_Update_Cell>(frame, cell, nullptr, old));
        f->cells.reset(cell);
    }
    return true;
}

bool cProject::setFrameInterval(int frame, uint16_t interval) {
    strFrame* f = frames_.get(frame);
    if (!f) return false;
    if (recording()) record(std::make_unique<cRest_Update_Int>(frame, interval, f->interval));
    f->interval = interval;
    return true;
}

int cProject::frameInterval(int frame, bool resolve) const {
    const strFrame* f = frames_.get(frame);
    if (!f) return 0;
    if (resolve && f->interval == 0) return basicInterval_;
    return f->interval;
}

uint32_t cProject::totalDuration() const {
    uint32_t sum = 0;
    for (int i = 0; i < frames_.capacity(); ++i)
        if (frames_.get(i)) sum += static_cast<uint32_t>(frameInterval(i, true));
    return sum;
}

int cProject::lockedPicture(int cell) const {
    if (cell < 0 || cell >= static_cast<int>(lockTable_.size())) return 0;
    return lockTable_[cell];
}

void cProject::rewriteLockedPicture(int cell, uint8_t picture) {
    for (int i = 0; i < frames_.capacity(); ++i)
        if (strFrame* f = frames_.get(i))
            if (strCell* c = f->cells.get(cell)) c->picture = picture;
}

bool cProject::setLockedPicture(int cell, uint8_t picture) {
    if (cell < 0 || cell >= static_cast<int>(lockTable_.size()) || lockTable_[cell] == picture) return false;
    if (recording() && lock_) {
        // Undoing the entry rewrites the whole column with the old picture. Cells of the column
        // that did not show the old picture (moved in from another cell number) are recorded
        // first, so that undo puts them back as they were.
        for (int i = 0; i < frames_.capacity(); ++i) {
            const strCell* c = this->cell(i, cell);
            if (!c || c->picture == lockTable_[cell]) continue;
            strCell n = *c;
            n.picture = picture;
            record(std::make_unique<cRest_Update_Cell>(i, cell, &n, c));
        }
    }
    if (recording()) record(std::make_unique<cRest_Update_FixCell>(cell, picture, lockTable_[cell]));
    lockTable_[cell] = picture;
    if (lock_) rewriteLockedPicture(cell, picture);
    return true;
}

bool cProject::slideFrames(int from, int count, int to) {
    const int cap = frames_.capacity();
    if (from < 0 || to < 0 || from >= cap || to >= cap || count < 1) return false;
    count = std::min({count, cap - from, cap - to});
    if (from == to) return true;
    // Frames in the destination that are not part of the block are deleted. Each deletion is
    // recorded as a frame update so that undoing the slide gives them back.
    for (int i = to; i < to + count; ++i) {
        if (i >= from && i < from + count) continue;
        if (!frames_.get(i)) continue;
        if (recording()) record(std::make_unique<cRest_Update_Frame>(i, nullptr, frames_.get(i)));
        frames_.reset(i);
    }
    if (recording()) record(std::make_unique<cRest_Slide_Frame>(from, count, to));
    std::vector<std::unique_ptr<strFrame>> block(count);
    for (int k = 0; k < count; ++k)
        block[k] = frames_.take(from + k);
    for (int k = 0; k < count; ++k)
        frames_.set(to + k, std::move(block[k]));
    return true;
}

bool cProject::exchangeCells(int frameA, int cellA, int frameB, int cellB) {
    strFrame* fa = frames_.get(frameA);
    strFrame* fb = frames_.get(frameB);
    if (!fa || !fb || !fa->cells.inRange(cellA) || !fb->cells.inRange(cellB)) return false;
    if (frameA == frameB && cellA == cellB) return false;
    if (recording()) record(std::make_unique<cRest_Change_Cell>(frameA, cellA, frameB, cellB));
    if (fa == fb) {
        fa->cells.swap(cellA, cellB);
    } else {
        auto a = fa->cells.take(cellA);
        auto b = fb->cells.take(cellB);
        fa->cells.set(cellA, std::move(b));
        fb->cells.set(cellB, std::move(a));
    }
    return true;
}

bool cProject::exchangeFrames(int a, int b) {
    if (!frames_.inRange(a) || !frames_.inRange(b) || a == b) return false;
    if (recording()) record(std::make_unique<cRest_Change_Frame>(a, b));
    frames_.swap(a, b);
    return true;
}

bool cProject::replaceFrame(int i, const strFrame* f) {
    if (!frames_.inRange(i)) return false;
    // Copy first: f may be the frame in slot i itself.
    std::unique_ptr<strFrame> copy;
    if (f) {
        copy = std::make_unique<strFrame>(*f);
        copy->cells.resize(cellNumber_);
    }
    if (recording()) record(std::make_unique<cRest_Update_Frame>(i, copy.get(), frames_.get(i)));
    frames_.set(i, std::move(copy));
    return true;
}

void cProject::resizeCells(int n) {
    lockTable_.resize(n, 0);
    for (int i = 0; i < frames_.capacity(); ++i)
        if (strFrame* f = frames_.get(i)) f->cells.resize(n);
    blank_.cells.resize(n);
    cellNumber_ = n;
}

bool cProject::setCellNumber(int n) {
    n = std::clamp(n, 0, cConfig::kMaxCellNumber);
    if (n < 1 || n == cellNumber_) return false;
    std::vector<uint8_t> removedLocks;
    if (n < cellNumber_) {
        // The cells past the new number are deleted one by one first, so that undo, which replays
        // the resize before them, has the room to put them back.
        for (int i = 0; i < frames_.capacity(); ++i)
            if (const strFrame* f = frames_.get(i))
                for (int c = n; c < cellNumber_; ++c)
                    if (f->cells.get(c)) setCell(i, c, nullptr);
        removedLocks.assign(lockTable_.begin() + n, lockTable_.end());
    }
    if (recording()) record(std::make_unique<cRest_Cell_Number>(n, cellNumber_, std::move(removedLocks)));
    resizeCells(n);
    return true;
}

strProjectSettings cProject::settings() const {
    strProjectSettings s;
    s.name = text(kTextName);
    s.userData = text(kTextUserData);
    s.centrePosition = getSetting(kKeyCentrePosition);
    s.saveFormat = getSetting(kKeySaveFormat);
    s.basicInterval = getSetting(kKeyBasicInterval);
    s.totalInterval = getSetting(kKeyTotalInterval);
    s.cellNumber = cellNumber_;
    s.splitFormat = splitFormat_;
    s.lock = lock_;
    s.editFormat = editFormat_;
    return s;
}

bool cProject::applySettings(const strProjectSettings& s) {
    cTransaction t(*this, strMessage(kStepProjectSettings));
    setText(kTextName, s.name);
    setText(kTextUserData, s.userData);
    setSetting(kKeyCentrePosition, s.centrePosition);
    setSetting(kKeySaveFormat, s.saveFormat);
    setSetting(kKeyBasicInterval, s.basicInterval);
    setSetting(kKeyTotalInterval, s.totalInterval);
    if (s.cellNumber != cellNumber_) setCellNumber(s.cellNumber);
    setSetting(kKeySplitFormat, s.splitFormat);
    if ((s.lock != 0) != (lock_ != 0) || s.editFormat != editFormat_) {
        setSetting(kKeyLock, s.lock);
        setSetting(kKeyEditFormat, s.editFormat);
        // Every cell is normalised again under the new rules; each one that changes is recorded.
        for (int i = 0; i < frames_.capacity(); ++i) {
            const strFrame* f = frames_.get(i);
            if (!f) continue;
            for (int c = 0; c < f->cells.capacity(); ++c) {
                const strCell* cell = f->cells.get(c);
                if (!cell) continue;
                strCell n = *cell;
                normaliseCell(n, c);
                if (n == *cell) continue;
                if (recording()) record(std::make_unique<cRest_Update_Cell>(i, c, &n, cell));
                frames_.get(i)->cells.setCopy(c, n);
            }
        }
    }
    return t.commit();
}

bool cProject::setPicture(int i, const strPicture* p) {
    if (!pictures_.inRange(i)) return false;
    std::optional<strPicture> n;
    if (p) {
        n = *p;
        normalisePicture(*n);
    }
    const strPicture* old = pictures_.get(i);
    if (!old && !n) return true;
    if (old && n && *old == *n) return true;
    if (recording()) record(std::make_unique<cRest_Update_Picture>(i, n ? &*n : nullptr, old));
    if (n)
        pictures_.setCopy(i, *n);
    else
        pictures_.reset(i);
    return true;
}

bool cProject::exchangePictures(int a, int b) {
    if (!pictures_.inRange(a) || !pictures_.inRange(b) || a == b) return false;
    if (recording()) record(std::make_unique<cRest_Change_Picture>(a, b));
    pictures_.swap(a, b);
    return true;
}

bool cProject::insertEffect(int i, const strEffect& e) {
    const int count = effects_.count();
    // Full: inserting would push the last effect out.
    if (i < 0 || i > count || count >= effects_.capacity()) return false;
    if (recording()) record(std::make_unique<cRest_Update_Effect>(i, e, true));
    effects_.insertAt(i);
    effects_.setCopy(i, e);
    return true;
}

bool cProject::removeEffect(int i) {
    const strEffect* e = effects_.get(i);
    if (!e) return false;
    if (recording()) record(std::make_unique<cRest_Update_Effect>(i, *e, false));
    effects_.removeAt(i); // later effects close the gap
    return true;
}

bool cProject::addEffect(const strEffect& e, int* outIndex) {
    const int count = effects_.count();
    int pos = count;
    for (int i = 0; i < count; ++i) {
        const strEffect* x = effects_.get(i);
        if (x && x->startFrame > e.startFrame) {
            pos = i;
            break;
        }
    }
    if (!insertEffect(pos, e)) return false;
    if (outIndex) *outIndex = pos;
    return true;
}

int cProject::changeEffect(int i, const strEffect& e) {
    const strEffect* old = effects_.get(i);
    if (!old) return -1;
    if (*old == e) return i;
    // Removing first keeps every other effect even when the new start frame moves the edited one
    // before its old place; the effect table has room for it again.
    const bool samePlace = old->startFrame == e.startFrame;
    int at = i;
    if (!removeEffect(i)) return -1;
    if (samePlace ? !insertEffect(i, e) : !addEffect(e, &at)) return -1;
    return at;
}

void cProject::markSaved() {
    history_.markClean();
    announce(kDocHistory);
}

void cProject::markModified() {
    history_.forgetClean();
    announce(kDocHistory);
}

int cProject::repairFrames() {
    if (pending_) return -1;
    int moved = 0;
    int to = 0;
    for (int from = 0; from < frames_.capacity(); ++from) {
        if (!frames_.get(from)) continue;
        if (from != to) {
            frames_.set(to, frames_.take(from));
            ++moved;
        }
        ++to;
    }
    if (frames_.occupied() == 0 && frames_.capacity() > 0) {
        frames_.setCopy(0, blank_);
        ++moved;
    }
    history_.clear();
    if (moved) history_.forgetClean();
    return moved;
}
