#include "interchange/lcf_animation_check.h"

#include "document/limits.h"

#include <cstdint>

namespace lcf {

namespace {

// What a chunk of a record holds.
enum class eChunk { kInt, kString, kTimings, kSound, kFrames, kCells, kOther };

struct strRecordShape {
    eMessageId name; // kLcfAnimationRecord, ...
    eChunk (*chunk)(uint32_t id);
};

eChunk AnimationChunk(uint32_t id) {
    switch (id) {
    case 1:
    case 2:
        return eChunk::kString;
    case 3:
    case 9:
    case 10:
    case 11:
        return eChunk::kInt;
    case 6:
        return eChunk::kTimings;
    case 12:
        return eChunk::kFrames;
    default:
        return eChunk::kOther;
    }
}
eChunk TimingChunk(uint32_t id) {
    if (id == 2) return eChunk::kSound;
    return id >= 1 && id <= 8 ? eChunk::kInt : eChunk::kOther;
}
eChunk SoundChunk(uint32_t id) {
    if (id == 1) return eChunk::kString;
    return id >= 3 && id <= 5 ? eChunk::kInt : eChunk::kOther;
}
eChunk FrameChunk(uint32_t id) {
    return id == 1 ? eChunk::kCells : eChunk::kOther;
}
eChunk CellChunk(uint32_t id) {
    return id >= 1 && id <= 10 ? eChunk::kInt : eChunk::kOther;
}

class cChecker {
  public:
    cChecker(std::span<const uint8_t> data) : data_(data) {}

    bool payload(strMessage* why) {
        if (data_.size() < 8) return fail(strMessage(kLcfShortBlock), why);
        const uint32_t length = word(0), records = word(4);
        if (int32_t(length) <= 0 || int32_t(records) <= 0) return fail(strMessage(kLcfHeaderWords), why);
        pos_ = 8;
        bool frames = false;
        if (!record({kLcfAnimationRecord, AnimationChunk}, data_.size(), &frames)) return fail(why);
        if (!frames) return fail(strMessage(kLcfNoFrames), why);
        if (pos_ != size_t(length) + 8)
            for (size_t i = pos_; i < data_.size(); ++i)
                if (data_[i] != 0) {
                    where_ = i;
                    return fail(strMessage(kLcfTrailingData), why);
                }
        return true;
    }

  private:
    uint32_t word(size_t at) const {
        return uint32_t(data_[at]) | uint32_t(data_[at + 1]) << 8 | uint32_t(data_[at + 2]) << 16 |
               uint32_t(data_[at + 3]) << 24;
    }
    bool fail(strMessage what, strMessage* why) {
        what_ = std::move(what);
        return fail(why);
    }
    bool fail(strMessage* why) {
        if (why) *why = overLimit_ ? what_ : strMessage(kWhyNot2000, what_, static_cast<long long>(where_));
        return false;
    }
    bool bad(strMessage what) {
        what_ = std::move(what);
        where_ = pos_;
        return false;
    }

    // A variable-length integer (at most 5 bytes, 32 bits) ending at or before end.
    bool varint(size_t end, uint32_t& v) {
        uint64_t value = 0;
        for (int i = 0; i < 5; ++i) {
            if (pos_ >= end) return bad(strMessage(kLcfNumberPastChunk));
            const uint8_t b = data_[pos_++];
            value = value << 7 | (b & 0x7F);
            if (!(b & 0x80)) {
                if (value > UINT32_MAX) return bad(strMessage(kLcfNumberTooLarge));
                v = uint32_t(value);
                return true;
            }
        }
        return bad(strMessage(kLcfNumberTooLarge));
    }

    // Records of the given shape, each chunk inside end; *sawFrames set when a frames chunk was read.
    // The animation record itself (the one asked for sawFrames) must have its chunk ids ascending, as
    // every writer of the format puts them; the records inside it are read in any order.
    bool record(const strRecordShape& shape, size_t end, bool* sawFrames = nullptr) {
        uint32_t last = 0;
        for (;;) {
            if (pos_ >= end) return bad(strMessage(kLcfNoEnd, strMessage(shape.name)));
            uint32_t id = 0;
            if (!varint(end, id)) return false;
            if (id == 0) return true;
            if (sawFrames && id <= last) return bad(strMessage(kLcfIdsNotAscending, strMessage(shape.name)));
            last = id;
            uint32_t length = 0;
            if (!varint(end, length)) return false;
            if (length > end - pos_) return bad(strMessage(kLcfChunkPastEnd, strMessage(shape.name)));
            const size_t chunkEnd = pos_ + length;
            const eChunk kind = shape.chunk(id);
            if (kind == eChunk::kFrames && sawFrames) *sawFrames = true;
            if (!chunk(kind, chunkEnd)) return false;
            if (pos_ != chunkEnd) return bad(strMessage(kLcfChunkTooLong, strMessage(shape.name)));
        }
    }

    bool chunk(eChunk kind, size_t end) {
        uint32_t v = 0;
        switch (kind) {
        case eChunk::kInt:
            return varint(end, v);
        case eChunk::kString:
        case eChunk::kOther:
            pos_ = end;
            return true;
        case eChunk::kSound:
            return record({kLcfSoundRecord, SoundChunk}, end);
        case eChunk::kTimings:
            return array({kLcfTimingRecord, TimingChunk}, end, kWhyTooManyEffects, kMaxEffects);
        case eChunk::kFrames:
            return array({kLcfFrameRecord, FrameChunk}, end, kWhyTooManyFrames, kMaxFrames);
        case eChunk::kCells:
            return array({kLcfCellRecord, CellChunk}, end, kMsgNone, 0);
        }
        return false;
    }

    // A count, then that many elements: an index (ascending from 1) and a record each. A count above
    // a project's limit is refused with it.
    bool array(const strRecordShape& shape, size_t end, eMessageId what, int limit) {
        uint32_t count = 0;
        if (!varint(end, count)) return false;
        if (what != kMsgNone && count > uint32_t(limit)) {
            overLimit_ = true;
            return bad(LimitMessage(what, count, limit));
        }
        uint32_t last = 0;
        for (uint32_t k = 0; k < count; ++k) {
            uint32_t index = 0;
            if (!varint(end, index)) return false;
            if (index <= last) return bad(strMessage(kLcfIndicesNotAscending, strMessage(shape.name)));
            last = index;
            if (!record(shape, end)) return false;
        }
        return true;
    }

    std::span<const uint8_t> data_;
    size_t pos_ = 0;
    size_t where_ = 0;
    strMessage what_;
    bool overLimit_ = false;
};

} // namespace

bool CheckLcfAnimationPayload(std::span<const uint8_t> payload, strMessage* why) {
    return cChecker(payload).payload(why);
}

} // namespace lcf
