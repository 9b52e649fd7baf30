#pragma once
// Bounded little-endian reads from a byte span: every read reports whether the data held it.

#include <cstdint>
#include <cstring>
#include <span>
#include <string>

class cByteReader {
public:
    explicit cByteReader(std::span<const uint8_t> data) : data_(data) {}

    size_t position() const { return pos_; }
    size_t remaining() const { return data_.size() - pos_; }
    bool atEnd() const { return pos_ >= data_.size(); }

    bool bytes(void* out, size_t n) {
        if (n > remaining()) {
            pos_ = data_.size();
            return false;
        }
        if (n) std::memcpy(out, data_.data() + pos_, n);
        pos_ += n;
        return true;
    }
    bool skip(size_t n) {
        if (n > remaining()) {
            pos_ = data_.size();
            return false;
        }
        pos_ += n;
        return true;
    }
    bool u8(int& v) {
        uint8_t b;
        if (!bytes(&b, 1)) return false;
        v = b;
        return true;
    }
    bool u16(int& v) {
        uint8_t b[2];
        if (!bytes(b, 2)) return false;
        v = b[0] | b[1] << 8;
        return true;
    }
    // One-byte length, then that many bytes; the text ends at the first zero byte among them.
    bool shortText(std::string& out) {
        int n = 0;
        if (!u8(n) || static_cast<size_t>(n) > remaining()) {
            pos_ = data_.size();
            return false;
        }
        const char* p = reinterpret_cast<const char*>(data_.data() + pos_);
        out.assign(p, strnlen(p, static_cast<size_t>(n)));
        pos_ += static_cast<size_t>(n);
        return true;
    }

private:
    std::span<const uint8_t> data_;
    size_t pos_ = 0;
};
