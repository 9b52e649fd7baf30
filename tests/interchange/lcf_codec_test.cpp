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
    lcf::cWrite w;
    w.writeVarint(v);
    return w.buffer();
}

cClipStream StreamOf(const Bytes& b) {
    cClipStream s;
    s.assign(b);
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

    lcf::cWrite w;
    EXPECT_EQ(w.writeVarint(300), 2u);
    EXPECT_EQ(w.writeVarint(0xFFFFFFFFu), 5u);
    EXPECT_EQ(w.position(), 7u);
}

TEST(LcfVarint, RoundTripsAndSizes) {
    for (uint32_t v : {0u, 1u, 127u, 128u, 300u, 16383u, 16384u, 2097151u, 2097152u, 268435455u, 268435456u,
                       0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) {
        Bytes b = Varint(v);
        EXPECT_EQ(static_cast<int>(b.size()), lcf::VarintSize(v)) << v;
        b.push_back(0x55); // the next byte is not consumed
        cClipStream s = StreamOf(b);
        EXPECT_EQ(lcf::ReadVarint(s), v);
        EXPECT_EQ(s.position(), b.size() - 1);
    }
}

TEST(LcfVarint, ReadingIsBounded) {
    // Cut short: the value accumulated so far, never a read past the end.
    cClipStream s = StreamOf({0x81, 0x80});
    EXPECT_EQ(lcf::ReadVarint(s), 128u);
    EXPECT_TRUE(s.atEnd());
    cClipStream empty;
    EXPECT_EQ(lcf::ReadVarint(empty), 0u);
    // At most 16 bytes are looked at, even when every byte has bit 7 set.
    cClipStream run = StreamOf(Bytes(40, 0xFF));
    lcf::ReadVarint(run);
    EXPECT_EQ(run.position(), 16u);
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
        cClipStream s = StreamOf(bytes);
        EXPECT_EQ(lcf::ReadIntField(s), value) << testing::PrintToString(bytes);
        EXPECT_EQ(s.position(), end) << testing::PrintToString(bytes);
    }
    cClipStream b = StreamOf({0x01, 0x01, 0x01, 0x02});
    EXPECT_TRUE(lcf::ReadBoolField(b));
    EXPECT_FALSE(lcf::ReadBoolField(b));
}

TEST(LcfFields, StringCapacityKeepsFewerButSkipsAll) {
    lcf::cWrite w;
    w.writeStringField("abcdef");
    w.writeByte(0x42);
    cClipStream s = StreamOf(w.buffer());
    std::string out;
    EXPECT_EQ(lcf::ReadStringField(s, out, 4), 3u);
    EXPECT_EQ(out, "abc");
    EXPECT_EQ(s.readByte(), 0x42);

    cClipStream cut = StreamOf({0x0A, 'h', 'i'}); // 10 promised, 2 there
    EXPECT_EQ(lcf::ReadStringField(cut, out, 255), 2u);
    EXPECT_EQ(out, "hi");
    EXPECT_TRUE(cut.atEnd());

    cClipStream none = StreamOf({0x02, 'h', 'i'});
    EXPECT_EQ(lcf::ReadStringField(none, out, 0), 0u);
    EXPECT_EQ(out, "");
    EXPECT_TRUE(none.atEnd());
}

TEST(LcfFields, SkipFieldAndInnerChunks) {
    lcf::cWrite inner;
    inner.writeIntChunk(1, 7);
    inner.writeEnd();
    lcf::cWrite w;
    w.writeInnerChunk(8, inner);
    w.writeStringChunk(2, "ok");
    EXPECT_EQ(w.buffer(), (Bytes{0x08, 0x04, 0x01, 0x01, 0x07, 0x00, 0x02, 0x02, 'o', 'k'}));

    cClipStream s = StreamOf(w.buffer());
    EXPECT_EQ(lcf::ReadVarint(s), 8u);
    lcf::SkipField(s);
    EXPECT_EQ(lcf::ReadVarint(s), 2u);
    std::string text;
    lcf::ReadStringField(s, text, 255);
    EXPECT_EQ(text, "ok");

    cClipStream past = StreamOf({0x81, 0x00, 0x01}); // 128 bytes promised
    lcf::SkipField(past);
    EXPECT_TRUE(past.atEnd());
}

TEST(LcfReaders, ArrayAndRecordLimits) {
    struct {
        Bytes bytes;
        int limit;
        bool record; // a record (cReadClass), else an array (cReadArray)
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
        cClipStream s = StreamOf(c.bytes);
        lcf::cReadArray array(c.limit, s);
        lcf::cReadClass record(c.limit, s);
        for (uint32_t id : c.ids)
            EXPECT_EQ(c.record ? record.next() : array.next(), id);
        EXPECT_EQ(s.position(), c.end);
    }
}
