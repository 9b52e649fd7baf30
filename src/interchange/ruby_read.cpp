#include "interchange/ruby_read.h"

#include <cmath>
#include <cstring>

namespace PKRUBY {

CRead::strMark CRead::Mark() const {
    return {Position(), symbols_ ? symbols_->Size() : 0, objects_.size()};
}

void CRead::Rewind(const strMark& m) {
    Seek(m.position);
    if (symbols_) symbols_->Truncate(m.symbols);
    if (m.objects < objects_.size()) objects_.resize(m.objects);
}

bool CRead::EnterLink(strMark& back, uint32_t& target) {
    Take(); // '@'
    const int32_t index = ReadLong();
    if (Failed()) return false;
    if (index < 0 || static_cast<size_t>(index) >= objects_.size()) {
        Fail(kRubyBadLink);
        return false;
    }
    if (links_ >= kMaxDepth) {
        Fail(kRubyLinksDeep);
        return false;
    }
    if (replayed_ > uint64_t(Size()) * kReplayFactor) {
        Fail(kRubyLinksMany);
        return false;
    }
    back = Mark();
    target = objects_[static_cast<size_t>(index)];
    ++links_;
    Seek(target);
    return true;
}

void CRead::LeaveLink(const strMark& back, uint32_t target) {
    --links_;
    if (Position() > target) replayed_ += Position() - target;
    Rewind(back);
}

uint8_t CRead::Take() {
    if (AtEnd()) {
        Fail(kRubyEndsInValue);
        return 0;
    }
    return ReadByte();
}

void CRead::SkipBytes(int64_t n) {
    if (n < 0) {
        Fail(kRubyNegativeLength);
        return;
    }
    if (n > Remaining()) {
        Fail(kRubyEndsInValue);
        n = Remaining();
    }
    Skip(static_cast<uint32_t>(n));
}

int32_t CRead::ReadLong() {
    auto c = static_cast<int8_t>(Take());
    if (c == 0) return 0;
    if (c >= 5) return c - 5;
    if (c <= -5) return c + 5;
    int n = c > 0 ? c : -c;
    uint8_t b[4] = {0, 0, 0, 0};
    if (Read(b, static_cast<uint32_t>(n)) < static_cast<uint32_t>(n)) Fail(kRubyEndsInNumber);
    uint64_t u = 0;
    for (int i = 0; i < n; ++i)
        u |= uint64_t(b[i]) << (8 * i);
    if (c < 0) return static_cast<int32_t>(static_cast<int64_t>(u) - (int64_t(1) << (8 * n)));
    return static_cast<int32_t>(static_cast<uint32_t>(u));
}

int32_t CRead::ReadCount() {
    int32_t n = ReadLong();
    if (n < 0) {
        Fail(kRubyNegativeCount);
        return 0;
    }
    return n;
}

int32_t CRead::ReadFixnum() {
    if (Take() == tag::kFixnum) return ReadLong();
    if (Failed()) return 0;
    StepBack();
    SkipValue();
    return 0;
}

int32_t CRead::ReadArrayLength() {
    const uint32_t start = Position();
    if (Take() == tag::kArray) {
        Remember(start);
        return ReadCount();
    }
    if (Failed()) return 0;
    StepBack();
    SkipValue();
    return 0;
}

uint32_t CRead::ReadBody(std::string* out, uint32_t limit) {
    int32_t len = ReadLong();
    if (len < 0) {
        Fail(kRubyNegativeLength);
        return 0;
    }
    uint32_t keep = static_cast<uint32_t>(len) < limit ? static_cast<uint32_t>(len) : limit;
    if (keep > Remaining()) keep = Remaining();
    if (out) out->assign(reinterpret_cast<const char*>(Current()), keep);
    Skip(keep);
    SkipBytes(int64_t(len) - keep);
    return keep;
}

uint32_t CRead::ReadString(std::string& out) {
    out.clear();
    if (PeekByte() == tag::kLink) return Resolve([&] { return ReadString(out); });
    const uint32_t start = Position();
    const uint8_t b = Take();
    if (b == tag::kString) {
        Remember(start);
        return ReadBody(&out, kMaxText);
    }
    if (b == tag::kIvar && PeekByte() == tag::kString) {
        Take();
        Remember(start);
        const uint32_t n = ReadBody(&out, kMaxText);
        // The instance variables (for strings: the encoding flag E or encoding).
        const int32_t count = ReadCount();
        for (int32_t i = 0; i < count && !Failed(); ++i)
            if (SkipSymbol()) SkipValueAt(1, true);
        return n;
    }
    if (!Failed()) {
        Seek(start);
        SkipValue();
    }
    return 0;
}

int32_t CRead::ReadSymbol(std::string& out) {
    uint8_t b = Take();
    if (b == tag::kSymbol) {
        std::string text;
        uint32_t n = ReadBody(&text, kMaxText);
        // Ruby numbers every symbol it defines, the empty one too; registering it keeps later
        // links right even though it names nothing.
        if (symbols_ && symbols_->Size() >= kMaxSymbols) {
            Fail(kRubySymbols);
            return -1;
        }
        int32_t index = symbols_ ? symbols_->Add(text) : 0;
        out = std::move(text);
        return n > 0 ? index : -1;
    }
    if (b == tag::kSymlink) {
        int32_t i = ReadLong();
        out = symbols_ ? symbols_->Get(i) : std::string();
        return i;
    }
    if (!Failed()) Fail(kRubySymbolExpected);
    return -1;
}

bool CRead::SkipSymbol() {
    std::string text;
    uint8_t b = PeekByte();
    if (b != tag::kSymbol && b != tag::kSymlink) {
        Fail(kRubySymbolExpected);
        return false;
    }
    ReadSymbol(text);
    return !Failed();
}

int CRead::ResolveName(const std::string& text) const {
    int id = 0;
    for (const CNameTable* t : names_) {
        if (!t) continue;
        if (int found = t->Find(text)) id = found;
    }
    return id;
}

int CRead::ReadSymbolId() {
    std::string text;
    if (ReadSymbol(text) < 0) return 0;
    return ResolveName(text);
}

int CRead::ReadObjectHeader(int32_t& number) {
    number = 0;
    uint8_t b = Take();
    lastHeaderTag_ = b;
    if (b != tag::kObject && b != tag::kUserDef) return 0;
    std::string text;
    if (ReadSymbol(text) < 0) return 0;
    int id = ResolveName(text);
    if (id != 0) number = ReadLong();
    return id;
}

int CRead::EnterObject(std::initializer_list<int> classIds, uint8_t tagByte, int32_t& number) {
    strMark m = Mark();
    int id = ReadObjectHeader(number);
    if (Failed()) return 0;
    if (id != 0 && lastHeaderTag_ == tagByte && number >= 0)
        for (int want : classIds)
            if (id == want) {
                // An object is numbered before its instance variables; a '_dump' value after its
                // data (by its reader).
                if (tagByte == tag::kObject) Remember(m.position);
                return id;
            }
    Rewind(m);
    SkipValue();
    number = 0;
    return 0;
}

uint32_t CRead::ReadColor(int colorId) {
    if (PeekByte() == tag::kLink) return Resolve([&] { return ReadColor(colorId); });
    const uint32_t start = Position();
    int32_t len = 0;
    if (!EnterObject(colorId, tag::kUserDef, len)) return 0;
    double d[4] = {100.0, 0.0, 0.0, 0.0};
    int32_t used = 0;
    for (int i = 0; i < 4 && used + 8 <= len && Remaining() >= 8; ++i, used += 8) {
        uint8_t b[8];
        Read(b, 8);
        uint64_t bits = 0;
        for (int k = 0; k < 8; ++k)
            bits |= uint64_t(b[k]) << (8 * k);
        std::memcpy(&d[i], &bits, sizeof bits);
    }
    SkipBytes(int64_t(len) - used);
    Remember(start);
    uint32_t packed = 0;
    for (int i = 0; i < 4; ++i) {
        // Truncated to an integer, low 8 bits kept; values no integer can hold count as 0.
        int64_t v = std::isfinite(d[i]) && std::fabs(d[i]) < 9.0e18 ? static_cast<int64_t>(d[i]) : 0;
        packed |= static_cast<uint32_t>(v & 0xFF) << (8 * i);
    }
    return packed;
}

int32_t CRead::ReadTable(strTable& out, int tableId) {
    if (PeekByte() == tag::kLink) return Resolve([&] { return ReadTable(out, tableId); });
    const uint32_t start = Position();
    int32_t len = 0;
    if (!EnterObject(tableId, tag::kUserDef, len)) return 0;
    if (len > static_cast<int64_t>(Remaining())) {
        SkipBytes(len); // fails: the payload is cut short
        return 0;
    }
    uint32_t end = Position() + static_cast<uint32_t>(len);
    int32_t w[5] = {0, 0, 0, 0, 0};
    for (int i = 0; i < 5 && Position() + 4 <= end; ++i)
        w[i] = static_cast<int32_t>(ReadU32());
    const int32_t dims = w[0], x = w[1], n = w[4];
    const int32_t y = dims >= 2 ? w[2] : 1;
    const int32_t z = dims >= 3 ? w[3] : 1;
    if (n != 0) {
        out.values.clear();
        out.xsize = x;
        out.ysize = y;
        out.zsize = z;
        int64_t want = strTable::CheckedCount(x, y, z);
        int64_t have = (end - Position()) / 2;
        int64_t take = want < 0 ? 0 : want < have ? want : have;
        out.values.resize(static_cast<size_t>(take));
        for (int64_t i = 0; i < take; ++i)
            out.values[static_cast<size_t>(i)] = static_cast<int16_t>(ReadU16());
    }
    Seek(end);
    Remember(start);
    return len;
}

bool CRead::SkipValueAt(int depth, bool remember) {
    if (Failed()) return false;
    if (depth > kMaxDepth) {
        Fail(kRubyValuesDeep);
        return false;
    }
    const uint32_t start = Position();
    const uint8_t b = Take();
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
        if (remember) Remember(start);
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
        ReadLong();
        break;
    case tag::kFloat:
    case tag::kString:
    case tag::kClass:
    case tag::kModule:
    case tag::kOldModule:
        ReadBody(nullptr, 0);
        break;
    case tag::kSymbol: {
        StepBack();
        SkipSymbol();
        break;
    }
    case tag::kBignum: {
        Take(); // sign
        int32_t shorts = ReadCount();
        SkipBytes(int64_t(shorts) * 2);
        break;
    }
    case tag::kRegexp:
        ReadBody(nullptr, 0);
        Take(); // options
        break;
    case tag::kIvar: {
        const uint32_t inner = Position();
        const bool userDef = PeekByte() == tag::kUserDef;
        if (!SkipValueAt(depth + 1, remember && !userDef)) break;
        int32_t count = ReadCount();
        for (int32_t i = 0; i < count && !Failed(); ++i)
            if (SkipSymbol()) SkipValueAt(depth + 1, true);
        if (remember && userDef && !Failed()) Remember(inner);
        break;
    }
    case tag::kExtended:
    case tag::kUserClass:
        if (SkipSymbol()) SkipValueAt(depth + 1, remember);
        break;
    case tag::kUserMarshal:
    case tag::kData:
        if (SkipSymbol()) SkipValueAt(depth + 1, true);
        break;
    case tag::kUserDef:
        if (SkipSymbol()) ReadBody(nullptr, 0);
        if (remember && !Failed()) Remember(start);
        break;
    case tag::kObject:
    case tag::kStruct: {
        if (!SkipSymbol()) break;
        int32_t count = ReadCount();
        for (int32_t i = 0; i < count && !Failed(); ++i)
            if (SkipSymbol()) SkipValueAt(depth + 1, true);
        break;
    }
    case tag::kArray: {
        int32_t count = ReadCount();
        for (int32_t i = 0; i < count && !Failed(); ++i)
            SkipValueAt(depth + 1, true);
        break;
    }
    case tag::kHash:
    case tag::kHashDefault: {
        int32_t count = ReadCount();
        for (int32_t i = 0; i < count && !Failed(); ++i)
            if (SkipValueAt(depth + 1, true)) SkipValueAt(depth + 1, true);
        if (b == tag::kHashDefault) SkipValueAt(depth + 1, true);
        break;
    }
    default:
        if (!Failed()) Fail(kRubyUnknownType);
        break;
    }
    return !Failed();
}

} // namespace PKRUBY
