#pragma once
// A growable byte buffer with a read position: the base of every clipboard codec stream and of the
// edit-clipboard payloads. Reading past the end never fails: Read returns fewer bytes and ReadByte
// returns 0. Multi-byte integers are little-endian.

#include "platform/clipboard.h"

#include <cstdint>
#include <string>
#include <vector>

class Cclip_stream {
public:
    virtual ~Cclip_stream() = default;

    void Clear() {
        buffer_.clear();
        position_ = 0;
    }
    uint32_t Size() const { return static_cast<uint32_t>(buffer_.size()); }
    uint32_t Position() const { return position_; }
    const uint8_t* Data(uint32_t offset = 0) const { return buffer_.data() + (offset < Size() ? offset : Size()); }
    const uint8_t* Current() const { return Data(position_); }
    // Bytes left to read.
    uint32_t Remaining() const { return position_ < Size() ? Size() - position_ : 0; }
    bool AtEnd() const { return position_ >= Size(); }
    const std::vector<uint8_t>& Buffer() const { return buffer_; }
    void Assign(std::vector<uint8_t> bytes) {
        buffer_ = std::move(bytes);
        position_ = 0;
    }

    // Appends n bytes and advances the position by n; returns n.
    uint32_t Write(const void* bytes, uint32_t n);
    uint32_t WriteByte(uint8_t b);
    uint32_t WriteU16(uint16_t v);
    uint32_t WriteU32(uint32_t v);
    uint32_t Append(const Cclip_stream& other) { return Write(other.buffer_.data(), other.Size()); }
    // Overwrites from offset on without growing; returns the offset after the last byte written.
    uint32_t WriteAt(uint32_t offset, const void* bytes, uint32_t n);

    // Copies min(n, remaining) bytes and advances; returns the count copied.
    uint32_t Read(void* destination, uint32_t n);
    // The byte at the position and advance; 0 (position unchanged) at the end.
    uint8_t ReadByte();
    // Little-endian reads; missing bytes read as 0.
    uint16_t ReadU16();
    uint32_t ReadU32();
    void Seek(uint32_t offset) { position_ = offset < Size() ? offset : Size(); }
    // position = min(position + n, size) with n as unsigned 32-bit, so Skip(-1) steps back one.
    void Skip(uint32_t n) {
        uint32_t p = position_ + n;
        position_ = p < Size() ? p : Size();
    }

    // Clipboard transfers: the whole buffer as one format.
    bool ReadFromClipboard(const platform::cClipboard& clip, uint32_t format);
    bool WriteToClipboard(platform::cClipboard& clip, uint32_t format) const;

private:
    std::vector<uint8_t> buffer_;
    uint32_t position_ = 0;
};
