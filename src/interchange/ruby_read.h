#pragma once
// ruby::cRead: the Marshal reader.
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
//
// Object links: Ruby writes an object that is reachable a second time as '@' and the object's
// index. Indices count every value except nil, true, false, fixnums and symbols, in the order Ruby
// gives them: an array, hash, object or string before what it holds, a '_dump' value ('u') after
// its data, a wrapped value ('I', 'e', 'C') as the value inside. The reader numbers every value it
// reads or skips the same way and keeps where each starts; the typed reads (strings, colours,
// tables, readObject, readArray) read a link as the object it names, by reading that object again
// where it starts and then going on after the link. Skipping a link reads only its index. A link
// to an index not yet given fails the reader, and so do links nested deeper than kMaxDepth or
// following them rereading more than kReplayFactor times the payload, so that a crafted payload
// cannot make the reader loop or work without bound.

#include "document/messages.h"
#include "interchange/ruby_clip.h"
#include "interchange/ruby_symbols.h"
#include "interchange/ruby_table.h"

#include <cstdint>
#include <initializer_list>
#include <string>
#include <type_traits>
#include <vector>

namespace ruby {

class cRead : public cClip {
  public:
    static constexpr uint32_t kMaxText = 254;
    static constexpr int kMaxDepth = 64;
    // More distinct symbols than any animation uses by far; a payload defining more fails, so that a
    // crafted payload cannot make the symbol table many times larger than itself.
    static constexpr int32_t kMaxSymbols = 65536;
    static constexpr uint32_t kReplayFactor = 16;

    // symbols is shared for one import and not owned.
    explicit cRead(cReadSymbols* symbols = nullptr) : cClip(kStringEncoded), symbols_(symbols) {}

    // --- error state ---
    bool failed() const { return error_ != kMsgNone; }
    // Why the reader failed (a kRuby* message of the reason table; kMsgNone while it has not) and
    // the read position at that moment.
    eMessageId error() const { return error_; }
    uint32_t errorPosition() const { return errorAt_; }
    // Marks the reader failed (the first reason is kept).
    void fail(eMessageId why) {
        if (error_ != kMsgNone) return;
        error_ = why;
        errorAt_ = position();
    }

    // --- stepping back over a value ---
    struct strMark {
        uint32_t position = 0;
        int32_t symbols = 0;
        size_t objects = 0;
    };
    strMark mark() const;
    // Returns to a mark and forgets the symbols defined and the objects numbered since.
    void rewind(const strMark& m);
    // Objects numbered so far (the index the next one takes).
    size_t objectCount() const { return objects_.size(); }

    // Runs read() on the value at the position; when that value is an object link, read() runs on
    // the object the link names and the position then goes on after the link. A broken link fails
    // the reader and gives a value-initialised result without running read().
    template <class F> auto resolve(F&& read) -> decltype(read()) {
        using R = decltype(read());
        if (peekByte() != tag::kLink) return read();
        strMark back;
        uint32_t target = 0;
        if (!enterLink(back, target)) return R();
        if constexpr (std::is_void_v<R>) {
            read();
            leaveLink(back, target);
        } else {
            R r = read();
            leaveLink(back, target);
            return r;
        }
    }
    // An object ('o') of one of the classes, or a link to one: body(count) reads its count instance
    // variables. Any other value is skipped whole and body does not run. Returns the class
    // identifier, 0 when body did not run.
    template <class F> int readObject(std::initializer_list<int> classIds, F&& body) {
        return resolve([&] {
            int32_t count = 0;
            const int id = enterObject(classIds, tag::kObject, count);
            if (id != 0) body(count);
            return id;
        });
    }
    // An array ('['), or a link to one: body(count) reads its count elements. Any other value is
    // skipped whole and body runs with 0.
    template <class F> void readArray(F&& body) {
        resolve([&] { body(readArrayLength()); });
    }

    // The byte at the position without taking it; 0 at the end.
    uint8_t peekByte() const { return atEnd() ? 0 : *current(); }

    // --- typed reads ---
    // A fixnum body (no tag).
    int32_t readLong();
    // 'i' and its long; any other value is skipped whole and gives 0.
    int32_t readFixnum();
    // '[' and its count; any other value is skipped whole and gives 0. The elements follow.
    int32_t readArrayLength();
    // A string ('"', or 'I' around a string with any instance variables) as UTF-8 bytes; returns
    // the number of bytes kept (0 when none). Any other value is skipped whole and gives 0.
    uint32_t readString(std::string& out);
    // ':' (defines a symbol) or ';' (a link). Returns the index; -1 when no symbol was read (an empty
    // symbol, or another tag, which also marks the reader failed). out is set to the text for a
    // symbol or a link (empty for an unknown index) and left alone otherwise.
    int32_t readSymbol(std::string& out);
    void pushNames(const cNameTable* table) { names_.push_back(table); }
    void popNames() {
        if (!names_.empty()) names_.pop_back();
    }
    // Searches every pushed table, first to last; the last table that knows the text wins. 0 when
    // none does.
    int resolveName(const std::string& text) const;
    // readSymbol, then resolveName of its text; 0 when no symbol was read or the name is unknown.
    int readSymbolId();
    // 'o' or 'u', the class name and, when the class is known, the number (instance-variable count
    // or byte length). Any other tag gives 0 and number 0 (the byte is taken). Returns the class
    // identifier.
    int readObjectHeader(int32_t& number);
    // The header of an object of one of the classes with the given tag ('o' or 'u'): the class
    // identifier, with the number read. Otherwise the whole value is skipped and 0 returned.
    int enterObject(std::initializer_list<int> classIds, uint8_t tagByte, int32_t& number);
    bool enterObject(int classId, uint8_t tagByte, int32_t& number) {
        return enterObject({classId}, tagByte, number) != 0;
    }
    // A Color ('u' of class colorId): red | green << 8 | blue << 16 | alpha << 24 of the four
    // doubles truncated to integers (presets 100, 0, 0, 0 where the data is short); 0 and the value
    // skipped for anything else.
    uint32_t readColor(int colorId);
    // A Table ('u' of class tableId) into out; returns the byte length from the header (0 and the
    // value skipped for anything else). Exactly the header's byte length is consumed whatever the
    // words inside say; out holds no more values than the data has (see strTable). When the data
    // announces no values, out is left as it was.
    int32_t readTable(strTable& out, int tableId);

    // Skips one whole value of any type. False (and the reader failed) for malformed data.
    bool skipValue() { return skipValueAt(0, true); }

  private:
    // Numbers an object that starts at position.
    void numberObject(uint32_t position) { objects_.push_back(position); }
    // Takes a link and moves to the object it names; false (and the reader failed) when it cannot.
    bool enterLink(strMark& back, uint32_t& target);
    // Returns after the link and forgets what the second reading numbered.
    void leaveLink(const strMark& back, uint32_t target);
    uint8_t take();
    void stepBack() { skip(static_cast<uint32_t>(-1)); }
    // A string body: length long, then the bytes; keeps at most limit of them in out (when given)
    // and skips the rest. Returns the number of bytes kept.
    uint32_t readBody(std::string* out, uint32_t limit);
    // Skips n bytes; fails when fewer remain.
    void skipBytes(int64_t n);
    // A symbol or symbol link that the format requires at this place.
    bool skipSymbol();
    // remember false leaves the value unnumbered (an 'I' around a '_dump' value numbers it after
    // its instance variables).
    bool skipValueAt(int depth, bool remember);
    // A count that the format requires to be non-negative.
    int32_t readCount();

    cReadSymbols* symbols_;
    std::vector<const cNameTable*> names_;
    eMessageId error_ = kMsgNone;
    uint32_t errorAt_ = 0;
    uint8_t lastHeaderTag_ = 0;
    std::vector<uint32_t> objects_; // where each numbered object starts
    int links_ = 0;                 // links being followed
    uint64_t replayed_ = 0;         // bytes read again for links
};

} // namespace ruby
