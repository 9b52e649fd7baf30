#include "interchange/clip_stream.h"

#include <cstring>

uint32_t cClipStream::write(const void* bytes, uint32_t n) {
    const auto* p = static_cast<const uint8_t*>(bytes);
    buffer_.insert(buffer_.end(), p, p + n);
    position_ += n;
    return n;
}

uint32_t cClipStream::writeByte(uint8_t b) {
    return write(&b, 1);
}

uint32_t cClipStream::writeU16(uint16_t v) {
    uint8_t b[2] = {uint8_t(v), uint8_t(v >> 8)};
    return write(b, 2);
}

uint32_t cClipStream::writeU32(uint32_t v) {
    uint8_t b[4] = {uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16), uint8_t(v >> 24)};
    return write(b, 4);
}

uint32_t cClipStream::writeAt(uint32_t offset, const void* bytes, uint32_t n) {
    if (offset >= size()) return offset;
    uint32_t k = n < size() - offset ? n : size() - offset;
    std::memcpy(buffer_.data() + offset, bytes, k);
    return offset + k;
}

uint32_t cClipStream::read(void* destination, uint32_t n) {
    uint32_t k = n < remaining() ? n : remaining();
    if (k) std::memcpy(destination, buffer_.data() + position_, k);
    position_ += k;
    return k;
}

uint8_t cClipStream::readByte() {
    if (atEnd()) return 0;
    return buffer_[position_++];
}

uint16_t cClipStream::readU16() {
    uint8_t b[2] = {0, 0};
    read(b, 2);
    return uint16_t(b[0] | b[1] << 8);
}

uint32_t cClipStream::readU32() {
    uint8_t b[4] = {0, 0, 0, 0};
    read(b, 4);
    return uint32_t(b[0]) | uint32_t(b[1]) << 8 | uint32_t(b[2]) << 16 | uint32_t(b[3]) << 24;
}

bool cClipStream::readFromClipboard(const platform::cClipboard& clip, uint32_t format) {
    clear();
    std::vector<uint8_t> bytes;
    if (!clip.read(format, bytes)) return false;
    buffer_ = std::move(bytes);
    return true;
}

bool cClipStream::writeToClipboard(platform::cClipboard& clip, uint32_t format) const {
    return format != 0 && clip.write(format, buffer_);
}
