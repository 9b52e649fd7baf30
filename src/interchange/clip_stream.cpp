#include "interchange/clip_stream.h"

#include <cstring>

uint32_t Cclip_stream::Write(const void* bytes, uint32_t n) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    buffer_.insert(buffer_.end(), p, p + n);
    position_ += n;
    return n;
}

uint32_t Cclip_stream::WriteByte(uint8_t b) { return Write(&b, 1); }

uint32_t Cclip_stream::WriteU16(uint16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    return Write(b, 2);
}

uint32_t Cclip_stream::WriteU32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    return Write(b, 4);
}

uint32_t Cclip_stream::WriteAt(uint32_t offset, const void* bytes, uint32_t n) {
    if (offset >= Size()) return offset;
    uint32_t k = n < Size() - offset ? n : Size() - offset;
    std::memcpy(buffer_.data() + offset, bytes, k);
    return offset + k;
}

uint32_t Cclip_stream::Read(void* destination, uint32_t n) {
    uint32_t k = n < Remaining() ? n : Remaining();
    if (k) std::memcpy(destination, buffer_.data() + position_, k);
    position_ += k;
    return k;
}

uint8_t Cclip_stream::ReadByte() {
    if (AtEnd()) return 0;
    return buffer_[position_++];
}

uint16_t Cclip_stream::ReadU16() {
    uint8_t b[2] = {0, 0};
    Read(b, 2);
    return uint16_t(b[0] | b[1] << 8);
}

uint32_t Cclip_stream::ReadU32() {
    uint8_t b[4] = {0, 0, 0, 0};
    Read(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

bool Cclip_stream::ReadFromClipboard(const platform::cClipboard& clip, uint32_t format) {
    Clear();
    std::vector<uint8_t> bytes;
    if (!clip.read(format, bytes)) return false;
    buffer_ = std::move(bytes);
    return true;
}

bool Cclip_stream::WriteToClipboard(platform::cClipboard& clip, uint32_t format) const {
    return format != 0 && clip.write(format, buffer_);
}
