// PKRUBY::CRead: the typed reads, and the skipping of every Marshal value the
// mapping does not expect, so that an unexpected value leaves the stream in step. The input bytes
// are built by hand here (not by CWrite).

#include "interchange/ruby_read.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

using namespace PKRUBY;

namespace {

using Bytes = std::vector<uint8_t>;

// A hand-rolled byte builder: B() << 'i' << L(5) ...
struct B {
    Bytes b;
    B& operator<<(char c) {
        b.push_back(static_cast<uint8_t>(c));
        return *this;
    }
    B& operator<<(int byte) {
        b.push_back(static_cast<uint8_t>(byte));
        return *this;
    }
    B& operator<<(const std::string& s) {
        b.insert(b.end(), s.begin(), s.end());
        return *this;
    }
    B& operator<<(const Bytes& s) {
        b.insert(b.end(), s.begin(), s.end());
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
    B& i16(int v) { return *this << int(v & 0xFF) << int((v >> 8) & 0xFF); }
    B& dbl(double d) {
        uint64_t u;
        std::memcpy(&u, &d, 8);
        for (int i = 0; i < 8; ++i)
            *this << int((u >> (8 * i)) & 0xFF);
        return *this;
    }
};

struct Reader {
    CReadSymbols symbols;
    CRead r{&symbols};
    explicit Reader(const Bytes& b) { r.Assign(b); }
    explicit Reader(const B& b) { r.Assign(b.b); }
};

TEST(RubyRead, FixnumOnOtherValues) {
    for (char other : {'T', '0'}) {
        Reader x(B() << other << 'i' << 7);
        EXPECT_EQ(x.r.ReadFixnum(), 0);
        EXPECT_EQ(x.r.Position(), 1u);
        EXPECT_EQ(x.r.ReadFixnum(), 2);
    }
    {
        // A float, a bignum and a string where a fixnum is expected: skipped whole.
        Reader x(B() << 'f' << 8 << "1.5" << 'l' << '+' << 7 << 1 << 2 << 3 << 4 << 'i' << 7);
        EXPECT_EQ(x.r.ReadFixnum(), 0);
        EXPECT_EQ(x.r.ReadFixnum(), 0);
        EXPECT_EQ(x.r.ReadFixnum(), 2);
        EXPECT_FALSE(x.r.Failed());
    }
    {
        // Reading a long whose bytes are cut off fails but stays inside the buffer.
        Reader x(B() << 'i' << 3 << 1);
        x.r.ReadFixnum();
        EXPECT_TRUE(x.r.Failed());
        EXPECT_TRUE(x.r.AtEnd());
    }
}

TEST(RubyRead, ArrayLengthSkipsOtherValues) {
    Reader x(B() << '0' << '[' << 7 << 'i' << 6 << 'i' << 7);
    EXPECT_EQ(x.r.ReadArrayLength(), 0);
    EXPECT_EQ(x.r.ReadArrayLength(), 2);
    EXPECT_EQ(x.r.ReadFixnum(), 1);
}

TEST(RubyRead, StringForms) {
    Reader x(B().str("abc") << 'I' << '"' << 8 << "xyz" << 6 << ':' << 6 << 'E' << 'T' << 'I' << '"' << 7
                            << "sj" << 7 << ':' << 13 << "encoding" << '"' << 14 << "Shift_JIS" << ';' << 0
                            << 'F' // a second instance variable, a link to E
                            << '0' << '[' << 6 << 'i' << 6 << 'i' << 8);
    std::string s;
    // Plain, flagged, flagged with a second instance variable, nil, and an array skipped whole.
    for (const char* text : {"abc", "xyz", "sj", "", ""}) {
        EXPECT_EQ(x.r.ReadString(s), std::strlen(text));
        EXPECT_EQ(s, text);
    }
    EXPECT_EQ(x.r.ReadFixnum(), 3);
    EXPECT_FALSE(x.r.Failed());
    EXPECT_EQ(x.symbols.Get(0), "E");
    EXPECT_EQ(x.symbols.Get(1), "encoding");
}

TEST(RubyRead, SymbolsAndLinks) {
    Reader x(B().sym("@a").sym("@b") << ';' << 6 << ';' << 20 << ':' << 0 << ';' << 7 << 'i');
    std::string s;
    EXPECT_EQ(x.r.ReadSymbol(s), 0);
    EXPECT_EQ(x.r.ReadSymbol(s), 1);
    EXPECT_EQ(x.r.ReadSymbol(s), 1);
    EXPECT_EQ(s, "@b");
    EXPECT_EQ(x.r.ReadSymbol(s), 15); // never defined: empty name
    EXPECT_EQ(s, "");
    EXPECT_EQ(x.r.ReadSymbol(s), -1); // the empty symbol is numbered but names nothing
    EXPECT_EQ(x.r.ReadSymbol(s), 2);  // ... so this link finds it
    EXPECT_EQ(s, "");
    EXPECT_FALSE(x.r.Failed());
    s = "kept";
    EXPECT_EQ(x.r.ReadSymbol(s), -1); // not a symbol
    EXPECT_EQ(s, "kept");
    EXPECT_TRUE(x.r.Failed());
}

TEST(RubyRead, NameResolutionLetsTheLastTableWin) {
    CNameTable outer{{"@name", 1}, {"@id", 2}};
    CNameTable inner{{"@name", 10}};
    Reader x(B().sym("@name").sym("@id").sym("@zzz") << ';' << 20);
    x.r.PushNames(&outer);
    x.r.PushNames(&inner);
    // The last two: unknown, and a link to an undefined index.
    for (int id : {10, 2, 0, 0})
        EXPECT_EQ(x.r.ReadSymbolId(), id);
    x.r.PopNames();
    EXPECT_EQ(x.r.ResolveName("@name"), 1);
    x.r.PopNames();
    x.r.PopNames(); // popping an empty stack is harmless
    EXPECT_EQ(x.r.ResolveName("@name"), 0);
}

TEST(RubyRead, ObjectHeaders) {
    CNameTable classes{{"Known", 3}};
    Reader x(B() << 'o' << B().sym("Known").b << 8 << 'o' << B().sym("Unknown").b << 8 << 'T');
    x.r.PushNames(&classes);
    int32_t n = -1;
    EXPECT_EQ(x.r.ReadObjectHeader(n), 3);
    EXPECT_EQ(n, 3);
    EXPECT_EQ(x.r.ReadObjectHeader(n), 0); // unknown class: its number is not read
    EXPECT_EQ(n, 0);
    EXPECT_EQ(x.r.ReadLong(), 3);
    EXPECT_EQ(x.r.ReadObjectHeader(n), 0); // 'T': one byte taken
    EXPECT_TRUE(x.r.AtEnd());
}

TEST(RubyRead, EnterObjectSkipsOtherClassesWhole) {
    CNameTable classes{{"Want", 1}};
    B b;
    b << 'o' << B().sym("Other").b << 6 << B().sym("@x").b << 'I' << '"' << 6 << 'q' << 6 << B().sym("E").b
      << 'T';
    b << 'u' << ';' << 0 << 6 << 'z'; // 'u' of class Other (link), 1 byte
    b << 'o' << B().sym("Want").b << 0;
    Reader x(b.b);
    x.r.PushNames(&classes);
    int32_t n = 0;
    EXPECT_FALSE(x.r.EnterObject(1, 'o', n));
    EXPECT_FALSE(x.r.EnterObject(1, 'o', n));
    EXPECT_TRUE(x.r.EnterObject(1, 'o', n));
    EXPECT_EQ(n, 0);
    EXPECT_TRUE(x.r.AtEnd());
    EXPECT_FALSE(x.r.Failed());
    // Stepping back over the first header did not define its symbols twice.
    EXPECT_EQ(x.symbols.Size(), 4);
    EXPECT_EQ(x.symbols.Get(3), "Want");
}

TEST(RubyRead, Colors) {
    CNameTable classes{{"Color", 7}};
    B b;
    b << 'u' << B().sym("Color").b << 37;
    b.dbl(255.9).dbl(-1.0).dbl(300.0).dbl(128.0);
    b << 'u' << ';' << 0 << 21; // only two doubles
    b.dbl(1.0).dbl(2.0);
    b << 'u' << ';' << 0 << 37;
    b.dbl(NAN).dbl(INFINITY).dbl(1e300).dbl(-1e300);
    b << '0';
    b.fix(4);
    Reader x(b.b);
    x.r.PushNames(&classes);
    // Two doubles: blue and alpha keep their presets 0; values no integer holds read as 0; nil is 0.
    for (uint32_t c : {0xFFu | 0xFFu << 8 | 0x2Cu << 16 | 0x80u << 24, 1u | 2u << 8, 0u, 0u})
        EXPECT_EQ(x.r.ReadColor(7), c);
    EXPECT_EQ(x.r.ReadFixnum(), 4);
    EXPECT_FALSE(x.r.Failed());
}

B TableBytes(int32_t dims, int32_t xs, int32_t ys, int32_t zs, int32_t n, const std::vector<int>& values,
             int extraBytes = 0) {
    B data;
    data.u32(dims).u32(xs).u32(ys).u32(zs).u32(n);
    for (int v : values)
        data.i16(v);
    for (int i = 0; i < extraBytes; ++i)
        data << 0x55;
    B b;
    b << 'u' << B().sym("Table").b;
    size_t len = data.b.size();
    if (len <= 122)
        b << int(len + 5);
    else
        b << 2 << int(len & 0xFF) << int(len >> 8);
    return b << data.b;
}

// A reader that knows the class Table (number 6).
struct TableReader : Reader {
    CNameTable classes{{"Table", 6}};
    strTable t;
    explicit TableReader(const B& b) : Reader(b) { r.PushNames(&classes); }
};

TEST(RubyRead, TablesWithinTheirValues) {
    {
        // Huge sizes with little data: no allocation beyond the data, the stream stays in step.
        TableReader x(TableBytes(3, 0x7FFFFFFF, 0x7FFFFFFF, 0x7FFFFFFF, 2, {1, 2}, 3).fix(5));
        x.r.ReadTable(x.t, 6);
        EXPECT_EQ(x.t.values.size(), 0u);
        EXPECT_EQ(std::tuple(x.t.At(1, 1, 1), x.t.At(0x7FFFFFFE, 0x7FFFFFFE, 0x7FFFFFFE)), std::tuple(0, 0));
        EXPECT_EQ(x.r.ReadFixnum(), 5);
    }
    {
        // dims 1: only the first row counts, whatever the y size says.
        TableReader x(TableBytes(1, 2, 8, 1, 16, std::vector<int>(16, 4)));
        x.r.ReadTable(x.t, 6);
        EXPECT_EQ(std::tuple(x.t.ysize, x.t.At(1, 0), x.t.At(1, 1)), std::tuple(1, 4, 0));
    }
    {
        // A count word of 0 leaves the table as it was.
        TableReader x(TableBytes(2, 1, 8, 1, 0, {}));
        x.t.Allocate(1, 1, 1);
        x.t.Set(0, 0, 0, 42);
        EXPECT_EQ(x.r.ReadTable(x.t, 6), 20);
        EXPECT_EQ(x.t.At(0, 0), 42);
    }
    {
        // Not a Table (nil, an object link): skipped, length 0.
        TableReader x(B() << '0' << '@' << 6 << 'i' << 10);
        EXPECT_EQ(x.r.ReadTable(x.t, 6), 0);
        EXPECT_EQ(x.r.ReadTable(x.t, 6), 0);
        EXPECT_EQ(x.r.ReadFixnum(), 5);
    }
    {
        // A header length past the end of the payload fails.
        B b = TableBytes(2, 1, 8, 1, 8, std::vector<int>(8, 1));
        b.b.resize(b.b.size() - 3);
        TableReader x(b);
        x.r.ReadTable(x.t, 6);
        EXPECT_TRUE(x.r.Failed());
        EXPECT_TRUE(x.r.AtEnd());
    }
}

// The independent payload xp_extras holds values of the other kinds between the ones read.
TEST(RubyRead, SkipsTheKindsNoPayloadHolds) {
    B b;
    b << 'i' << 0xFE << 0xFF << 0xFE;                       // -257
    b << '[' << 7 << 'T' << '[' << 6 << '0';                // nested arrays
    b << 'C' << B().sym("MyString").b << '"' << 0;          // user class
    b << 'd' << B().sym("Data").b << '0';                   // data
    b << 'e' << B().sym("Mixin").b << 'o' << ';' << 0 << 0; // extended, class link
    b.fix(42);
    Reader x(b.b);
    int skipped = 0;
    while (x.r.PeekByte() != 'i' || x.r.Remaining() != 2) {
        ASSERT_TRUE(x.r.SkipValue()) << "value " << skipped << ": " << x.r.Error();
        ++skipped;
    }
    EXPECT_EQ(skipped, 5);
    EXPECT_EQ(x.r.ReadFixnum(), 42);
    EXPECT_FALSE(x.r.Failed());
}

TEST(RubyRead, MalformedValuesFailInsteadOfRunningAway) {
    // An unknown tag.
    {
        Reader x(B() << 'Z' << 'i' << 6);
        EXPECT_FALSE(x.r.SkipValue());
        EXPECT_TRUE(x.r.Failed());
    }
    // Nesting deeper than the bound.
    {
        B b;
        for (int i = 0; i < 200; ++i)
            b << '[' << 6;
        b << '0';
        Reader x(b.b);
        EXPECT_FALSE(x.r.SkipValue());
    }
    // A count that promises far more than the payload holds ends at the end of the payload.
    {
        Reader x(B() << '[' << 4 << 0xFF << 0xFF << 0xFF << 0x7F << '0' << '0');
        EXPECT_FALSE(x.r.SkipValue());
        EXPECT_TRUE(x.r.AtEnd());
    }
    // A negative count, a negative length.
    {
        Reader x(B() << '{' << 0xFA);
        EXPECT_FALSE(x.r.SkipValue());
    }
    {
        Reader x(B() << '"' << 0xFA << 'a');
        std::string s;
        x.r.ReadString(s);
        EXPECT_TRUE(x.r.Failed());
    }
    // A string cut short.
    {
        Reader x(B() << '"' << 20 << "abc");
        std::string s;
        EXPECT_EQ(x.r.ReadString(s), 3u);
        EXPECT_TRUE(x.r.Failed());
        EXPECT_TRUE(x.r.AtEnd());
    }
    // More symbols than any animation defines.
    {
        B b;
        b << '[' << 4 << 0xFF << 0xFF << 0xFF << 0x7F;
        for (int i = 0; i <= CRead::kMaxSymbols; ++i)
            b << ':' << 0;
        Reader x(b);
        EXPECT_FALSE(x.r.SkipValue());
        EXPECT_STREQ(x.r.Error(), "too many symbols");
        EXPECT_EQ(x.symbols.Size(), CRead::kMaxSymbols);
    }
    // An instance variable name that is not a symbol.
    {
        Reader x(B() << 'o' << B().sym("X").b << 6 << 'i' << 6 << 'i' << 6);
        EXPECT_FALSE(x.r.SkipValue());
    }
}

TEST(RubyRead, TableAccessorsStayInsideTheirValues) {
    strTable t;
    EXPECT_FALSE(t.Allocate(0, 8, 1));
    EXPECT_EQ(t.At(0, 0), 0);
    EXPECT_FALSE(t.Allocate(1 << 20, 1 << 20, 1)); // beyond kMaxValues
    EXPECT_TRUE(t.values.empty());
    EXPECT_TRUE(t.Allocate(3, 8, 1));
    EXPECT_EQ(t.values.size(), 24u);
    EXPECT_TRUE(t.Set(2, 7, 0, -9));
    EXPECT_EQ(t.values[23], -9);
    EXPECT_FALSE(t.Set(3, 0, 0, 1));
    EXPECT_FALSE(t.Set(-1, 0, 0, 1));
    EXPECT_EQ(t.At(0, 8), 0);
}

} // namespace

TEST(RubyRead, LinksReadTheObjectTheyNameAndStayBounded) {
    // [ "ab", @1, [@1] ]: object 0 the array, 1 the string, 2 the inner array.
    {
        Reader x(B() << '[' << 8 << B().str("ab").b << '@' << 6 << '[' << 6 << '@' << 6);
        ASSERT_EQ(x.r.ReadArrayLength(), 3);
        std::string s;
        EXPECT_EQ(x.r.ReadString(s), 2u);
        EXPECT_EQ(x.r.ReadString(s), 2u);
        EXPECT_EQ(s, "ab");
        x.r.ReadArray([&](int32_t n) {
            EXPECT_EQ(n, 1);
            EXPECT_EQ(x.r.ReadString(s), 2u);
        });
        EXPECT_EQ(s, "ab");
        EXPECT_TRUE(x.r.AtEnd());
        EXPECT_FALSE(x.r.Failed()) << x.r.Error();
        EXPECT_EQ(x.r.ObjectCount(), 3u); // what the links read again is not numbered twice
    }
    // Links to objects not yet given, and a link in place of a value being read for the first time.
    for (int index : {2, 5, -1}) {
        Reader x(B() << '[' << 7 << B().str("ab").b << '@' << (index < 0 ? 0xFA : index + 5));
        ASSERT_EQ(x.r.ReadArrayLength(), 2);
        std::string s;
        x.r.ReadString(s);
        EXPECT_EQ(x.r.ReadString(s), 0u) << index;
        EXPECT_STREQ(x.r.Error(), "a link to an object that was not read") << index;
    }
    // Links that would never end: an array that holds itself, and arrays that each hold the one
    // before twice (2^40 readings; level k is object k + 1). "x" is skipped where an array is read.
    B bomb;
    bomb << '[' << (41 + 5) << B().str("x").b;
    for (int k = 1; k <= 40; ++k)
        bomb << '[' << 7 << '@' << (k + 5) << '@' << (k + 5);
    const std::pair<Bytes, const char*> endless[] = {
        {(B() << '[' << 6 << '@' << 0).b, "object links nested too deeply"},
        {bomb.b, "too many object links"}};
    for (const auto& [bytes, error] : endless) {
        Reader x(bytes);
        std::function<void(int32_t)> walk = [&](int32_t n) {
            for (int32_t i = 0; i < n && !x.r.Failed(); ++i)
                x.r.ReadArray(walk);
        };
        x.r.ReadArray(walk);
        EXPECT_STREQ(x.r.Error(), error);
    }
}
