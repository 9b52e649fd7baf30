#pragma once
// PKRUBY::CRead: the Marshal reader.
//
// It takes apart the constructs the animation mapping asks for, in the order it asks for them, and
// can skip any other Marshal value whole (nil, true, false, fixnum, float, bignum, string, symbol
// and symbol link, array, hash with and without default, object, 'u' and 'U' user data, 'I' with any
// instance variables, 'e' extended, 'C' user class, regexp, struct, object link '@', class and
// module). A typed read that meets a value of another type skips that value and gives the default
// (0, an empty text, no table), so an unexpected value leaves the stream in step. Skipping recurses
// at most kMaxDepth levels.
//
// Unlike the original, the reader keeps an error state: running out of bytes where the format
// needs more, an unknown tag, a negative count or too deep a nesting marks the reader failed, and
// the mapping turns that into a failed import. Reads never go past the end of the buffer.
//
// Strings and symbols longer than kMaxText bytes keep their first kMaxText bytes; the rest is
// skipped. Texts are returned as the UTF-8 bytes of the payload.

#include "interchange/ruby_clip.h"
#include "interchange/ruby_symbols.h"
#include "interchange/ruby_table.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

namespace PKRUBY {

class CRead : public Cclip {
public:
    static constexpr uint32_t kMaxText = 254;
    static constexpr int kMaxDepth = 64;
    // More distinct symbols than any animation uses by far; a payload defining more fails, so that a
    // crafted payload cannot make the symbol table many times larger than itself.
    static constexpr int32_t kMaxSymbols = 65536;

    // symbols is shared for one import and not owned.
    explicit CRead(CReadSymbols* symbols = nullptr) : Cclip(kStringEncoded), symbols_(symbols) {}

    // --- error state ---
    bool Failed() const { return error_ != nullptr; }
    const char* Error() const { return error_ ? error_ : ""; }
    // Marks the reader failed (the first reason is kept).
    void Fail(const char* why) {
        if (!error_) error_ = why;
    }

    // --- stepping back over a value ---
    struct strMark {
        uint32_t position = 0;
        int32_t symbols = 0;
    };
    strMark Mark() const;
    // Returns to a mark and forgets the symbols defined since.
    void Rewind(const strMark& m);

    // The byte at the position without taking it; 0 at the end.
    uint8_t PeekByte() const { return AtEnd() ? 0 : *Current(); }

    // --- typed reads ---
    // A fixnum body (no tag).
    int32_t ReadLong();
    // 'i' and its long; any other value is skipped whole and gives 0.
    int32_t ReadFixnum();
    // '[' and its count; any other value is skipped whole and gives 0. The elements follow.
    int32_t ReadArrayLength();
    // A string ('"', or 'I' around a string with any instance variables) as UTF-8 bytes; returns
    // the number of bytes kept (0 when none). Any other value is skipped whole and gives 0.
    uint32_t ReadString(std::string& out);
    // ':' (defines a symbol) or ';' (a link). Returns the index; -1 when no symbol was read (an empty
    // symbol, or another tag, which also marks the reader failed). out is set to the text for a
    // symbol or a link (empty for an unknown index) and left alone otherwise.
    int32_t ReadSymbol(std::string& out);
    void PushNames(const CNameTable* table) { names_.push_back(table); }
    void PopNames() {
        if (!names_.empty()) names_.pop_back();
    }
    // Searches every pushed table, first to last; the last table that knows the text wins. 0 when
    // none does.
    int ResolveName(const std::string& text) const;
    // ReadSymbol, then ResolveName of its text; 0 when no symbol was read or the name is unknown.
    int ReadSymbolId();
    // 'o' or 'u', the class name and, when the class is known, the number (instance-variable count
    // or byte length). Any other tag gives 0 and number 0 (the byte is taken). Returns the class
    // identifier.
    int ReadObjectHeader(int32_t& number);
    // The header of an object of one of the classes with the given tag ('o' or 'u'): the class
    // identifier, with the number read. Otherwise the whole value is skipped and 0 returned.
    int EnterObject(std::initializer_list<int> classIds, uint8_t tagByte, int32_t& number);
    bool EnterObject(int classId, uint8_t tagByte, int32_t& number) {
        return EnterObject({classId}, tagByte, number) != 0;
    }
    // A Color ('u' of class colorId): red | green << 8 | blue << 16 | alpha << 24 of the four
    // doubles truncated to integers (presets 100, 0, 0, 0 where the data is short); 0 and the value
    // skipped for anything else.
    uint32_t ReadColor(int colorId);
    // A Table ('u' of class tableId) into out; returns the byte length from the header (0 and the
    // value skipped for anything else). Exactly the header's byte length is consumed whatever the
    // words inside say; out holds no more values than the data has (see strTable). When the data
    // announces no values, out is left as it was.
    int32_t ReadTable(strTable& out, int tableId);

    // Skips one whole value of any type. False (and the reader failed) for malformed data.
    bool SkipValue() { return SkipValueAt(0); }

private:
    uint8_t Take();
    void StepBack() { Skip(static_cast<uint32_t>(-1)); }
    // A string body: length long, then the bytes; keeps at most limit of them in out (when given)
    // and skips the rest. Returns the number of bytes kept.
    uint32_t ReadBody(std::string* out, uint32_t limit);
    // Skips n bytes; fails when fewer remain.
    void SkipBytes(int64_t n);
    // A symbol or symbol link that the format requires at this place.
    bool SkipSymbol();
    bool SkipValueAt(int depth);
    // A count that the format requires to be non-negative.
    int32_t ReadCount();

    CReadSymbols* symbols_;
    std::vector<const CNameTable*> names_;
    const char* error_ = nullptr;
    uint8_t lastHeaderTag_ = 0;
};

}  // namespace PKRUBY
