#include "interchange/lcf_codec.h"

#include <algorithm>

namespace lcf {

int VarintSize(uint32_t v) {
    int n = 1;
    while (v >>= 7)
        ++n;
    return n;
}

uint32_t cWrite::writeVarint(uint32_t value) {
    uint8_t bytes[5];
    const int n = VarintSize(value);
    // Most significant group first; bit 7 on every byte but the last.
    for (int i = n - 1; i >= 0; --i) {
        bytes[i] = static_cast<uint8_t>(value & 0x7F) | (i == n - 1 ? 0 : 0x80);
        value >>= 7;
    }
    return write(bytes, static_cast<uint32_t>(n));
}

uint32_t cWrite::writeStringField(const void* bytes, uint32_t n) {
    writeVarint(n);
    write(bytes, n);
    return n;
}

uint32_t cWrite::writeIntField(uint32_t value) {
    uint32_t n = writeByte(static_cast<uint8_t>(VarintSize(value)));
    return n + writeVarint(value);
}

uint32_t cReadArray::next() {
    if (count_ <= 0) return 0;
    --count_;
    return ReadVarint(stream_);
}

uint32_t cReadClass::next() {
    if (count_ < 0) return 0;
    --count_;
    return ReadVarint(stream_);
}

uint32_t ReadVarint(cClipStream& s, uint32_t maxBytes) {
    maxBytes = std::min<uint32_t>(maxBytes, 16);
    uint32_t value = 0;
    for (uint32_t i = 0; i < maxBytes && !s.atEnd(); ++i) {
        const uint8_t b = s.readByte();
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    return value;
}

uint32_t ReadFieldEnd(cClipStream& s) {
    const uint32_t n = ReadVarint(s);
    const uint32_t left = s.remaining();
    return s.position() + std::min(n, left);
}

uint32_t ReadIntField(cClipStream& s) {
    const uint32_t end = ReadFieldEnd(s);
    const uint32_t value = ReadVarint(s, end - s.position());
    s.seek(end);
    return value;
}

uint32_t ReadStringField(cClipStream& s, std::string& out, uint32_t capacity) {
    const uint32_t end = ReadFieldEnd(s);
    const uint32_t n = end - s.position();
    const uint32_t keep = capacity == 0 ? 0 : std::min(n, capacity - 1);
    out.assign(reinterpret_cast<const char*>(s.current()), keep);
    s.seek(end);
    return keep;
}

void SkipField(cClipStream& s) {
    s.seek(ReadFieldEnd(s));
}

} // namespace lcf
