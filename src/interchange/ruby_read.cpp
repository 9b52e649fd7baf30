#include "interchange/ruby_read.h"

#include <cmath>
#include <cstring>

namespace ruby {

cRead::strMark cRead::mark() const {
    return {position(), symbols_ ? symbols_->size() : 0, objects_.size()};
}

void cRead::rewind(const strMark& m) {
    seek(m.position);
    if (symbols_) symbols_->truncate(m.symbols);
    if (m.objects < objects_.size()) objects_.resize(m.objects);
}

bool cRead::enterLink(strMark& back, uint32_t& target) {
    take(); // '@'
    const int32_t index = readLong();
    if (failed()) return false;
    if (index < 0 || static_cast<size_t>(index) >= objects_.size()) {
        fail(kRubyBadLink);
        return false;
    }
    if (links_ >= kMaxDepth) {
        fail(kRubyLinksDeep);
        return false;
    }
    if (replayed_ > uint64_t(size()) * kReplayFactor) {
        fail(kRubyLinksMany);
        return false;
    }
    back = mark();
    target = objects_[static_cast<size_t>(index)];
    ++links_;
    seek(target);
    return true;
}

void cRead::leaveLink(const strMark& back, uint32_t target) {
    --links_;
    if (position() > target) replayed_ += position() - target;
    rewind(back);
}

uint8_t cRead::take() {
    if (atEnd()) {
        fail(kRubyEndsInValue);
        return 0;
    }
    return readByte();
}

void cRead::skipBytes(int64_t n) {
    if (n < 0) {
        fail(kRubyNegativeLength);
        return;
    }
    if (n > remaining()) {
        fail(kRubyEndsInValue);
        n = remaining();
    }
    skip(static_cast<uint32_t>(n));
}

int32_t cRead::readLong() {
    auto c = static_cast<int8_t>(take());
    if (c == 0) return 0;
    if (c >= 5) return c - 5;
    if (c <= -5) return c + 5;
    int n = c > 0 ? c : -c;
    uint8_t b[4] = {0, 0, 0, 0};
    if (read(b, static_cast<uint32_t>(n)) < static_cast<uint32_t>(n)) fail(kRubyEndsInNumber);
    uint64_t u = 0;
    for (int i = 0; i < n; ++i)
        u |= uint64_t(b[i]) << (8 * i);
    if (c < 0) return static_cast<int32_t>(static_cast<int64_t>(u) - (int64_t(1) << (8 * n)));
    return static_cast<int32_t>(static_cast<uint32_t>(u));
}

int32_t cRead::readCount() {
    int32_t n = readLong();
    if (n < 0) {
        fail(kRubyNegativeCount);
        return 0;
    }
    return n;
}

int32_t cRead::readFixnum() {
    if (take() == tag::kFixnum) return readLong();
    if (failed()) return 0;
    stepBack();
    skipValue();
    return 0;
}

int32_t cRead::readArrayLength() {
    const uint32_t start = position();
    if (take() == tag::kArray) {
        numberObject(start);
        return readCount();
    }
    if (failed()) return 0;
    stepBack();
    skipValue();
    return 0;
}

uint32_t cRead::readBody(std::string* out, uint32_t limit) {
    int32_t len = readLong();
    if (len < 0) {
        fail(kRubyNegativeLength);
        return 0;
    }
    uint32_t keep = static_cast<uint32_t>(len) < limit ? static_cast<uint32_t>(len) : limit;
    if (keep > remaining()) keep = remaining();
    if (out) out->assign(reinterpret_cast<const char*>(current()), keep);
    skip(keep);
    skipBytes(int64_t(len) - keep);
    return keep;
}

uint32_t cRead::readString(std::string& out) {
    out.clear();
    if (peekByte() == tag::kLink) return resolve([&] { return readString(out); });
    const uint32_t start = position();
    const uint8_t b = take();
    if (b == tag::kString) {
        numberObject(start);
        return readBody(&out, kMaxText);
    }
    if (b == tag::kIvar && peekByte() == tag::kString) {
        take();
        numberObject(start);
        const uint32_t n = readBody(&out, kMaxText);
        // The instance variables (for strings: the encoding flag E or encoding).
        const int32_t count = readCount();
        for (int32_t i = 0; i < count && !failed(); ++i)
            if (skipSymbol()) skipValueAt(1, true);
        return n;
    }
    if (!failed()) {
        seek(start);
        skipValue();
    }
    return 0;
}

int32_t cRead::readSymbol(std::string& out) {
    uint8_t b = take();
    if (b == tag::kSymbol) {
        std::string text;
        uint32_t n = readBody(&text, kMaxText);
        // Ruby numbers every symbol it defines, the empty one too; registering it keeps later
        // links right even though it names nothing.
        if (symbols_ && symbols_->size() >= kMaxSymbols) {
            fail(kRubySymbols);
            return -1;
        }
        int32_t index = symbols_ ? symbols_->add(text) : 0;
        out = std::move(text);
        return n > 0 ? index : -1;
    }
    if (b == tag::kSymlink) {
        int32_t i = readLong();
        out = symbols_ ? symbols_->get(i) : std::string();
        return i;
    }
    if (!failed()) fail(kRubySymbolExpected);
    return -1;
}

bool cRead::skipSymbol() {
    std::string text;
    uint8_t b = peekByte();
    if (b != tag::kSymbol && b != tag::kSymlink) {
        fail(kRubySymbolExpected);
        return false;
    }
    readSymbol(text);
    return !failed();
}

int cRead::resolveName(const std::string& text) const {
    int id = 0;
    for (const cNameTable* t : names_) {
        if (!t) continue;
        if (int found = t->find(text)) id = found;
    }
    return id;
}

int cRead::readSymbolId() {
    std::string text;
    if (readSymbol(text) < 0) return 0;
    return resolveName(text);
}

int cRead::readObjectHeader(int32_t& number) {
    number = 0;
    uint8_t b = take();
    lastHeaderTag_ = b;
    if (b != tag::kObject && b != tag::kUserDef) return 0;
    std::string text;
    if (readSymbol(text) < 0) return 0;
    int id = resolveName(text);
    if (id != 0) number = readLong();
    return id;
}

int cRead::enterObject(std::initializer_list<int> classIds, uint8_t tagByte, int32_t& number) {
    strMark m = mark();
    int id = readObjectHeader(number);
    if (failed()) return 0;
    if (id != 0 && lastHeaderTag_ == tagByte && number >= 0)
        for (int want : classIds)
            if (id == want) {
                // An object is numbered before its instance variables; a '_dump' value after its
                // data (by its reader).
                if (tagByte == tag::kObject) numberObject(m.position);
                return id;
            }
    rewind(m);
    skipValue();
    number = 0;
    return 0;
}

uint32_t cRead::readColor(int colorId) {
    if (peekByte() == tag::kLink) return resolve([&] { return readColor(colorId); });
    const uint32_t start = position();
    int32_t len = 0;
    if (!enterObject(colorId, tag::kUserDef, len)) return 0;
    double d[4] = {100.0, 0.0, 0.0, 0.0};
    int32_t used = 0;
    for (int i = 0; i < 4 && used + 8 <= len && remaining() >= 8; ++i, used += 8) {
        uint8_t b[8];
        read(b, 8);
        uint64_t bits = 0;
        for (int k = 0; k < 8; ++k)
            bits |= uint64_t(b[k]) << (8 * k);
        std::memcpy(&d[i], &bits, sizeof bits);
    }
    skipBytes(int64_t(len) - used);
    numberObject(start);
    uint32_t packed = 0;
    for (int i = 0; i < 4; ++i) {
        // Truncated to an integer, low 8 bits kept; values no integer can hold count as 0.
        int64_t v = std::isfinite(d[i]) && std::fabs(d[i]) < 9.0e18 ? static_cast<int64_t>(d[i]) : 0;
        packed |= static_cast<uint32_t>(v & 0xFF) << (8 * i);
    }
    return packed;
}

int32_t cRead::readTable(strTable& out, int tableId) {
    if (peekByte() == tag::kLink) return resolve([&] { return readTable(out, tableId); });
    const uint32_t start = position();
    int32_t len = 0;
    if (!enterObject(tableId, tag::kUserDef, len)) return 0;
    if (len > static_cast<int64_t>(remaining())) {
        skipBytes(len); // fails: the payload is cut short
        return 0;
    }
    uint32_t end = position() + static_cast<uint32_t>(len);
    int32_t w[5] = {0, 0, 0, 0, 0};
    for (int i = 0; i < 5 && position() + 4 <= end; ++i)
        w[i] = static_cast<int32_t>(readU32());
    const int32_t dims = w[0], x = w[1], n = w[4];
    const int32_t y = dims >= 2 ? w[2] : 1;
    const int32_t z = dims >= 3 ? w[3] : 1;
    if (n != 0) {
        out.values.clear();
        out.xsize = x;
        out.ysize = y;
        out.zsize = z;
        int64_t want = strTable::checkedCount(x, y, z);
        int64_t have = (end - position()) / 2;
        int64_t take = want < 0 ? 0 : want < have ? want : have;
        out.values.resize(static_cast<size_t>(take));
        for (int64_t i = 0; i < take; ++i)
            out.values[static_cast<size_t>(i)] = static_cast<int16_t>(readU16());
    }
    seek(end);
    numberObject(start);
    return len;
}

bool cRead::skipValueAt(int depth, bool remember) {
    if (failed()) return false;
    if (depth > kMaxDepth) {
        fail(kRubyValuesDeep);
        return false;
    }
    const uint32_t start = position();
    const uint8_t b = take();
    switch (b) {
    case tag::kNil:
    case tag::kTrue:
    case tag::kFalse:
    case tag::kFixnum:
    case tag::kSymbol:
    case tag::kSymlink:
    case tag::kLink:
    case tag::kIvar:
    case tag::kExtended:
    case tag::kUserClass:
    case tag::kUserDef:
        break; // numbered inside, after the data, or not at all
    default:
        if (remember) numberObject(start);
        break;
    }
    switch (b) {
    case tag::kNil:
    case tag::kTrue:
    case tag::kFalse:
        break;
    case tag::kFixnum:
    case tag::kSymlink:
    case tag::kLink:
        readLong();
        break;
    case tag::kFloat:
    case tag::kString:
    case tag::kClass:
    case tag::kModule:
    case tag::kOldModule:
        readBody(nullptr, 0);
        break;
    case tag::kSymbol: {
        stepBack();
        skipSymbol();
        break;
    }
    case tag::kBignum: {
        take(); // sign
        int32_t shorts = readCount();
        skipBytes(int64_t(shorts) * 2);
        break;
    }
    case tag::kRegexp:
        readBody(nullptr, 0);
        take(); // options
        break;
    case tag::kIvar: {
        const uint32_t inner = position();
        const bool userDef = peekByte() == tag::kUserDef;
        if (!skipValueAt(depth + 1, remember && !userDef)) break;
        int32_t count = readCount();
        for (int32_t i = 0; i < count && !failed(); ++i)
            if (skipSymbol()) skipValueAt(depth + 1, true);
        if (remember && userDef && !failed()) numberObject(inner);
        break;
    }
    case tag::kExtended:
    case tag::kUserClass:
        if (skipSymbol()) skipValueAt(depth + 1, remember);
        break;
    case tag::kUserMarshal:
    case tag::kData:
        if (skipSymbol()) skipValueAt(depth + 1, true);
        break;
    case tag::kUserDef:
        if (skipSymbol()) readBody(nullptr, 0);
        if (remember && !failed()) numberObject(start);
        break;
    case tag::kObject:
    case tag::kStruct: {
        if (!skipSymbol()) break;
        int32_t count = readCount();
        for (int32_t i = 0; i < count && !failed(); ++i)
            if (skipSymbol()) skipValueAt(depth + 1, true);
        break;
    }
    case tag::kArray: {
        int32_t count = readCount();
        for (int32_t i = 0; i < count && !failed(); ++i)
            skipValueAt(depth + 1, true);
        break;
    }
    case tag::kHash:
    case tag::kHashDefault: {
        int32_t count = readCount();
        for (int32_t i = 0; i < count && !failed(); ++i)
            if (skipValueAt(depth + 1, true)) skipValueAt(depth + 1, true);
        if (b == tag::kHashDefault) skipValueAt(depth + 1, true);
        break;
    }
    default:
        if (!failed()) fail(kRubyUnknownType);
        break;
    }
    return !failed();
}

} // namespace ruby
