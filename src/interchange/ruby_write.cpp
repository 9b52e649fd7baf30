#include "interchange/ruby_write.h"

#include <cstring>

namespace PKRUBY {

void CWrite::Reset(CWriteSymbols* symbols, uint8_t stringForm) {
    Clear();
    symbols_ = symbols;
    stringForm_ = stringForm;
    ivarCount_ = 0;
}

uint32_t CWrite::WriteVersion() {
    const uint8_t v[2] = {kMajorVersion, kMinorVersion};
    return Write(v, 2);
}

uint32_t CWrite::EncodeLong(int32_t v, uint8_t out[5]) {
    if (v == 0) {
        out[0] = 0;
        return 1;
    }
    if (v > 0 && v <= 122) {
        out[0] = static_cast<uint8_t>(v + 5);
        return 1;
    }
    if (v < 0 && v >= -123) {
        out[0] = static_cast<uint8_t>(static_cast<int8_t>(v - 5));
        return 1;
    }
    // m = v or ~v; n = bytes needed for m.
    uint32_t m = v > 0 ? static_cast<uint32_t>(v) : static_cast<uint32_t>(~v);
    uint32_t n = 1;
    while (n < 4 && (m >> (8 * n)) != 0) ++n;
    out[0] = static_cast<uint8_t>(v > 0 ? static_cast<int8_t>(n) : static_cast<int8_t>(-static_cast<int>(n)));
    uint32_t u = static_cast<uint32_t>(v);
    for (uint32_t i = 0; i < n; ++i) out[1 + i] = static_cast<uint8_t>(u >> (8 * i));
    return n + 1;
}

uint32_t CWrite::WriteLong(int32_t v) {
    uint8_t b[5];
    return Write(b, EncodeLong(v, b));
}

uint32_t CWrite::WriteArrayHeader(int32_t count) { return WriteByte(tag::kArray) + WriteLong(count); }

uint32_t CWrite::WriteString(std::string_view utf8) {
    uint32_t n = WriteLong(static_cast<int32_t>(utf8.size()));
    return n + Write(utf8.data(), static_cast<uint32_t>(utf8.size()));
}

uint32_t CWrite::WriteSymbol(std::string_view text) {
    if (symbols_) {
        if (int32_t* entry = symbols_->Find(text)) {
            if (*entry >= 0) return WriteByte(tag::kSymlink) + WriteLong(*entry);
            *entry = ~*entry;  // reserved: write it now under its reserved index
        } else {
            symbols_->Insert(text, false);
        }
    }
    return WriteByte(tag::kSymbol) + WriteString(text);
}

void CWrite::ReserveSymbol(std::string_view text) {
    if (symbols_ && !symbols_->Find(text)) symbols_->Insert(text, true);
}

uint32_t CWrite::WriteStringValue(std::string_view utf8) {
    if (stringForm_ != kStringEncoded || utf8.empty()) return WriteByte(tag::kString) + WriteString(utf8);
    uint32_t n = WriteByte(tag::kIvar) + WriteByte(tag::kString) + WriteString(utf8);
    n += WriteLong(1);
    n += WriteSymbol("E");
    return n + WriteByte(tag::kTrue);
}

uint32_t CWrite::WriteIvarName(std::string_view name) {
    ++ivarCount_;
    return name.empty() ? 0 : WriteSymbol(name);
}

uint32_t CWrite::WriteFixnumIvar(std::string_view name, int32_t v) {
    uint32_t n = WriteIvarName(name);
    return n + WriteByte(tag::kFixnum) + WriteLong(v);
}

uint32_t CWrite::WriteStringIvar(std::string_view name, std::string_view utf8) {
    uint32_t n = WriteIvarName(name);
    return n + WriteStringValue(utf8);
}

uint32_t CWrite::WriteHeader(uint8_t tagByte, std::string_view className, int32_t number) {
    uint32_t n = WriteByte(tagByte);
    n += WriteSymbol(className);
    return n + WriteLong(number);
}

uint32_t CWrite::WriteColor(double red, double green, double blue, double alpha) {
    uint32_t n = WriteHeader(tag::kUserDef, "Color", 32);
    for (double d : {red, green, blue, alpha}) {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        uint8_t b[8];
        for (int i = 0; i < 8; ++i) b[i] = static_cast<uint8_t>(bits >> (8 * i));
        n += Write(b, 8);
    }
    return n;
}

uint32_t CWrite::WriteTable(const strTable& t) {
    int32_t dims = t.zsize >= 2 ? 3 : t.ysize >= 2 ? 2 : 1;
    auto count = static_cast<uint32_t>(t.values.size());
    uint32_t n = WriteHeader(tag::kUserDef, "Table", static_cast<int32_t>(20 + 2 * count));
    n += WriteU32LE(static_cast<uint32_t>(dims));
    n += WriteU32LE(static_cast<uint32_t>(t.xsize));
    n += WriteU32LE(static_cast<uint32_t>(t.ysize));
    n += WriteU32LE(static_cast<uint32_t>(t.zsize));
    n += WriteU32LE(count);
    for (int16_t v : t.values) n += WriteU16(static_cast<uint16_t>(v));
    return n;
}

strObjectScope BeginObject(CWrite* parent, CWrite* child, std::string_view className) {
    strObjectScope scope{parent, child, std::string(className)};
    if (parent && child) {
        child->Reset(parent->Symbols(), parent->StringForm());
        child->ReserveSymbol(className);
    }
    return scope;
}

uint32_t EndObject(const strObjectScope& scope) {
    if (!scope.parent || !scope.child || scope.className.empty()) return 0;
    uint32_t n = scope.parent->WriteHeader(tag::kObject, scope.className, static_cast<int32_t>(scope.child->IvarCount()));
    return n + scope.parent->Append(*scope.child);
}

}  // namespace PKRUBY
