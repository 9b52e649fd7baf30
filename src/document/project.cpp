#include "document/project.h"

#include "config/config.h"
#include "document/restore.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kMaxCapacity = 1000;

template <class T> T clampTo(int v, int lo, int hi) { return static_cast<T>(std::clamp(v, lo, hi)); }

}  // namespace

cProject::cProject(const cConfig* config) : config_(config ? config : &cConfig::defaults()) {
    create(0, 0, 0, 0);
}

cProject::~cProject() = default;

bool cProject::create(int frames, int cells, int pictures, int effects) {
    frames_.clearAll();
    pictures_.clearAll();
    effects_.clearAll();
    for (auto& t : texts_) t.clear();

    frames = std::min(std::max(frames, cConfig::kMinFrameCapacity), kMaxCapacity);
    pictures = std::min(std::max(pictures, cConfig::kMinPictureCapacity), kMaxCapacity);
    effects = std::min(std::max(effects, cConfig::kMinEffectCapacity), kMaxCapacity);
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

    if (!frames_.allocate(frames) || !pictures_.allocate(pictures) || !effects_.allocate(effects)) return false;
    lockTable_.assign(cellNumber_, 0);
    blank_ = strFrame{};
    blank_.cells.allocate(cellNumber_);
    pending_.reset();
    modified_ = false;
    clearHistory();
    return true;
}

void cProject::applyDefaults() {
    const cConfig& c = *config_;
    basicInterval_ = c.Init_Int;
    centrePosition_ = c.Init_Center;
    splitFormat_ = c.Init_Div;
    lock_ = c.Init_FixFlag ? 1 : 0;
    editFormat_ = c.Init_Edit;
    saveFormat_ = c.Init_Format;
}

int cProject::getSetting(int key) const {
    switch (key) {
    case kKeyFrameCount: return frames_.occupied();
    case kKeyPictureCount: return pictures_.occupied();
    case kKeyEffectCount: return effects_.occupied();
    case kKeyEditFormat: return editFormat_;
    case kKeySplitFormat: return splitFormat_;
    case kKeySaveFormat: return saveFormat_;
    case kKeyCentrePosition: return centrePosition_;
    case kKeyBasicInterval: return basicInterval_;
    case kKeyTotalInterval: return totalInterval_;
    case kKeyLock: return lock_;
    default: return cellNumber_;
    }
}

bool cProject::setSetting(int key, int value) {
    switch (key) {
    case kKeyEditFormat: editFormat_ = value; return true;
    case kKeySplitFormat: splitFormat_ = value; return true;
    case kKeySaveFormat: saveFormat_ = value; return true;
    case kKeyCentrePosition: centrePosition_ = value; return true;
    case kKeyBasicInterval: basicInterval_ = value; return true;
    case kKeyTotalInterval: totalInterval_ = value; return true;
    case kKeyLock: lock_ = value != 0; return true;
    default: return false;
    }
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
    texts_[key - kTextBaseFolder] = value;
    return true;
}

strFrame* cProject::frameOrCreate(int i) {
    if (!frames_.inRange(i)) return nullptr;
    if (!frames_.get(i)) frames_.setCopy(i, blank_);
    return frames_.get(i);
}

strCell* cProject::cell(int frame, int cell) const {
    strFrame* f = frames_.get(frame);
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
    case 3: c.my = c.mx; break;
    case 4: c.angle = 0; break;
    default: break;
    }
}

void cProject::normalisePicture(strPicture& p, int imageWidth, int imageHeight) {
    p.divX = clampTo<uint16_t>(p.divX, 1, 1024);
    p.divY = clampTo<uint16_t>(p.divY, 1, 1024);
    p.hue = std::min<uint16_t>(p.hue, 360);
    if (imageWidth > 0) p.divX = std::min<uint16_t>(p.divX, static_cast<uint16_t>(std::min(imageWidth, 1024)));
    if (imageHeight > 0) p.divY = std::min<uint16_t>(p.divY, static_cast<uint16_t>(std::min(imageHeight, 1024)));
}

void cProject::record(std::unique_ptr<cRestore> r) {
    if (pending_) pending_->append(std::move(r));
}

void cProject::clearHistory() {
    if (clearHistory_) clearHistory_();
}

bool cProject::setCell(int frame, int cell, const strCell* c) {
    strFrame* f = frames_.get(frame);
    if (!f || !f->cells.inRange(cell)) return false;
    if (c) {
        strCell n = *c;
        normaliseCell(n, cell);
        if (pending_) record(std::make_unique<cRest_Update_Cell>(frame, cell, &n, f->cells.get(cell)));
        f->cells.setCopy(cell, n);
    } else {
        if (pending_) record(std::make_unique<cRest_Update_Cell>(frame, cell, nullptr, f->cells.get(cell)));
        f->cells.reset(cell);
    }
    modified_ = true;
    return true;
}

bool cProject::setFrameInterval(int frame, uint16_t interval) {
    strFrame* f = frames_.get(frame);
    if (!f) return false;
    if (pending_) record(std::make_unique<cRest_Update_Int>(frame, interval, f->interval));
    f->interval = interval;
    modified_ = true;
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
        if (strCell* c = this->cell(i, cell)) c->picture = picture;
}

bool cProject::setLockedPicture(int cell, uint8_t picture) {
    if (cell < 0 || cell >= static_cast<int>(lockTable_.size()) || lockTable_[cell] == picture) return false;
    if (pending_ && lock_) {
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
    if (pending_) record(std::make_unique<cRest_Update_FixCell>(cell, picture, lockTable_[cell]));
    lockTable_[cell] = picture;
    if (lock_) rewriteLockedPicture(cell, picture);
    modified_ = true;
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
        if (pending_) record(std::make_unique<cRest_Update_Frame>(i, nullptr, frames_.get(i)));
        frames_.reset(i);
    }
    if (pending_) record(std::make_unique<cRest_Slide_Frame>(from, count, to));
    std::vector<std::unique_ptr<strFrame>> block(count);
    for (int k = 0; k < count; ++k) block[k] = frames_.take(from + k);
    for (int k = 0; k < count; ++k) frames_.set(to + k, std::move(block[k]));
    modified_ = true;
    return true;
}

bool cProject::exchangeCells(int frameA, int cellA, int frameB, int cellB) {
    strFrame* fa = frames_.get(frameA);
    strFrame* fb = frames_.get(frameB);
    if (!fa || !fb || !fa->cells.inRange(cellA) || !fb->cells.inRange(cellB)) return false;
    if (frameA == frameB && cellA == cellB) return false;
    if (pending_) record(std::make_unique<cRest_Change_Cell>(frameA, cellA, frameB, cellB));
    if (fa == fb) {
        fa->cells.swap(cellA, cellB);
    } else {
        auto a = fa->cells.take(cellA);
        auto b = fb->cells.take(cellB);
        fa->cells.set(cellA, std::move(b));
        fb->cells.set(cellB, std::move(a));
    }
    modified_ = true;
    return true;
}

bool cProject::exchangeFrames(int a, int b) {
    if (!frames_.inRange(a) || !frames_.inRange(b) || a == b) return false;
    if (pending_) record(std::make_unique<cRest_Change_Frame>(a, b));
    frames_.swap(a, b);
    modified_ = true;
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
    if (pending_) record(std::make_unique<cRest_Update_Frame>(i, f, frames_.get(i)));
    frames_.set(i, std::move(copy));
    modified_ = true;
    return true;
}

bool cProject::setCellNumber(int n) {
    n = std::clamp(n, 0, cConfig::kMaxCellNumber);
    if (n < 1 || n == cellNumber_) return false;
    pending_.reset();
    clearHistory();
    lockTable_.resize(n, 0);
    for (int i = 0; i < frames_.capacity(); ++i)
        if (strFrame* f = frames_.get(i)) f->cells.resize(n);
    blank_.cells.resize(n);
    cellNumber_ = n;
    modified_ = true;
    return true;
}

bool cProject::applyStructural(const strProjectSettings& s, const std::function<bool()>& confirm) {
    const bool structural = s.cellNumber != cellNumber_ || s.splitFormat != splitFormat_ ||
                            (s.lock != 0) != (lock_ != 0) || s.editFormat != editFormat_;
    if (structural && confirm && !confirm()) return false;
    texts_[kTextName - kTextBaseFolder] = s.name;
    texts_[kTextUserData - kTextBaseFolder] = s.userData;
    centrePosition_ = s.centrePosition;
    saveFormat_ = s.saveFormat;
    basicInterval_ = s.basicInterval;
    totalInterval_ = s.totalInterval;
    if (!structural) return true;
    if (s.cellNumber != cellNumber_) setCellNumber(s.cellNumber);
    splitFormat_ = s.splitFormat;
    if ((s.lock != 0) != (lock_ != 0) || s.editFormat != editFormat_) {
        lock_ = s.lock != 0;
        editFormat_ = s.editFormat;
        for (int i = 0; i < frames_.capacity(); ++i) {
            strFrame* f = frames_.get(i);
            if (!f) continue;
            for (int c = 0; c < f->cells.capacity(); ++c)
                if (strCell* cell = f->cells.get(c)) normaliseCell(*cell, c);
        }
        modified_ = true;
    }
    pending_.reset();
    clearHistory();
    return true;
}

bool cProject::addEffect(const strEffect& e, int* outIndex) {
    const int count = effects_.count();
    if (count >= effects_.capacity()) return false;  // full: adding would push the last one out
    int pos = count;
    for (int i = 0; i < count; ++i) {
        const strEffect* x = effects_.get(i);
        if (x && x->startFrame > e.startFrame) {
            pos = i;
            break;
        }
    }
    effects_.insertAt(pos);
    effects_.setCopy(pos, e);
    if (outIndex) *outIndex = pos;
    modified_ = true;
    return true;
}

void cProject::setPendingStep(std::unique_ptr<cRestoreObj> step) { pending_ = std::move(step); }

std::unique_ptr<cRestoreObj> cProject::takePendingStep() { return std::move(pending_); }
