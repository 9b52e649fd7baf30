#include "interchange/ruby_write.h"

#include <cstring>

namespace ruby {

void cWrite::reset(cWriteSymbols* symbols, uint8_t stringForm) {
    clear();
    symbols_ = symbols;
    stringForm_ = stringForm;
    ivarCount_ = 0;
}

uint32_t cWrite::writeVersion() {
    const uint8_t v[2] = {kMajorVersion, kMinorVersion};
    return write(v, 2);
}

uint32_t cWrite::encodeLong(int32_t v, uint8_t out[5]) {
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
    while (n < 4 && (m >> (8 * n)) != 0)
        ++n;
    out[0] = static_cast<uint8_t>(v > 0 ? static_cast<int8_t>(n) : static_cast<int8_t>(-static_cast<int>(n)));
    uint32_t u = static_cast<uint32_t>(v);
    for (uint32_t i = 0; i < n; ++i)
        out[1 + i] = static_cast<uint8_t>(u >> (8 * i));
    return n + 1;
}

uint32_t cWrite::writeLong(int32_t v) {
    uint8_t b[5];
    return write(b, encodeLong(v, b));
}

uint32_t cWrite::writeArrayHeader(int32_t count) {
    return writeByte(tag::kArray) + writeLong(count);
}

uint32_t cWrite::writeString(std::string_view utf8) {
    uint32_t n = writeLong(static_cast<int32_t>(utf8.size()));
    return n + write(utf8.data(), static_cast<uint32_t>(utf8.size()));
}

uint32_t cWrite::writeSymbol(std::string_view text) {
    if (symbols_) {
        if (int32_t* entry = symbols_->find(text)) {
            if (*entry >= 0) return writeByte(tag::kSymlink) + writeLong(*entry);
            *entry = ~*entry; // reserved: write it now under its reserved index
        } else {
            symbols_->insert(text, false);
        }
    }
    return writeByte(tag::kSymbol) + writeString(text);
}

void cWrite::reserveSymbol(std::string_view text) {
    if (symbols_ && !symbols_->find(text)) symbols_->insert(text, true);
}

uint32_t cWrite::writeStringValue(std::string_view utf8) {
    if (stringForm_ != kStringEncoded || utf8.empty()) return writeByte(tag::kString) + writeString(utf8);
    uint32_t n = writeByte(tag::kIvar) + writeByte(tag::kString) + writeString(utf8);
    n += writeLong(1);
    n += writeSymbol("E");
    return n + writeByte(tag::kTrue);
}

uint32_t cWrite::writeIvarName(std::string_view name) {
    ++ivarCount_;
    return name.empty() ? 0 : writeSymbol(name);
}

uint32_t cWrite::writeFixnumIvar(std::string_view name, int32_t v) {
    uint32_t n = writeIvarName(name);
    return n + writeByte(tag::kFixnum) + writeLong(v);
}

uint32_t cWrite::writeStringIvar(std::string_view name, std::string_view utf8) {
    uint32_t n = writeIvarName(name);
    return n + writeStringValue(utf8);
}

uint32_t cWrite::writeHeader(uint8_t tagByte, std::string_view className, int32_t number) {
    uint32_t n = writeByte(tagByte);
    n += writeSymbol(className);
    return n + writeLong(number);
}

uint32_t cWrite::writeColor(double red, double green, double blue, double alpha) {
    uint32_t n = writeHeader(tag::kUserDef, "Color", 32);
    for (double d : {red, green, blue, alpha}) {
        uint64_t bits;
        std::memcpy(&bits, &d, sizeof bits);
        uint8_t b[8];
        for (int i = 0; i < 8; ++i)
            b[i] = static_cast<uint8_t>(bits >> (8 * i));
        n += write(b, 8);
    }
    return n;
}

uint32_t cWrite::writeTable(const strTable& t) {
    int32_t dims = t.zsize >= 2 ? 3 : t.ysize >= 2 ? 2 : 1;
    auto count = static_cast<uint32_t>(t.values.size());
    uint32_t n = writeHeader(tag::kUserDef, "Table", static_cast<int32_t>(20 + 2 * count));
    n += writeU32Le(static_cast<uint32_t>(dims));
    n += writeU32Le(static_cast<uint32_t>(t.xsize));
    n += writeU32Le(static_cast<uint32_t>(t.ysize));
    n += writeU32Le(static_cast<uint32_t>(t.zsize));
    n += writeU32Le(count);
    for (int16_t v : t.values)
        n += writeU16(static_cast<uint16_t>(v));
    return n;
}

strObjectScope BeginObject(cWrite* parent, cWrite* child, std::string_view className) {
    strObjectScope scope{parent, child, std::string(className)};
    if (parent && child) {
        child->reset(parent->symbols(), parent->stringForm());
        child->reserveSymbol(className);
    }
    return scope;
}

uint32_t EndObject(const strObjectScope& scope) {
    if (!scope.parent || !scope.child || scope.className.empty()) return 0;
    uint32_t n = scope.parent->writeHeader(tag::kObject, scope.className,
                                           static_cast<int32_t>(scope.child->ivarCount()));
    return n + scope.parent->append(*scope.child);
}

} // namespace ruby
