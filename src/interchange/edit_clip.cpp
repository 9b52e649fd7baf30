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

bool cEditClip::Build() {
    Clear();
    const uint8_t placeholder[8] = {};
    Write(placeholder, 8);
    if (!Serialize()) {
        Clear();
        return false;
    }
    WriteByte(0);
    uint8_t header[8];
    StoreU32(header, kind_);
    StoreU32(header + 4, Size() - 8);
    WriteAt(0, header, 8);
    return true;
}

bool cEditClip::Parse(std::span<const uint8_t> payload) {
    Clear();
    if (payload.size() < 9 || LoadU32(payload.data()) != kind_) return false;
    // The system may hand back a block rounded up: what follows the stated length is padding.
    const uint64_t size = uint64_t(LoadU32(payload.data() + 4)) + 8;
    if (size < 9 || size > payload.size()) return false;
    Assign(std::vector<uint8_t>(payload.begin(), payload.begin() + static_cast<ptrdiff_t>(size)));
    Seek(8);
    return Deserialize();
}

bool cEditClip::Readable(std::span<const uint8_t> payload, uint32_t kind) {
    switch (kind) {
    case kClipPicture: {
        strPicture p;
        return cClip_Picture(&p).Parse(payload);
    }
    case kClipEffect: {
        strEffect e;
        return cClip_Effect(&e).Parse(payload);
    }
    case kClipCells:
    case kClipFrames:
    case kClipRows:
        return cClip_Mass(kind).Parse(payload);
    default:
        return false;
    }
}

void cEditClip::WriteShortText(const std::string& text) {
    const uint8_t n = static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
    WriteByte(n);
    Write(text.data(), n);
}

bool cEditClip::ReadShortText(std::string& text) {
    if (Remaining() < 1) return false;
    const uint8_t n = ReadByte();
    if (Remaining() < n) return false;
    if (n > 0) text.assign(reinterpret_cast<const char*>(Current()), n);
    Skip(n);
    return true;
}

// ---- cell --------------------------------------------------------------------------------------

void WriteCell22(Cclip_stream& s, const strCell& c) {
    uint8_t bytes[kCellBytes];
    EncodeCell(c, bytes);
    s.Write(bytes, kCellBytes);
}

strCell ReadCell22(Cclip_stream& s) {
    uint8_t bytes[kCellBytes] = {};
    s.Read(bytes, kCellBytes);
    return DecodeCell(bytes);
}

// ---- cClip_Picture -----------------------------------------------------------------------------

bool cClip_Picture::Serialize() {
    if (!picture_) return false;
    WriteU16(picture_->divX);
    WriteU16(picture_->divY);
    WriteU16(picture_->hue);
    WriteU16(0);
    WriteShortText(picture_->path);
    return true;
}

bool cClip_Picture::Deserialize() {
    if (!picture_ || Remaining() < 8) return false;
    picture_->divX = ReadU16();
    picture_->divY = ReadU16();
    picture_->hue = ReadU16();
    ReadU16();
    return ReadShortText(picture_->path);
}

// ---- cClip_Effect ------------------------------------------------------------------------------

bool cClip_Effect::Serialize() {
    if (!effect_) return false;
    const strEffect& e = *effect_;
    WriteU16(e.startFrame);
    WriteByte(e.flags);
    WriteByte(0);
    WriteU16(e.flashFrames);
    WriteByte(e.flashDrawing);
    WriteByte(e.flashObject);
    WriteByte(e.flashRed);
    WriteByte(e.flashGreen);
    WriteByte(e.flashBlue);
    WriteByte(e.flashStrength);
    WriteU16(e.volume);
    WriteU16(e.frequency);
    WriteU16(e.balance);
    WriteU16(0);
    WriteShortText(e.soundPath);
    WriteShortText(e.userData);
    return true;
}

bool cClip_Effect::Deserialize() {
    if (!effect_ || Remaining() < 20) return false;
    strEffect& e = *effect_;
    e.startFrame = ReadU16();
    e.flags = ReadByte();
    ReadByte();
    e.flashFrames = ReadU16();
    e.flashDrawing = ReadByte();
    e.flashObject = ReadByte();
    e.flashRed = ReadByte();
    e.flashGreen = ReadByte();
    e.flashBlue = ReadByte();
    e.flashStrength = ReadByte();
    e.volume = ReadU16();
    e.frequency = ReadU16();
    e.balance = ReadU16();
    ReadU16();
    return ReadShortText(e.soundPath) && ReadShortText(e.userData);
}

// ---- cClip_Mass --------------------------------------------------------------------------------

bool cClip_Mass::Serialize() {
    if (Empty()) return false;
    if (cells.size() > kMaxRecords || empties.size() > kMaxRecords || frames.size() > kMaxRecords ||
        locks.size() > kMaxRecords)
        return false;
    WriteU32(0); // reserved
    WriteU16(static_cast<uint16_t>(cells.size()));
    WriteU16(static_cast<uint16_t>(empties.size()));
    WriteU16(static_cast<uint16_t>(frames.size()));
    WriteU16(static_cast<uint16_t>(locks.size()));
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        WriteU16(it->frame);
        WriteU16(it->cell);
        WriteCell22(*this, it->value);
    }
    for (auto it = empties.rbegin(); it != empties.rend(); ++it) {
        WriteU16(it->frame);
        WriteU16(it->cell);
    }
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        WriteU16(it->frame);
        WriteU16(it->interval);
    }
    for (auto it = locks.rbegin(); it != locks.rend(); ++it) {
        WriteU16(it->cell);
        WriteU16(it->picture);
    }
    return true;
}

bool cClip_Mass::Deserialize() {
    ClearLists();
    if (Remaining() < 12) return false;
    reserved = ReadU32();
    const uint32_t nCells = ReadU16();
    const uint32_t nEmpties = ReadU16();
    const uint32_t nFrames = ReadU16();
    const uint32_t nLocks = ReadU16();
    const uint64_t need =
        uint64_t(nCells) * kCellRecordSize + uint64_t(nEmpties + nFrames + nLocks) * kShortRecordSize;
    if (need > Remaining()) return false;

    cells.resize(nCells);
    for (auto it = cells.rbegin(); it != cells.rend(); ++it) {
        it->frame = ReadU16();
        it->cell = ReadU16();
        it->value = ReadCell22(*this);
    }
    empties.resize(nEmpties);
    for (auto it = empties.rbegin(); it != empties.rend(); ++it) {
        it->frame = ReadU16();
        it->cell = ReadU16();
    }
    frames.resize(nFrames);
    for (auto it = frames.rbegin(); it != frames.rend(); ++it) {
        it->frame = ReadU16();
        it->interval = ReadU16();
    }
    locks.resize(nLocks);
    for (auto it = locks.rbegin(); it != locks.rend(); ++it) {
        it->cell = ReadU16();
        it->picture = ReadU16();
    }
    return true;
}

// ---- cEditClipboard ----------------------------------------------------------------------------

cEditClipboard::cEditClipboard(platform::cClipboard& clip)
    : clip_(clip), format_(clip.registerFormat(interchange::kFormatNameEdit)) {}

bool cEditClipboard::Put(cEditClip& payload) {
    if (format_ == 0 || !payload.Build()) return false;
    return payload.WriteToClipboard(clip_, format_);
}

bool cEditClipboard::Get(cEditClip& payload) const {
    payload.Clear();
    if (!HasKind(payload.Kind())) return false;
    std::vector<uint8_t> bytes;
    if (!clip_.read(format_, bytes)) return false;
    return payload.Parse(bytes);
}

bool cEditClipboard::HasKind(uint32_t kind) const {
    if (format_ == 0 || !clip_.isAvailable(format_)) return false;
    std::vector<uint8_t> bytes;
    if (!clip_.read(format_, bytes) || bytes.size() <= 4) return false;
    const uint32_t found = LoadU32(bytes.data());
    // Paste is offered only for a payload that Get can read.
    return (kind == kClipAnyKind || found == kind) && cEditClip::Readable(bytes, found);
}
