#pragma once
// The LCF chunk codec of RPG Maker 2000/2003: variable-length integers, records of
// numbered chunks each with a byte length, and arrays of records introduced by their element index.
// lcf::cWrite builds chunks on a cClipStream; lcf::cReadArray and lcf::cReadClass walk arrays and
// records, and the free functions below read single fields.
//
// Choices made here:
//   - Text lengths are written and read as proper variable-length integers (what LCF readers
//     expect); below 128 this is the one length byte of the original, from 128 on it stays correct.
//   - Field readers consume the whole field: ReadIntField skips to the end of its n data bytes even
//     when the integer inside used fewer, and ReadStringField skips every byte of its text even when
//     it keeps fewer. Lengths are cut at the end of the buffer.
//   - SkipField lets a record reader skip a chunk it does not know (a 2003 chunk such as the timing's
//     screen shake, id 8) by its length.
//   - A variable-length integer is decoded into 32 bits (higher bits fall off); reading stops at the
//     end of the buffer with the value accumulated so far.
// Every reader is bounded by the buffer: nothing reads outside it, and every loop either consumes
// a byte or ends.

#include "interchange/clip_stream.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace lcf {

// Bytes a variable-length integer of value v takes (1..5).
int VarintSize(uint32_t v);

class cWrite : public cClipStream {
  public:
    ~cWrite() override = default;

    // The variable-length integer; returns the bytes written (1..5).
    uint32_t writeVarint(uint32_t value);
    // The end-of-record byte 00; returns 1.
    uint32_t writeEnd() { return writeByte(0); }
    // The length (variable-length integer) and the n bytes, copied unchanged; returns n.
    uint32_t writeStringField(const void* bytes, uint32_t n);
    uint32_t writeStringField(std::string_view text) {
        return writeStringField(text.data(), static_cast<uint32_t>(text.size()));
    }
    // The length byte and the variable-length integer; returns the bytes written.
    uint32_t writeIntField(uint32_t value);

    // Conveniences used by the mapping: chunk id followed by the field.
    void writeIntChunk(uint32_t id, int32_t value) {
        writeVarint(id);
        writeIntField(static_cast<uint32_t>(value));
    }
    void writeStringChunk(uint32_t id, std::string_view text) {
        writeVarint(id);
        writeStringField(text);
    }
    // Chunk id, the size of the finished inner writer, then its bytes (sub-record or array).
    void writeInnerChunk(uint32_t id, const cWrite& inner) {
        writeVarint(id);
        writeVarint(inner.size());
        append(inner);
    }
};

// Walks the elements of an array: Next returns the next element index, or 0 after count elements
// (count <= 0 gives 0 at once). Each call that returns an index reads one variable-length integer.
class cReadArray {
  public:
    cReadArray(int32_t count, cClipStream& stream) : stream_(stream), count_(count) {}
    virtual ~cReadArray() = default;
    virtual uint32_t next();
    int32_t remaining() const { return count_; }

  protected:
    cClipStream& stream_;
    int32_t count_;
};

// Walks the chunks of a record: Next returns the next chunk id; 0 means the end of the record (the
// terminating 00 was read, or the buffer ended) or that limit + 1 ids have been read already. Each
// call decrements the remaining count; a call made when it is already below 0 returns 0 without
// reading.
class cReadClass : public cReadArray {
  public:
    cReadClass(int32_t limit, cClipStream& stream) : cReadArray(limit, stream) {}
    uint32_t next() override;
};

// A variable-length integer at the position; at most maxBytes (16 at most) bytes are looked at.
uint32_t ReadVarint(cClipStream& s, uint32_t maxBytes = 16);
// Length n, then a variable-length integer decoded within those n bytes; the position moves past
// all n bytes (cut at the end of the buffer).
uint32_t ReadIntField(cClipStream& s);
inline int32_t ReadSignedIntField(cClipStream& s) {
    return static_cast<int32_t>(ReadIntField(s));
}
inline bool ReadBoolField(cClipStream& s) {
    return ReadIntField(s) == 1;
}
// Length n, then n bytes of text of which at most capacity - 1 are kept in out (capacity 0 keeps
// none); the position moves past all n bytes. Returns the number of bytes kept.
uint32_t ReadStringField(cClipStream& s, std::string& out, uint32_t capacity);
// Reads a chunk length and skips that many bytes (the data of a chunk the reader does not know).
void SkipField(cClipStream& s);
// Reads a chunk length and returns the offset where the chunk's data ends, cut at the buffer end.
uint32_t ReadFieldEnd(cClipStream& s);

} // namespace lcf
