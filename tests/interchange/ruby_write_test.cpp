// ruby::cWrite: the byte vectors of the fixnum encoding, symbols and symbol links,
// reserved class-name indices, the two string forms, Table and Color.

#include "interchange/ruby_read.h"
#include "interchange/ruby_write.h"
#include "interchange_fixture.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

using namespace ruby;
using namespace interchange_test;

namespace {

Bytes Of(const cClipStream& s) {
    return Bytes(s.data(0), s.data(0) + s.size());
}

Bytes Long(int32_t v) {
    cWrite w;
    w.writeLong(v);
    return Of(w);
}

TEST(RubyWrite, FixnumBodiesAtEveryBoundary) {
    const std::pair<int32_t, Bytes> vectors[] = {
        {0, {0x00}},
        {1, {0x06}},
        {122, {0x7F}},
        {123, {0x01, 0x7B}},
        {255, {0x01, 0xFF}},
        {256, {0x02, 0x00, 0x01}},
        {65535, {0x02, 0xFF, 0xFF}},
        {65536, {0x03, 0x00, 0x00, 0x01}},
        {0xFFFFFF, {0x03, 0xFF, 0xFF, 0xFF}},
        {0x1000000, {0x04, 0x00, 0x00, 0x00, 0x01}},
        {INT32_MAX, {0x04, 0xFF, 0xFF, 0xFF, 0x7F}},
        {-1, {0xFA}},
        {-123, {0x80}},
        {-124, {0xFF, 0x84}},
        {-256, {0xFF, 0x00}},
        {-257, {0xFE, 0xFF, 0xFE}},
        {-65536, {0xFE, 0x00, 0x00}},
        {-65537, {0xFD, 0xFF, 0xFF, 0xFE}},
        {INT32_MIN, {0xFC, 0x00, 0x00, 0x00, 0x80}},
    };
    for (const auto& [v, bytes] : vectors) {
        EXPECT_EQ(Long(v), bytes) << v;
        // Each form reads back.
        cRead r;
        r.assign(bytes);
        EXPECT_EQ(r.readLong(), v) << v;
        EXPECT_TRUE(r.atEnd()) << v;
        EXPECT_FALSE(r.failed()) << v;
    }
}

TEST(RubyWrite, FixnumIvarTwiceUsesASymbolLink) {
    cWriteSymbols symbols;
    cWrite w(&symbols);
    w.writeFixnumIvar("@id", 1);
    EXPECT_EQ(Of(w), (Bytes{0x3A, 0x08, '@', 'i', 'd', 0x69, 0x06}));
    w.clear();
    w.writeFixnumIvar("@id", 1);
    EXPECT_EQ(Of(w), (Bytes{0x3B, 0x00, 0x69, 0x06}));
    EXPECT_EQ(w.ivarCount(), 2u);
}

TEST(RubyWrite, SiblingObjectsShareTheReservedClassName) {
    cWriteSymbols symbols;
    cWrite parent(&symbols), child;
    strObjectScope a = BeginObject(&parent, &child, "Cls");
    child.writeFixnumIvar("@a", 1); // written before the class name reaches the parent
    child.writeFixnumIvar("@b", 2);
    EndObject(a);
    strObjectScope b = BeginObject(&parent, &child, "Cls");
    child.writeFixnumIvar("@b", 3);
    EndObject(b);
    // The class name is reserved first (index 0); the second object links to it.
    const Bytes expected = {0x6F, 0x3A, 0x08, 'C',  'l',  's',  0x07, // 'o' :Cls, 2 ivars
                            0x3A, 0x07, '@',  'a',  0x69, 0x06,       // :@a index 1
                            0x3A, 0x07, '@',  'b',  0x69, 0x07,       // :@b index 2
                            0x6F, 0x3B, 0x00, 0x06,                   // 'o' ;0, 1 ivar
                            0x3B, 0x07, 0x69, 0x08};                  // ;2 (@b) = 3
    EXPECT_EQ(Of(parent), expected);
}

TEST(RubyWrite, NestedObjectsNumberSymbolsInStreamOrder) {
    // The inner class name is reserved when the inner object begins, after the outer object's
    // first instance variable, so it gets index 2 although its header is written last.
    cWriteSymbols symbols;
    cWrite w0(&symbols), w1, w2;
    strObjectScope outer = BeginObject(&w0, &w1, "Outer");
    w1.writeIvarName("@inner");
    strObjectScope inner = BeginObject(&w1, &w2, "Inner");
    w2.writeFixnumIvar("@v", 0);
    EndObject(inner);
    EndObject(outer);
    const Bytes expected = {0x6F, 0x3A, 0x0A, 'O', 'u',  't', 'e', 'r', 0x06, // 'o' :Outer, 1 ivar
                            0x3A, 0x0B, '@',  'i', 'n',  'n', 'e', 'r',       // :@inner
                            0x6F, 0x3A, 0x0A, 'I', 'n',  'n', 'e', 'r', 0x06, // 'o' :Inner, 1 ivar
                            0x3A, 0x07, '@',  'v', 0x69, 0x00};               // :@v = 0
    EXPECT_EQ(Of(w0), expected);
    // Read back, the indices agree with the stream order.
    cReadSymbols read;
    cRead r(&read);
    r.assign(expected);
    r.skipValue();
    EXPECT_FALSE(r.failed());
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(std::tuple(read.get(0), read.get(1), read.get(2), read.get(3)),
              std::tuple("Outer", "@inner", "Inner", "@v"));
}

TEST(RubyWrite, EndObjectWithoutAScopeDoesNothing) {
    cWrite w;
    EXPECT_EQ(EndObject(strObjectScope{}), 0u);
    strObjectScope s{&w, nullptr, "X"};
    EXPECT_EQ(EndObject(s), 0u);
    EXPECT_EQ(w.size(), 0u);
}

TEST(RubyWrite, StringForms) {
    // Form two flags the encoding (the second time through a symbol link); form one is plain.
    cWriteSymbols symbols;
    cWrite w(&symbols, kStringEncoded);
    w.writeStringValue("abc");
    EXPECT_EQ(Of(w), (Bytes{0x49, 0x22, 0x08, 0x61, 0x62, 0x63, 0x06, 0x3A, 0x06, 0x45, 0x54}));
    w.clear();
    w.writeStringValue("abc");
    EXPECT_EQ(Of(w), (Bytes{0x49, 0x22, 0x08, 0x61, 0x62, 0x63, 0x06, 0x3B, 0x00, 0x54}));
    w.clear();
    w.writeStringValue("");
    EXPECT_EQ(Of(w), (Bytes{0x22, 0x00}));

    cWriteSymbols plainSymbols;
    cWrite plain(&plainSymbols, kStringPlain);
    plain.writeStringIvar("@n", "abc");
    plain.writeStringValue("");
    EXPECT_EQ(Of(plain), (Bytes{0x3A, 0x07, '@', 'n', 0x22, 0x08, 0x61, 0x62, 0x63, 0x22, 0x00}));
    EXPECT_EQ(plainSymbols.size(), 1u); // no E
}

TEST(RubyWrite, TableTwoByEightByOne) {
    cWriteSymbols symbols;
    cWrite w(&symbols);
    strTable t;
    ASSERT_TRUE(t.allocate(2, 8, 1));
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 2; ++x)
            t.set(x, y, 0, static_cast<int16_t>(y * 10 + x - 5));
    w.writeTable(t);
    Bytes expected = Cat({{0x75, 0x3A, 0x0A}, Text("Table"), {0x39}, {2, 0, 0, 0, 2, 0, 0,  0, 8, 0,
                                                                      0, 0, 1, 0, 0, 0, 16, 0, 0, 0}});
    for (int i = 0; i < 16; ++i) {
        auto v = static_cast<uint16_t>(static_cast<int16_t>((i / 2) * 10 + (i % 2) - 5));
        expected.push_back(uint8_t(v));
        expected.push_back(uint8_t(v >> 8));
    }
    EXPECT_EQ(Of(w), expected);
}

TEST(RubyWrite, TableDimensionsFollowTheSizes) {
    auto dims = [](int x, int y, int z) {
        cWrite w;
        strTable t;
        t.allocate(x, y, z);
        w.writeTable(t);
        return U32At(Of(w), 9); // after 'u' ':' len "Table" len
    };
    EXPECT_EQ(std::tuple(dims(5, 1, 1), dims(5, 2, 1), dims(5, 1, 2)), std::tuple(1u, 2u, 3u));
}

TEST(RubyWrite, ColorArrayHeaderAndVersion) {
    cWrite w;
    w.writeColor(100.0, 0.0, 0.0, 0.0); // four little-endian doubles
    Bytes expected = Cat({{0x75, 0x3A, 0x0A}, Text("Color"), {0x25}, {0, 0, 0, 0, 0, 0, 0x59, 0x40}});
    expected.resize(expected.size() + 24, 0);
    EXPECT_EQ(Of(w), expected);
    cWrite v;
    v.writeVersion();
    v.writeArrayHeader(200);
    EXPECT_EQ(Of(v), (Bytes{0x04, 0x08, 0x5B, 0x01, 0xC8}));
}

} // namespace
