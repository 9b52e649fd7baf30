// ruby::cRead: the typed reads, and the skipping of every Marshal value the
// mapping does not expect, so that an unexpected value leaves the stream in step. The input bytes
// are built by hand here (not by cWrite).

#include "interchange/ruby_read.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace ruby;

namespace {

using Bytes = std::vector<uint8_t>;

// A hand-rolled byte builder: B() << 'i' << 5 ...
struct B {
    Bytes b;
    B& operator<<(int byte) {
        b.push_back(static_cast<uint8_t>(byte));
        return *this;
    }
    B& operator<<(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    B& operator<<(const B& other) {
        b.insert(b.end(), other.b.begin(), other.b.end());
        return *this;
    }
    // A short length (0..122) as a fixnum body.
    B& len(size_t n) { return *this << static_cast<int>(n == 0 ? 0 : n + 5); }
    B& str(const std::string& s) { return (*this << '"').len(s.size()) << s; }
    B& sym(const std::string& s) { return (*this << ':').len(s.size()) << s; }
    B& fix(int v) { return *this << 'i' << (v == 0 ? 0 : v > 0 ? v + 5 : (v - 5) & 0xFF); } // -123..122 only
    B& u32(uint32_t v) {
        return *this << int(v & 0xFF) << int((v >> 8) & 0xFF) << int((v >> 16) & 0xFF) << int(v >> 24);
    }
    B& dbl(double d) {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i)
            *this << int((u >> (8 * i)) & 0xFF);
        return *this;
    }
};

struct Reader {
    cReadSymbols symbols;
    cRead r{&symbols};
    explicit Reader(const B& b) { r.assign(b.b); }
};

TEST(RubyRead, FixnumAndArrayLengthSkipOtherValues) {
    for (char other : {'T', '0'}) {
        Reader x(B() << other << 'i' << 7);
        EXPECT_EQ(x.r.readFixnum(), 0);
        EXPECT_EQ(x.r.position(), 1u);
        EXPECT_EQ(x.r.readFixnum(), 2);
    }
    // A float, a bignum and a string where a fixnum is expected: skipped whole.
    Reader x(B() << 'f' << 8 << "1.5" << 'l' << '+' << 7 << 1 << 2 << 3 << 4 << 'i' << 7);
    for (int v : {0, 0, 2})
        EXPECT_EQ(x.r.readFixnum(), v);
    EXPECT_FALSE(x.r.failed());
    // Reading a long whose bytes are cut off fails but stays inside the buffer.
    Reader cut(B() << 'i' << 3 << 1);
    cut.r.readFixnum();
    EXPECT_TRUE(cut.r.failed());
    EXPECT_TRUE(cut.r.atEnd());

    Reader a(B() << '0' << '[' << 7 << 'i' << 6 << 'i' << 7);
    EXPECT_EQ(a.r.readArrayLength(), 0);
    EXPECT_EQ(a.r.readArrayLength(), 2);
    EXPECT_EQ(a.r.readFixnum(), 1);
}

TEST(RubyRead, StringForms) {
    Reader x(B().str("abc") << 'I' << '"' << 8 << "xyz" << 6 << ':' << 6 << 'E' << 'T' << 'I' << '"' << 7
                            << "sj" << 7 << ':' << 13 << "encoding" << '"' << 14 << "Shift_JIS" << ';' << 0
                            << 'F' // a second instance variable, a link to E
                            << '0' << '[' << 6 << 'i' << 6 << 'i' << 8);
    std::string s;
    // Plain, flagged, flagged with a second instance variable, nil, and an array skipped whole.
    for (const char* text : {"abc", "xyz", "sj", "", ""}) {
        EXPECT_EQ(x.r.readString(s), std::strlen(text));
        EXPECT_EQ(s, text);
    }
    EXPECT_EQ(x.r.readFixnum(), 3);
    EXPECT_FALSE(x.r.failed());
    EXPECT_EQ(std::tuple(x.symbols.get(0), x.symbols.get(1)), std::tuple("E", "encoding"));
}

TEST(RubyRead, SymbolsAndLinks) {
    Reader x(B().sym("@a").sym("@b") << ';' << 6 << ';' << 20 << ':' << 0 << ';' << 7 << 'i');
    // The third link names a symbol never defined (empty name); the empty symbol is numbered but
    // names nothing, so the link after it finds it.
    const std::pair<int, const char*> reads[] = {{0, "@a"}, {1, "@b"}, {1, "@b"},
                                                 {15, ""},  {-1, ""},  {2, ""}};
    for (auto [id, name] : reads) {
        std::string s = "?";
        EXPECT_EQ(x.r.readSymbol(s), id) << name;
        if (id >= 0) {
            EXPECT_EQ(s, name);
        }
    }
    EXPECT_FALSE(x.r.failed());
    std::string s = "kept";
    EXPECT_EQ(x.r.readSymbol(s), -1); // not a symbol
    EXPECT_EQ(s, "kept");
    EXPECT_TRUE(x.r.failed());
}

TEST(RubyRead, NameResolutionLetsTheLastTableWin) {
    cNameTable outer{{"@name", 1}, {"@id", 2}};
    cNameTable inner{{"@name", 10}};
    Reader x(B().sym("@name").sym("@id").sym("@zzz") << ';' << 20);
    x.r.pushNames(&outer);
    x.r.pushNames(&inner);
    // The last two: unknown, and a link to an undefined index.
    for (int id : {10, 2, 0, 0})
        EXPECT_EQ(x.r.readSymbolId(), id);
    x.r.popNames();
    EXPECT_EQ(x.r.resolveName("@name"), 1);
    x.r.popNames();
    x.r.popNames(); // popping an empty stack is harmless
    EXPECT_EQ(x.r.resolveName("@name"), 0);
}

TEST(RubyRead, ObjectHeaders) {
    cNameTable classes{{"Known", 3}, {"Want", 1}};
    Reader x(B() << 'o' << B().sym("Known") << 8 << 'o' << B().sym("Unknown") << 8 << 'T');
    x.r.pushNames(&classes);
    int32_t n = -1;
    EXPECT_EQ(x.r.readObjectHeader(n), 3);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(x.r.readObjectHeader(n), 0); // unknown class: its number is not read
    EXPECT_EQ(n, 0);
    EXPECT_EQ(x.r.readLong(), 3);
    EXPECT_EQ(x.r.readObjectHeader(n), 0); // 'T': one byte taken
    EXPECT_TRUE(x.r.atEnd());

    // enterObject skips objects of other classes whole: an 'o' with a flagged string, then a 'u'
    // of class Other (a link, 1 byte).
    Reader y(B() << 'o' << B().sym("Other") << 6 << B().sym("@x") << 'I' << '"' << 6 << 'q' << 6
                 << B().sym("E") << 'T' << 'u' << ';' << 0 << 6 << 'z' << 'o' << B().sym("Want") << 0);
    y.r.pushNames(&classes);
    EXPECT_FALSE(y.r.enterObject(1, 'o', n));
    EXPECT_FALSE(y.r.enterObject(1, 'o', n));
    EXPECT_TRUE(y.r.enterObject(1, 'o', n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(y.r.atEnd());
    EXPECT_FALSE(y.r.failed());
    // Stepping back over the first header did not define its symbols twice.
    EXPECT_EQ(y.symbols.size(), 4);
    EXPECT_EQ(y.symbols.get(3), "Want");
}

TEST(RubyRead, Colors) {
    cNameTable classes{{"Color", 7}};
    B b;
    b << 'u' << B().sym("Color") << 37;
    b.dbl(255.9).dbl(-1.0).dbl(300.0).dbl(128.0);
    b << 'u' << ';' << 0 << 21; // only two doubles
    b.dbl(1.0).dbl(2.0);
    b << 'u' << ';' << 0 << 37;
    b.dbl(NAN).dbl(INFINITY).dbl(1e300).dbl(-1e300);
    b << '0';
    b.fix(4);
    Reader x(b);
    x.r.pushNames(&classes);
    // Two doubles: blue and alpha keep their presets 0; values no integer holds read as 0; nil is 0.
    for (uint32_t c : {0xFFu | 0xFFu << 8 | 0x2Cu << 16 | 0x80u << 24, 1u | 2u << 8, 0u, 0u})
        EXPECT_EQ(x.r.readColor(7), c);
    EXPECT_EQ(x.r.readFixnum(), 4);
    EXPECT_FALSE(x.r.failed());
}

B TableBytes(int32_t dims, int32_t xs, int32_t ys, int32_t zs, int32_t n, const std::vector<int>& values,
             int extraBytes = 0) {
    B data;
    data.u32(dims).u32(xs).u32(ys).u32(zs).u32(n);
    for (int v : values)
        data << int(v & 0xFF) << int((v >> 8) & 0xFF);
    for (int i = 0; i < extraBytes; ++i)
        data << 0x55;
    B b;
    b << 'u' << B().sym("Table");
    size_t len = data.b.size();
    if (len <= 122)
        b << int(len + 5);
    else
        b << 2 << int(len & 0xFF) << int(len >> 8);
    return b << data;
}

// A reader that knows the class Table (number 6).
struct TableReader : Reader {
    cNameTable classes{{"Table", 6}};
    strTable t;
    explicit TableReader(const B& b) : Reader(b) { r.pushNames(&classes); }
};

TEST(RubyRead, TablesWithinTheirValues) {
    // Huge sizes with little data: no allocation beyond the data, the stream stays in step.
    TableReader huge(TableBytes(3, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 2, {1, 2}, 3).fix(5));
    huge.r.readTable(huge.t, 6);
    EXPECT_EQ(huge.t.values.size(), 0u);
    EXPECT_EQ(std::tuple(huge.t.at(1, 1, 1), huge.t.at(0x7FFFFFFE, 0x7FFFFFFE, 0x7FFFFFFE)),
              std::tuple(0, 0));
    EXPECT_EQ(huge.r.readFixnum(), 5);

    // dims 1: only the first row counts, whatever the y size says.
    TableReader row(TableBytes(1, 2, 8, 1, 16, std::vector<int>(16, 4)));
    row.r.readTable(row.t, 6);
    EXPECT_EQ(std::tuple(row.t.ysize, row.t.at(1, 0), row.t.at(1, 1)), std::tuple(1, 4, 0));

    // A count word of 0 leaves the table as it was.
    TableReader zero(TableBytes(2, 1, 8, 1, 0, {}));
    zero.t.allocate(1, 1, 1);
    zero.t.set(0, 0, 0, 42);
    EXPECT_EQ(zero.r.readTable(zero.t, 6), 20);
    EXPECT_EQ(zero.t.at(0, 0), 42);

    // Not a Table (nil, an object link): skipped, length 0.
    TableReader other(B() << '0' << '@' << 6 << 'i' << 10);
    EXPECT_EQ(other.r.readTable(other.t, 6), 0);
    EXPECT_EQ(other.r.readTable(other.t, 6), 0);
    EXPECT_EQ(other.r.readFixnum(), 5);

    // A header length past the end of the payload fails.
    B b = TableBytes(2, 1, 8, 1, 8, std::vector<int>(8, 1));
    b.b.resize(b.b.size() - 3);
    TableReader cut(b);
    cut.r.readTable(cut.t, 6);
    EXPECT_TRUE(cut.r.failed());
    EXPECT_TRUE(cut.r.atEnd());
}

// The independent payload xp_extras holds values of the other kinds between the ones read.
TEST(RubyRead, SkipsTheKindsNoPayloadHolds) {
    B b;
    b << 'i' << 0xFE << 0xFF << 0xFE;                     // -257
    b << '[' << 7 << 'T' << '[' << 6 << '0';              // nested arrays
    b << 'C' << B().sym("MyString") << '"' << 0;          // user class
    b << 'd' << B().sym("Data") << '0';                   // data
    b << 'e' << B().sym("Mixin") << 'o' << ';' << 0 << 0; // extended, class link
    b.fix(42);
    Reader x(b);
    int skipped = 0;
    while (x.r.peekByte() != 'i' || x.r.remaining() != 2) {
        ASSERT_TRUE(x.r.skipValue()) << "value " << skipped << ": " << x.r.error();
        ++skipped;
    }
    EXPECT_EQ(skipped, 5);
    EXPECT_EQ(x.r.readFixnum(), 42);
    EXPECT_FALSE(x.r.failed());
}

TEST(RubyRead, MalformedValuesFailInsteadOfRunningAway) {
    B deep;
    for (int i = 0; i < 200; ++i)
        deep << '[' << 6;
    deep << '0';
    B symbols;
    symbols << '[' << 4 << 0xFF << 0xFF << 0xFF << 0x7F;
    for (int i = 0; i <= cRead::kMaxSymbols; ++i)
        symbols << ':' << 0;
    struct {
        const char* name;
        B bytes;
        int kept;   // read as a string, the length it keeps; -1: skipped as a value
        bool atEnd; // the reader stops at the end of the payload
        const char* error;
    } cases[] = {
        {"an unknown tag", B() << 'Z' << 'i' << 6, -1, false, nullptr},
        {"nesting deeper than the bound", deep, -1, false, nullptr},
        // A count that promises far more than the payload holds ends at the end of the payload.
        {"a huge count", B() << '[' << 4 << 0xFF << 0xFF << 0xFF << 0x7F << '0' << '0', -1, true, nullptr},
        {"a negative count", B() << '{' << 0xFA, -1, false, nullptr},
        {"a negative length", B() << '"' << 0xFA << 'a', 0, false, nullptr},
        {"a string cut short", B() << '"' << 20 << "abc", 3, true, nullptr}, // keeps what it holds
        {"more symbols than any animation defines", symbols, -1, false, "too many symbols"},
        {"an instance variable name that is not a symbol",
         B() << 'o' << B().sym("X") << 6 << 'i' << 6 << 'i' << 6, -1, false, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Reader x(c.bytes);
        std::string s;
        if (c.kept >= 0)
            EXPECT_EQ(x.r.readString(s), size_t(c.kept));
        else
            EXPECT_FALSE(x.r.skipValue());
        EXPECT_TRUE(x.r.failed());
        if (c.error) {
            EXPECT_STREQ(MessageText(x.r.error()), c.error);
        }
        if (c.atEnd) {
            EXPECT_TRUE(x.r.atEnd());
        }
    }
    // The symbols stop at the bound.
    Reader many(symbols);
    many.r.skipValue();
    EXPECT_EQ(many.symbols.size(), cRead::kMaxSymbols);
}

TEST(RubyRead, TableAccessorsStayInsideTheirValues) {
    strTable t;
    EXPECT_FALSE(t.allocate(0, 8, 1));
    EXPECT_EQ(t.at(0, 0), 0);
    EXPECT_FALSE(t.allocate(1 << 20, 1 << 20, 1)); // beyond kMaxValues
    EXPECT_TRUE(t.values.empty());
    EXPECT_TRUE(t.allocate(3, 8, 1));
    EXPECT_EQ(t.values.size(), 24u);
    EXPECT_TRUE(t.set(2, 7, 0, -9));
    EXPECT_EQ(t.values[23], -9);
    EXPECT_FALSE(t.set(3, 0, 0, 1));
    EXPECT_FALSE(t.set(-1, 0, 0, 1));
    EXPECT_EQ(t.at(0, 8), 0);
}

TEST(RubyRead, LinksReadTheObjectTheyNameAndStayBounded) {
    // [ "ab", @1, [@1] ]: object 0 the array, 1 the string, 2 the inner array.
    Reader x(B() << '[' << 8 << B().str("ab") << '@' << 6 << '[' << 6 << '@' << 6);
    ASSERT_EQ(x.r.readArrayLength(), 3);
    std::string s;
    EXPECT_EQ(x.r.readString(s), 2u);
    EXPECT_EQ(x.r.readString(s), 2u);
    EXPECT_EQ(s, "ab");
    x.r.readArray([&](int32_t n) {
        EXPECT_EQ(n, 1);
        EXPECT_EQ(x.r.readString(s), 2u);
    });
    EXPECT_EQ(s, "ab");
    EXPECT_TRUE(x.r.atEnd());
    EXPECT_FALSE(x.r.failed()) << x.r.error();
    EXPECT_EQ(x.r.objectCount(), 3u); // what the links read again is not numbered twice

    // Links to objects not yet given, and a link in place of a value being read for the first time.
    for (int index : {2, 5, -1}) {
        Reader y(B() << '[' << 7 << B().str("ab") << '@' << (index < 0 ? 0xFA : index + 5));
        ASSERT_EQ(y.r.readArrayLength(), 2);
        y.r.readString(s);
        EXPECT_EQ(y.r.readString(s), 0u) << index;
        EXPECT_STREQ(MessageText(y.r.error()), "a link to an object that was not read") << index;
    }
    // Links that would never end: an array that holds itself, and arrays that each hold the one
    // before twice (2^40 readings; level k is object k + 1). "x" is skipped where an array is read.
    B bomb;
    bomb << '[' << (41 + 5) << B().str("x");
    for (int k = 1; k <= 40; ++k)
        bomb << '[' << 7 << '@' << (k + 5) << '@' << (k + 5);
    const std::pair<B, const char*> endless[] = {
        {B() << '[' << 6 << '@' << 0, "object links nested too deeply"}, {bomb, "too many object links"}};
    for (const auto& [bytes, error] : endless) {
        Reader y(bytes);
        std::function<void(int32_t)> walk = [&](int32_t n) {
            for (int32_t i = 0; i < n && !y.r.failed(); ++i)
                y.r.readArray(walk);
        };
        y.r.readArray(walk);
        EXPECT_STREQ(MessageText(y.r.error()), error);
    }
}

} // namespace
