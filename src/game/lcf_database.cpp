#include "game/lcf_database.h"

#include "interchange/clip_2000.h"
#include "interchange/lcf_codec.h"
#include "platform/code_page.h"

#include <algorithm>
#include <span>
#include <string_view>

namespace game {

namespace {

constexpr std::string_view kHeader = "LcfDataBase";
// The animation record's chunks the mapping writes; the record's other chunks are kept.
constexpr uint32_t kWrittenChunks[] = {1, 2, 6, 9, 10, 12};

bool Fail(strMessage* error, strMessage why) {
    if (error) *error = std::move(why);
    return false;
}

// A cursor over the file that fails instead of reading past the end.
struct strCursor {
    std::span<const uint8_t> t;
    size_t pos = 0;

    // A variable-length integer of at most 5 bytes that fits 32 bits.
    bool varint(uint32_t& v) {
        uint64_t x = 0;
        for (int n = 0; n < 5; ++n) {
            if (pos >= t.size()) return false;
            const uint8_t b = t[pos++];
            x = x << 7 | (b & 0x7F);
            if (!(b & 0x80)) {
                if (x > UINT32_MAX) return false;
                v = static_cast<uint32_t>(x);
                return true;
            }
        }
        return false;
    }
    bool skip(uint32_t n) {
        if (n > t.size() - pos) return false;
        pos += n;
        return true;
    }
};

struct strChunk {
    uint32_t id = 0;
    size_t start = 0, end = 0; // the whole chunk: id, size and data
};

// The chunks of a record up to its 0 (the 0 not included); false when the record is cut.
bool RecordChunks(strCursor& c, std::vector<strChunk>* out) {
    for (;;) {
        const size_t start = c.pos;
        uint32_t id = 0, size = 0;
        if (!c.varint(id)) return false;
        if (id == 0) return true;
        if (!c.varint(size) || !c.skip(size)) return false;
        if (out) out->push_back({id, start, c.pos});
    }
}

} // namespace

bool cLcfDatabase::parse(std::vector<uint8_t> bytes, strMessage* error) {
    bytes_ = std::move(bytes);
    records_.clear();
    strCursor c{bytes_};
    uint32_t length = 0;
    if (!c.varint(length) || length != kHeader.size() || c.t.size() - c.pos < length ||
        std::string_view(reinterpret_cast<const char*>(bytes_.data()) + c.pos, length) != kHeader)
        return Fail(error, strMessage(kGameDbNotLcf));
    c.pos += length;
    bool found = false;
    while (c.pos < c.t.size()) {
        const size_t start = c.pos;
        uint32_t id = 0, size = 0;
        if (!c.varint(id) || !c.varint(size) || size > c.t.size() - c.pos)
            return Fail(error, strMessage(kGameDbChunkCut, start));
        if (id == kAnimationChunk && !found) {
            found = true;
            chunkStart_ = start;
            dataStart_ = c.pos;
            dataEnd_ = c.pos + size;
        }
        c.pos += size;
    }
    if (!found) return Fail(error, strMessage(kGameDbNoAnimationChunk));

    strCursor a{std::span<const uint8_t>(bytes_).first(dataEnd_), dataStart_};
    uint32_t count = 0;
    if (!a.varint(count) || count > (dataEnd_ - a.pos) / 2) return Fail(error, strMessage(kGameDbBadCount));
    for (uint32_t k = 0; k < count; ++k) {
        strRecord r;
        std::vector<strChunk> chunks;
        if (!a.varint(r.id)) return Fail(error, strMessage(kGameDbListCut));
        if (r.id < 1 || r.id > kMaxId) return Fail(error, strMessage(kGameDbIdOutOfRange, r.id));
        r.start = a.pos;
        if (!RecordChunks(a, &chunks)) return Fail(error, strMessage(kGameDbAnimationCut, r.id));
        r.end = a.pos;
        for (const strChunk& ch : chunks) {
            strCursor f{std::span<const uint8_t>(bytes_).first(ch.end), ch.start};
            uint32_t id = 0, size = 0;
            f.varint(id);
            f.varint(size);
            const std::string data(reinterpret_cast<const char*>(bytes_.data()) + f.pos, size);
            if (id == 1) r.name = data;
            if (id == 2) r.graphic = data;
            uint32_t frames = 0;
            if (id == 12 && f.varint(frames))
                r.frames = static_cast<int>(std::min<uint32_t>(frames, INT32_MAX));
        }
        records_.push_back(std::move(r));
    }
    if (a.pos != dataEnd_) return Fail(error, strMessage(kGameDbChunkTooLong));
    return true;
}

int cLcfDatabase::lastId() const {
    uint32_t last = 0;
    for (const strRecord& r : records_)
        last = std::max(last, r.id);
    return static_cast<int>(last);
}

const cLcfDatabase::strRecord* cLcfDatabase::find(int id) const {
    for (const strRecord& r : records_)
        if (int64_t(r.id) == id) return &r;
    return nullptr;
}

std::vector<strGameAnimation> cLcfDatabase::list(const std::string& locale) const {
    std::vector<strGameAnimation> out;
    std::vector<const strRecord*> byId(size_t(lastId()) + 1, nullptr);
    for (const strRecord& r : records_)
        if (!byId[r.id]) byId[r.id] = &r;
    for (int id = 1; id <= lastId(); ++id) {
        strGameAnimation a;
        a.id = id;
        const strRecord* r = byId[size_t(id)];
        a.empty = r == nullptr;
        if (r) {
            a.name = platform::ToUtf8(r->name, locale);
            a.frames = r->frames;
            if (!r->graphic.empty()) a.pictures.push_back(platform::ToUtf8(r->graphic, locale));
        }
        out.push_back(std::move(a));
    }
    return out;
}

bool cLcfDatabase::read(int id, cProject& doc, const std::string&, strMessage* error) const {
    const strRecord* r = find(id);
    if (!r) return Fail(error, strMessage(kGameDbEmpty, id));
    // The clipboard block: the length of what follows the two header words, the record count 1.
    const auto length = static_cast<uint32_t>(r->end - r->start);
    std::vector<uint8_t> payload{
        uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24), 1, 0, 0, 0};
    payload.insert(payload.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(r->start),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(r->end));
    if (lcf::ReadLcfPayload(payload, doc) != 1) return Fail(error, strMessage(kGameDbCannotRead, id));
    return true;
}

bool cLcfDatabase::write(const cProject& doc, int id, const strNameChoice& name, const std::string& locale,
                         std::vector<uint8_t>& out, strMessage* error) {
    if (id < 1 || id > lastId() + 1) return Fail(error, strMessage(kGameDbNoSuchAnimation, id));
    std::vector<uint8_t> payload;
    if (lcf::BuildLcfPayload(doc, payload) != 1 || payload.size() < 9)
        return Fail(error, strMessage(kGameDbNoGraphic));
    strCursor fresh{payload, 8};
    std::vector<strChunk> freshChunks;
    if (!RecordChunks(fresh, &freshChunks)) return Fail(error, strMessage(kGameDbNotReadBack));

    const strRecord* old = find(id);
    std::vector<strChunk> oldChunks;
    if (old) {
        strCursor c{std::span<const uint8_t>(bytes_).first(old->end), old->start};
        RecordChunks(c, &oldChunks);
    }
    auto written = [](uint32_t chunk) {
        return std::find(std::begin(kWrittenChunks), std::end(kWrittenChunks), chunk) !=
               std::end(kWrittenChunks);
    };
    // (id, bytes) of every chunk of the new record.
    std::vector<std::pair<uint32_t, std::vector<uint8_t>>> chunks;
    auto take = [&chunks](const std::vector<uint8_t>& from, const strChunk& ch) {
        chunks.emplace_back(ch.id, std::vector<uint8_t>(from.begin() + static_cast<std::ptrdiff_t>(ch.start),
                                                        from.begin() + static_cast<std::ptrdiff_t>(ch.end)));
    };
    for (const strChunk& ch : oldChunks)
        if (!written(ch.id) || (ch.id == 1 && name.keep)) take(bytes_, ch);
    for (const strChunk& ch : freshChunks)
        if (ch.id != 1 || (name.keep && !old)) take(payload, ch);
    if (!name.keep && !name.utf8.empty()) {
        lcf::cWrite w;
        w.writeStringChunk(1, platform::FromUtf8(name.utf8, locale));
        chunks.emplace_back(1, w.buffer());
    }
    std::stable_sort(chunks.begin(), chunks.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });

    lcf::cWrite record;
    for (const auto& [chunkId, data] : chunks)
        record.write(data.data(), static_cast<uint32_t>(data.size()));
    record.writeEnd();

    // The new content of chunk 0x13: the other records as they are, this one replaced or added. It
    // is written straight into out, whose size is counted first, so the file is built in one buffer.
    const auto count = static_cast<uint32_t>(records_.size() + (old ? 0 : 1));
    uint64_t contentSize = uint64_t(lcf::VarintSize(count));
    for (const strRecord& r : records_)
        contentSize += uint64_t(lcf::VarintSize(r.id)) + (&r == old ? record.size() : r.end - r.start);
    if (!old) contentSize += uint64_t(lcf::VarintSize(static_cast<uint32_t>(id))) + record.size();
    if (contentSize > UINT32_MAX) return Fail(error, strMessage(kGameDbChunkTooLarge));
    auto varint = [&out](uint32_t v) {
        lcf::cWrite w;
        w.writeVarint(v);
        out.insert(out.end(), w.buffer().begin(), w.buffer().end());
    };
    auto copy = [&out, this](size_t from, size_t to) {
        out.insert(out.end(), bytes_.begin() + static_cast<std::ptrdiff_t>(from),
                   bytes_.begin() + static_cast<std::ptrdiff_t>(to));
    };
    out.clear();
    out.shrink_to_fit();
    out.reserve(chunkStart_ + 10 + contentSize + (bytes_.size() - dataEnd_));
    copy(0, chunkStart_);
    varint(kAnimationChunk);
    varint(static_cast<uint32_t>(contentSize));
    varint(count);
    for (const strRecord& r : records_) {
        varint(r.id);
        if (&r == old)
            out.insert(out.end(), record.buffer().begin(), record.buffer().end());
        else
            copy(r.start, r.end);
    }
    if (!old) {
        varint(static_cast<uint32_t>(id));
        out.insert(out.end(), record.buffer().begin(), record.buffer().end());
    }
    copy(dataEnd_, bytes_.size());
    return true;
}

std::unique_ptr<cAnimationDatabase> cLcfDatabase::parseWritten(std::vector<uint8_t> out, strMessage* error) {
    auto db = std::make_unique<cLcfDatabase>();
    if (!db->parse(std::move(out), error)) return nullptr;
    return db;
}

} // namespace game
