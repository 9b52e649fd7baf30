#pragma once
// ruby::cWrite: the Marshal writer. It emits only what the animation mapping
// needs: fixnums, arrays, symbols and symbol links, strings (plain or flagged as UTF-8), objects,
// and the user-defined classes Table and Color. Every operation returns the number of bytes appended.
//
// Strings are given as UTF-8: the mapping converts the project's texts from its code page first.
//
// Objects are written through an object scope: BeginObject gives the object its own child writer
// and reserves the class name's symbol index; the instance variables go into the child; EndObject
// writes the header ('o', class name, instance-variable count) into the parent and appends the
// child's bytes. Symbol indices therefore follow the order in which the symbols first occur in the
// final byte stream, as Ruby's loader requires.

#include "interchange/ruby_clip.h"
#include "interchange/ruby_symbols.h"
#include "interchange/ruby_table.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace ruby {

class cWrite : public cClip {
  public:
    // symbols is shared by every writer of one export and not owned.
    explicit cWrite(cWriteSymbols* symbols = nullptr, uint8_t stringForm = kStringEncoded)
        : cClip(stringForm), symbols_(symbols) {}

    cWriteSymbols* symbols() const { return symbols_; }
    // Number of instance variables written into this writer.
    uint32_t ivarCount() const { return ivarCount_; }
    // Empties the buffer and makes the writer a fresh one over the given table and form.
    void reset(cWriteSymbols* symbols, uint8_t stringForm);

    // 0x04 0x08.
    uint32_t writeVersion();
    // The fixnum body (no tag).
    uint32_t writeLong(int32_t v);
    // '[' and the count.
    uint32_t writeArrayHeader(int32_t count);
    // ':' and the text the first time (or when only reserved), else ';' and its index.
    uint32_t writeSymbol(std::string_view text);
    // The string body: byte count as a long, then the bytes (no tag).
    uint32_t writeString(std::string_view utf8);
    // A string value in the writer's form: '"' body, or for form 2 and a non-empty text
    // 'I' '"' body, the long 1, the symbol E and 'T'.
    uint32_t writeStringValue(std::string_view utf8);
    // Counts one instance variable, then writes its name (nothing more for an empty name); the
    // caller writes the value next.
    uint32_t writeIvarName(std::string_view name);
    uint32_t writeFixnumIvar(std::string_view name, int32_t v);
    uint32_t writeStringIvar(std::string_view name, std::string_view utf8);
    // The tag byte, the class name as a symbol and the number as a long ('o': instance-variable
    // count, 'u': byte length of the data that follows).
    uint32_t writeHeader(uint8_t tagByte, std::string_view className, int32_t number);
    // 'u', Color, 32, then the four values as little-endian IEEE doubles.
    uint32_t writeColor(double red, double green, double blue, double alpha);
    // 'u', Table, 20 + 2n, the words dims, x, y, z, n, then the n values (x fastest).
    uint32_t writeTable(const strTable& table);
    // Reserves the next index for a text that is not in the table yet.
    void reserveSymbol(std::string_view text);

    // Encodes a fixnum body into out (at most 5 bytes); returns the length.
    static uint32_t encodeLong(int32_t v, uint8_t out[5]);

  private:
    uint32_t writeU32Le(uint32_t v) { return writeU32(v); }

    cWriteSymbols* symbols_;
    uint32_t ivarCount_ = 0;
};

// The writing of one object: parent writer, child writer, class name.
struct strObjectScope {
    cWrite* parent = nullptr;
    cWrite* child = nullptr;
    std::string className;
};

// Makes child a fresh writer sharing the parent's symbol table and string form and reserves the
// class name's index. The object's instance variables are then written into child.
strObjectScope BeginObject(cWrite* parent, cWrite* child, std::string_view className);
// Writes the header into the parent and appends the child's bytes; returns the bytes appended to
// the parent. Does nothing (0) when the parent, the child or the class name is missing.
uint32_t EndObject(const strObjectScope& scope);

} // namespace ruby
