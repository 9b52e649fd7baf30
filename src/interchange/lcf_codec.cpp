#include "interchange/lcf_codec.h"

#include <algorithm>

namespace PK2 {

int VarintSize(uint32_t v) {
    int n = 1;
    while (v >>= 7) ++n;
    return n;
}

uint32_t CWrite::WriteVarint(uint32_t value) {
    uint8_t bytes[5];
    const int n = VarintSize(value);
    // Most significant group first; bit 7 on every byte but the last.
    for (int i = n - 1; i >= 0; --i) {
        bytes[i] = static_cast<uint8_t>(value & 0x7F) | (i == n - 1 ? 0 : 0x80);
        value >>= 7;
    }
    return Write(bytes, static_cast<uint32_t>(n));
}

uint32_t CWrite::WriteStringField(const void* bytes, uint32_t n) {
    WriteVarint(n);
    Write(bytes, n);
    return n;
}

uint32_t CWrite::WriteIntField(uint32_t value) {
    uint32_t n = WriteByte(static_cast<uint8_t>(VarintSize(value)));
    return n + WriteVarint(value);
}

uint32_t CReadArray::Next() {
    if (count_ <= 0) return 0;
    --count_;
    return ReadVarint(stream_);
}

uint32_t CReadClass::Next() {
    if (count_ < 0) return 0;
    --count_;
    return ReadVarint(stream_);
}

uint32_t ReadVarint(Cclip_stream& s, uint32_t maxBytes) {
    maxBytes = std::min<uint32_t>(maxBytes, 16);
    uint32_t value = 0;
    for (uint32_t i = 0; i < maxBytes && !s.AtEnd(); ++i) {
        const uint8_t b = s.ReadByte();
        value = (value << 7) | (b & 0x7F);
        if (!(b & 0x80)) break;
    }
    return value;
}

uint32_t ReadFieldEnd(Cclip_stream& s) {
    const uint32_t n = ReadVarint(s);
    const uint32_t left = s.Remaining();
    return s.Position() + std::min(n, left);
}

uint32_t ReadIntField(Cclip_stream& s) {
    const uint32_t end = ReadFieldEnd(s);
    const uint32_t value = ReadVarint(s, end - s.Position());
    s.Seek(end);
    return value;
}

uint32_t ReadStringField(Cclip_stream& s, std::string& out, uint32_t capacity) {
    const uint32_t end = ReadFieldEnd(s);
    const uint32_t n = end - s.Position();
    const uint32_t keep = capacity == 0 ? 0 : std::min(n, capacity - 1);
    out.assign(reinterpret_cast<const char*>(s.Current()), keep);
    s.Seek(end);
    return keep;
}

void SkipField(Cclip_stream& s) { s.Seek(ReadFieldEnd(s)); }

}  // namespace PK2
