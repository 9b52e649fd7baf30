#include "interchange/edit_clip.h"

#include "document/cell_bytes.h"
#include "interchange/clipboard_formats.h"
#include "platform/clipboard.h"

#include <algorithm>

namespace {

uint32_t LoadU32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void StoreU32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

} // namespace

// ---- cEditClip ---------------------------------------------------------------------------------

bool cEditClip::build() {
    clear();
    const uint8_t placeholder[8] = {};
    write(placeholder, 8);
    if (!serialize()) {
        clear();
        return false;
    }
    writeByte(0);
    uint8_t header[8];
    StoreU32(header, kind_);
    StoreU32(header + 4, size() - 8);
    writeAt(0, header, 8);
    return true;
}

bool cEditClip::parse(std::span<const uint8_t> payload) {
    clear();
    if (payload.size() < 9 || LoadU32(payload.data()) != kind_) return false;
    // The system may hand back a block rounded up: what follows the stated length is padding.
    const uint64_t size = uint64_t(LoadU32(payload.data() + 4)) + 8;
    if (size < 9 || size > payload.size()) return false;
    assign(std::vector<uint8_t>(payload.begin(), payload.begin() + static_cast<ptrdiff_t>(size)));
    seek(8);
    return deserialize();
}

bool cEditClip::readable(std::span<const uint8_t> payload, uint32_t kind) {
    switch (kind) {
    case kClipPicture: {
        strPicture p;
        return cClip_Picture(&p).parse(payload);
    }
    case kClipEffect: {
        strEffect e;
        return cClip_Effect(&e).parse(payload);
    }
    case kClipCells:
    case kClipFrames:
    case kClipRows:
        return cClip_Mass(kind).parse(payload);
    default:
        return false;
    }
}

void cEditClip::writeShortText(const std::string& text) {
    const uint8_t n = static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
    writeByte(n);
    write(text.data(), n);
}

bool cEditClip::readShortText(std::string& text) {
    if (remaining() < 1) return false;
    const uint8_t n = readByte();
    if (remaining() < n) return false;
    if (n > 0) text.assign(reinterpret_cast<const char*>(current()), n);
    skip(n);
    return true;
}

// ---- cell --------------------------------------------------------------------------------------

void WriteCell22(cClipStream& s, const strCell& c) {
    uint8_t bytes[kCellBytes];
    EncodeCell(c, bytes);
    s.write(bytes, kCellBytes);
}

strCell ReadCell22(cClipStream& s) {
    uint8_t bytes[kCellBytes] = {};
    s.read(bytes, kCellBytes);
    return DecodeCell(bytes);
}

// ---- cClip_Picture -----------------------------------------------------------------------------

bool cClip_Picture::serialize() {
    if (!picture_) return false;
    writeU16(picture_->divX);
    writeU16(picture_->divY);
    writeU16(picture_->hue);
    writeU16(0);
    writeShortText(picture_->path);
    return true;
}

bool cClip_Picture::deserialize() {
    if (!picture_ || remaining() < 8) return false;
    picture_->divX = readU16();
    picture_->divY = readU16();
    picture_->hue = readU16();
    readU16();
    return readShortText(picture_->path);
}

// ---- cClip_Effect ------------------------------------------------------------------------------

bool cClip_Effect::serialize() {
    if (!effect_) return false;
    const strEffect& e = *effect_;
    writeU16(e.startFrame);
    writeByte(e.flags);
    writeByte(0);
    writeU16(e.flashFrames);
    writeByte(e.flashDrawing);
    writeByte(e.flashObject);
    writeByte(e.flashRed);
    writeByte(e.flashGreen);
    writeByte(e.flashBlue);
    writeByte(e.flashStrength);
    writeU16(e.volume);
    writeU16(e.frequency);
    writeU16(e.balance);
    writeU16(0);
    writeShortText(e.soundPath);
    writeShortText(e.userData);
    return true;
}

bool cClip_Effect::deserialize() {
    if (!effect_ || remaining() < 20) return false;
    strEffect& e = *effect_;
    e.startFrame = readU16();
    e.flags = readByte();
    readByte();
    e.flashFrames = readU16();
    e.flashDrawing = readByte();
    e.flashObject = readByte();
    e.flashRed = readByte();
    e.flashGreen = readByte();
    e.flashBlue = readByte();
    e.flashStrength = readByte();
    e.volume = readU16();
    e.frequency = readU16();
    e.balance = readU16();
    readU16();
    return readShortText(e.soundPath) && readShortText(e.userData);
}

// ---- cClip_Mass --------------------------------------------------------------------------------

bool cClip_Mass::serialize() {
    if (empty()) return false;
    if (cells.size() > kMaxRecords || empties.size() > kMaxRecords || frames.size() > kMaxRecords ||
        locks.size() > kMaxRecords)
        return false;
    writeU32(0); // reserved
    writeU16(static_cast<uint16_t>(cells.size()));
    writeU16(static_cast<uint16_t>(empties.size()));
    writeU16(static_cast<uint16_t>(frames.size()));
    writeU16(static_cast<uint16_t>(locks.size()));
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        writeU16(it->frame);
        writeU16(it->cell);
        WriteCell22(*this, it->value);
    }
    for (auto it = empties.rbegin(); it != empties.rend(); ++it) {
        writeU16(it->frame);
        writeU16(it->cell);
    }
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        writeU16(it->frame);
        writeU16(it->interval);
    }
    for (auto it = locks.rbegin(); it != locks.rend(); ++it) {
        writeU16(it->cell);
        writeU16(it->picture);
    }
    return true;
}

bool cClip_Mass::deserialize() {
    clearLists();
    if (remaining() < 12) return false;
    reserved = readU32();
    const uint32_t nCells = readU16();
    const uint32_t nEmpties = readU16();
    const uint32_t nFrames = readU16();
    const uint32_t nLocks = readU16();
    const uint64_t need =
        uint64_t(nCells) * kCellRecordSize + uint64_t(nEmpties + nFrames + nLocks) * kShortRecordSize;
    if (need > remaining()) return false;

    cells.resize(nCells);
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        it->frame = readU16();
        it->cell = readU16();
        it->value = ReadCell22(*this);
    }
    empties.resize(nEmpties);
    for (auto it = empties.rbegin(); it != empties.rend(); ++it) {
        it->frame = readU16();
        it->cell = readU16();
    }
    frames.resize(nFrames);
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        it->frame = readU16();
        it->interval = readU16();
    }
    locks.resize(nLocks);
    for (auto it = locks.rbegin(); it != locks.rend(); ++it) {
        it->cell = readU16();
        it->picture = readU16();
    }
    return true;
}

// ---- cEditClipboard ----------------------------------------------------------------------------

cEditClipboard::cEditClipboard(platform::cClipboard& clip)
    : clip_(clip), format_(clip.registerFormat(interchange::kFormatNameEdit)) {}

bool cEditClipboard::put(cEditClip& payload) {
    if (format_ == 0 || !payload.build()) return false;
    return payload.writeToClipboard(clip_, format_);
}

bool cEditClipboard::get(cEditClip& payload) const {
    payload.clear();
    if (!hasKind(payload.kind())) return false;
    std::vector<uint8_t> bytes;
    if (!clip_.read(format_, bytes)) return false;
    return payload.parse(bytes);
}

bool cEditClipboard::hasKind(uint32_t kind) const {
    if (format_ == 0 || !clip_.isAvailable(format_)) return false;
    std::vector<uint8_t> bytes;
    if (!clip_.read(format_, bytes) || bytes.size() <= 4) return false;
    const uint32_t found = LoadU32(bytes.data());
    // Paste is offered only for a payload that Get can read.
    return (kind == kClipAnyKind || found == kind) && cEditClip::readable(bytes, found);
}
