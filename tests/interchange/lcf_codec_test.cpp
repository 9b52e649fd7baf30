// The LCF chunk codec: variable-length integers, fields, and the array and record
// readers with their limits; every reader bounded by the buffer.

#include "interchange/lcf_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Varint(uint32_t v) {
    PK2::CWrite w;
    w.WriteVarint(v);
    return w.Buffer();
}

Cclip_stream StreamOf(const Bytes& b) {
    Cclip_stream s;
    s.Assign(b);
    return s;
}

} // namespace

TEST(LcfVarint, ExactBytes) {
    EXPECT_EQ(Varint(0), (Bytes{0x00}));
    EXPECT_EQ(Varint(127), (Bytes{0x7F}));
    EXPECT_EQ(Varint(128), (Bytes{0x81, 0x00}));
    EXPECT_EQ(Varint(300), (Bytes{0x82, 0x2C}));
    EXPECT_EQ(Varint(16383), (Bytes{0xFF, 0x7F}));
    EXPECT_EQ(Varint(16384), (Bytes{0x81, 0x80, 0x00}));
    EXPECT_EQ(Varint(0xFFFFFFFFu), (Bytes{0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));

    PK2::CWrite w;
    EXPECT_EQ(w.WriteVarint(300), 2u);
    EXPECT_EQ(w.WriteVarint(0xFFFFFFFFu), 5u);
    EXPECT_EQ(w.Position(), 7u);
}

TEST(LcfVarint, RoundTripsAndSizes) {
    for (uint32_t v : {0u, 1u, 127u, 128u, 300u, 16383u, 16384u, 2097151u, 2097152u, 268435455u, 268435456u,
                       0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        Bytes b = Varint(v);
        EXPECT_EQ(static_cast<int>(b.size()), PK2::VarintSize(v)) << v;
        b.push_back(0x55); // the next byte is not consumed
        Cclip_stream s = StreamOf(b);
        EXPECT_EQ(PK2::ReadVarint(s), v);
        EXPECT_EQ(s.Position(), b.size() - 1);
    }
}

TEST(LcfVarint, ReadingIsBounded) {
    // Cut short: the value accumulated so far, never a read past the end.
    Cclip_stream s = StreamOf({0x81, 0x80});
    EXPECT_EQ(PK2::ReadVarint(s), 128u);
    EXPECT_TRUE(s.AtEnd());
    Cclip_stream empty;
    EXPECT_EQ(PK2::ReadVarint(empty), 0u);
    // At most 16 bytes are looked at, even when every byte has bit 7 set.
    Cclip_stream run = StreamOf(Bytes(40, 0xFF));
    PK2::ReadVarint(run);
    EXPECT_EQ(run.Position(), 16u);
}

TEST(LcfFields, IntFieldConsumesItsWholeLength) {
    const std::tuple<Bytes, uint32_t, size_t> fields[] = {
        // Length 3, but the integer ends after one byte: the field still ends after its three bytes.
        {{0x03, 0x05, 0x00, 0x00, 0x09}, 5, 4},
        {{0x01, 0x81, 0x05}, 1, 2}, // the integer is decoded within the field: bytes after it are not taken
        {{0x7F, 0x05}, 5, 2},       // length past the end of the buffer
        {{0x00, 0x44}, 0, 1},       // zero length reads 0
    };
    for (const auto& [bytes, value, end] : fields) {
        Cclip_stream s = StreamOf(bytes);
        EXPECT_EQ(PK2::ReadIntField(s), value) << testing::PrintToString(bytes);
        EXPECT_EQ(s.Position(), end) << testing::PrintToString(bytes);
    }
    Cclip_stream b = StreamOf({0x01, 0x01, 0x01, 0x02});
    EXPECT_TRUE(PK2::ReadBoolField(b));
    EXPECT_FALSE(PK2::ReadBoolField(b));
}

TEST(LcfFields, StringCapacityKeepsFewerButSkipsAll) {
    PK2::CWrite w;
    w.WriteStringField("abcdef");
    w.WriteByte(0x42);
    Cclip_stream s = StreamOf(w.Buffer());
    std::string out;
    EXPECT_EQ(PK2::ReadStringField(s, out, 4), 3u);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(s.ReadByte(), 0x42);

    Cclip_stream cut = StreamOf({0x0A, 'h', 'i'}); // 10 promised, 2 there
    EXPECT_EQ(PK2::ReadStringField(cut, out, 255), 2u);
    EXPECT_EQ(out, "hi");
    EXPECT_TRUE(cut.AtEnd());

    Cclip_stream none = StreamOf({0x02, 'h', 'i'});
    EXPECT_EQ(PK2::ReadStringField(none, out, 0), 0u);
    EXPECT_EQ(out, "");
    EXPECT_TRUE(none.AtEnd());
}

TEST(LcfFields, SkipFieldAndInnerChunks) {
    PK2::CWrite inner;
    inner.WriteIntChunk(1, 7);
    inner.WriteEnd();
    PK2::CWrite w;
    w.WriteInnerChunk(8, inner);
    w.WriteStringChunk(2, "ok");
    EXPECT_EQ(w.Buffer(), (Bytes{0x08, 0x04, 0x01, 0x01, 0x07, 0x00, 0x02, 0x02, 'o', 'k'}));

    Cclip_stream s = StreamOf(w.Buffer());
    EXPECT_EQ(PK2::ReadVarint(s), 8u);
    PK2::SkipField(s);
    EXPECT_EQ(PK2::ReadVarint(s), 2u);
    std::string text;
    PK2::ReadStringField(s, text, 255);
    EXPECT_EQ(text, "ok");

    Cclip_stream past = StreamOf({0x81, 0x00, 0x01}); // 128 bytes promised
    PK2::SkipField(past);
    EXPECT_TRUE(past.AtEnd());
}

TEST(LcfReaders, ArrayAndRecordLimits) {
    struct {
        Bytes bytes;
        int limit;
        bool record; // a record (CReadClass), else an array (CReadArray)
        std::vector<uint32_t> ids;
        size_t end;
    } cases[] = {
        {{0x01, 0x02, 0x03, 0x04, 0x05}, 3, false, {1, 2, 3, 0, 0}, 3}, // the fourth call does not read
        {{0x01}, 0, false, {0}, 0},
        {{0x01}, -4, false, {0}, 0},
        {{0x01, 0x02}, 1000000, false, {1, 2, 0}, 2}, // a count larger than the data ends with the data
        {{0x05, 0x06, 0x07, 0x08}, 1, true, {5, 6, 0, 0}, 2}, // at most limit + 1 ids
        {{0x03, 0x00, 0x09}, 10, true, {3, 0}, 2},            // the terminating 00 is consumed
        {{}, 10, true, {0}, 0},                               // the end of the buffer ends a record too
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes) + " limit " + std::to_string(c.limit));
        Cclip_stream s = StreamOf(c.bytes);
        PK2::CReadArray array(c.limit, s);
        PK2::CReadClass record(c.limit, s);
        for (uint32_t id : c.ids)
            EXPECT_EQ(c.record ? record.Next() : array.Next(), id);
        EXPECT_EQ(s.Position(), c.end);
    }
}
