#pragma once
// A growable byte buffer with a read position: the base of every clipboard codec stream and of the
// edit-clipboard payloads. Reading past the end never fails: Read returns fewer bytes and readByte
// returns 0. Multi-byte integers are little-endian.

#include "platform/clipboard.h"

#include <cstdint>
#include <string>
#include <vector>

class cClipStream {
  public:
    virtual ~cClipStream() = default;

    void clear() {
        buffer_.clear();
        position_ = 0;
    }
    uint32_t size() const { return static_cast<uint32_t>(buffer_.size()); }
    uint32_t position() const { return position_; }
    const uint8_t* data(uint32_t offset = 0) const {
        return buffer_.data() + (offset < size() ? offset : size());
    }
    const uint8_t* current() const { return data(position_); }
    // Bytes left to read.
    uint32_t remaining() const { return position_ < size() ? size() - position_ : 0; }
    bool atEnd() const { return position_ >= size(); }
    const std::vector<uint8_t>& buffer() const { return buffer_; }
    void assign(std::vector<uint8_t> bytes) {
        buffer_ = std::move(bytes);
        position_ = 0;
    }

    // Appends n bytes and advances the position by n; returns n.
    uint32_t write(const void* bytes, uint32_t n);
    uint32_t writeByte(uint8_t b);
    uint32_t writeU16(uint16_t v);
    uint32_t writeU32(uint32_t v);
    uint32_t append(const cClipStream& other) { return write(other.buffer_.data(), other.size()); }
    // Overwrites from offset on without growing; returns the offset after the last byte written.
    uint32_t writeAt(uint32_t offset, const void* bytes, uint32_t n);

    // Copies min(n, remaining) bytes and advances; returns the count copied.
    uint32_t read(void* destination, uint32_t n);
    // The byte at the position and advance; 0 (position unchanged) at the end.
    uint8_t readByte();
    // Little-endian reads; missing bytes read as 0.
    uint16_t readU16();
    uint32_t readU32();
    void seek(uint32_t offset) { position_ = offset < size() ? offset : size(); }
    // position = min(position + n, size) with n as unsigned 32-bit, so skip(-1) steps back one.
    void skip(uint32_t n) {
        uint32_t p = position_ + n;
        position_ = p < size() ? p : size();
    }

    // Clipboard transfers: the whole buffer as one format.
    bool readFromClipboard(const platform::cClipboard& clip, uint32_t format);
    bool writeToClipboard(platform::cClipboard& clip, uint32_t format) const;

  private:
    std::vector<uint8_t> buffer_;
    uint32_t position_ = 0;
};
