// WriteMarshalTree and WriteMarshalValue: a cMarshalTree back to Marshal 4.8 bytes.
//
// The writer numbers objects and symbols at the same places as the reader (and Ruby's loader), so a
// node met a second time is written as a link to the number it took the first time. Fixnums are
// written in their shortest form.

#include "game/marshal_tree.h"

namespace game {

namespace {

class cTreeWriter {
  public:
    cTreeWriter(const cMarshalTree& tree, std::vector<uint8_t>& out, strMessage* error)
        : tree_(tree), out_(out), error_(error), objectNo_(tree.NodeCount(), kUnwritten),
          symbolNo_(tree.SymbolCount(), -1) {}

    bool Header(uint8_t minor) {
        out_.push_back(4);
        out_.push_back(minor);
        return true;
    }
    // An array of one element around the value, numbered as the first object.
    void OneElementArray() {
        out_.push_back('[');
        ++nextObject_;
        Long(1);
    }
    bool Value(MarshalRef r, int depth);
    void Raw(std::string_view b) { out_.insert(out_.end(), b.begin(), b.end()); }

  private:
    static constexpr uint32_t kUnwritten = UINT32_MAX;
    static constexpr uint32_t kInProgress = UINT32_MAX - 1;

    bool Fail(eMessageId why) {
        if (error_ && !failed_) *error_ = strMessage(why);
        failed_ = true;
        return false;
    }
    void Byte(uint8_t b) { out_.push_back(b); }
    void Long(int64_t v) {
        if (v == 0) {
            Byte(0);
        } else if (v > 0 && v < 123) {
            Byte(static_cast<uint8_t>(v + 5));
        } else if (v < 0 && v > -124) {
            Byte(static_cast<uint8_t>((v - 5) & 0xFF));
        } else {
            uint8_t buf[9];
            int n = 1;
            int64_t x = v;
            for (; n <= 8; ++n) {
                buf[n] = static_cast<uint8_t>(x & 0xFF);
                x >>= 8; // arithmetic: a negative value ends at -1
                if (x == 0 || x == -1) break;
            }
            buf[0] = static_cast<uint8_t>(v > 0 ? n : -n);
            out_.insert(out_.end(), buf, buf + n + 1);
        }
    }
    void Bytes(std::string_view b) {
        Long(static_cast<int64_t>(b.size()));
        Raw(b);
    }
    void Number(MarshalRef r) { objectNo_[r] = nextObject_++; }

    bool Symbol(uint32_t s, int depth) {
        if (symbolNo_[s] >= 0) {
            Byte(';');
            Long(symbolNo_[s]);
            return true;
        }
        symbolNo_[s] = nextSymbol_++; // before its own instance variables
        const strMarshalSymbol& sym = tree_.Symbol(s);
        if (sym.ivarCount == 0) {
            Byte(':');
            Bytes(tree_.SymbolText(s));
            return true;
        }
        Byte('I');
        Byte(':');
        Bytes(tree_.SymbolText(s));
        return Pairs(tree_.Children().subspan(sym.ivarFirst, size_t(sym.ivarCount) * 2), depth);
    }
    // count, then (symbol, value) pairs.
    bool Pairs(std::span<const MarshalRef> pairs, int depth) {
        if (depth > cMarshalTree::kMaxDepth) return Fail(kMarshalTooDeepToWrite);
        Long(static_cast<int64_t>(pairs.size() / 2));
        for (size_t i = 0; i + 1 < pairs.size(); i += 2)
            if (!Symbol(pairs[i], depth + 1) || !Value(pairs[i + 1], depth + 1)) return false;
        return true;
    }
    bool Values(std::span<const MarshalRef> values, int depth) {
        for (MarshalRef v : values)
            if (!Value(v, depth + 1)) return false;
        return true;
    }

    const cMarshalTree& tree_;
    std::vector<uint8_t>& out_;
    strMessage* error_;
    bool failed_ = false;
    std::vector<uint32_t> objectNo_;
    std::vector<int32_t> symbolNo_;
    uint32_t nextObject_ = 0;
    int32_t nextSymbol_ = 0;
};

bool cTreeWriter::Value(MarshalRef r, int depth) {
    if (depth > cMarshalTree::kMaxDepth) return Fail(kMarshalTooDeepToWrite);
    if (r >= tree_.NodeCount()) return Fail(kMarshalNoValue);
    const strMarshalNode& n = tree_.Node(r);
    switch (n.kind) {
    case eMarshalKind::kNil:
        Byte('0');
        return true;
    case eMarshalKind::kTrue:
        Byte('T');
        return true;
    case eMarshalKind::kFalse:
        Byte('F');
        return true;
    case eMarshalKind::kFixnum:
        Byte('i');
        Long(static_cast<int64_t>(uint64_t(n.first) | uint64_t(n.count) << 32));
        return true;
    case eMarshalKind::kSymbol:
        return Symbol(n.name, depth);
    default:
        break;
    }
    if (objectNo_[r] == kInProgress) return Fail(kMarshalHoldsItself);
    if (objectNo_[r] != kUnwritten) {
        Byte('@');
        Long(objectNo_[r]);
        return true;
    }

    std::span<const strMarshalWrap> chain = tree_.Wrappers(r);
    for (const strMarshalWrap& w : chain) {
        Byte(w.tag);
        if (w.tag != 'I' && !Symbol(w.name, depth)) return false;
    }
    // An 'I' right around a '_dump' value has its instance variables before the value is numbered.
    const bool ivarsInside = n.kind == eMarshalKind::kUserDef && !chain.empty() && chain.back().tag == 'I';
    std::string_view bytes = tree_.Bytes(r);
    bool ok = true;
    switch (n.kind) {
    case eMarshalKind::kBignum:
        Byte('l');
        Byte(n.extra);
        Long(bytes.size() / 2);
        Raw(bytes);
        Number(r);
        break;
    case eMarshalKind::kFloat:
    case eMarshalKind::kString:
    case eMarshalKind::kClass:
    case eMarshalKind::kModule:
    case eMarshalKind::kOldModule:
    case eMarshalKind::kRegexp:
        Byte(n.kind == eMarshalKind::kFloat       ? 'f'
             : n.kind == eMarshalKind::kString    ? '"'
             : n.kind == eMarshalKind::kClass     ? 'c'
             : n.kind == eMarshalKind::kModule    ? 'm'
             : n.kind == eMarshalKind::kOldModule ? 'M'
                                                  : '/');
        Bytes(bytes);
        if (n.kind == eMarshalKind::kRegexp) Byte(n.extra);
        Number(r);
        break;
    case eMarshalKind::kArray:
        Byte('[');
        Number(r);
        Long(n.count);
        ok = Values(tree_.Elements(r), depth);
        break;
    case eMarshalKind::kHash:
    case eMarshalKind::kHashDefault: {
        const bool withDefault = n.kind == eMarshalKind::kHashDefault;
        Byte(withDefault ? '}' : '{');
        Number(r);
        Long(n.count);
        ok = Values(tree_.Children().subspan(n.first, size_t(n.count) * 2 + (withDefault ? 1 : 0)), depth);
        break;
    }
    case eMarshalKind::kObject:
        Byte('o');
        Number(r); // before its class name
        ok = Symbol(n.name, depth) && Pairs(tree_.Pairs(r), depth);
        break;
    case eMarshalKind::kStruct:
        Byte('S');
        ok = Symbol(n.name, depth);
        Number(r);
        ok = ok && Pairs(tree_.Pairs(r), depth);
        break;
    case eMarshalKind::kUserDef:
        Byte('u');
        ok = Symbol(n.name, depth);
        Bytes(bytes);
        if (ivarsInside) {
            objectNo_[r] = kInProgress;
            const strMarshalWrap& w = chain.back();
            ok = ok && Pairs(tree_.Children().subspan(w.ivarFirst, size_t(w.ivarCount) * 2), depth);
        }
        Number(r);
        break;
    case eMarshalKind::kUserMarshal:
    case eMarshalKind::kData:
        Byte(n.kind == eMarshalKind::kUserMarshal ? 'U' : 'd');
        ok = Symbol(n.name, depth);
        Number(r);
        ok = ok && Value(n.first, depth + 1);
        break;
    default:
        return Fail(kMarshalUnknownKind);
    }
    if (!ok) return false;
    for (size_t i = chain.size(); i-- > 0;) {
        if (chain[i].tag != 'I' || (ivarsInside && i + 1 == chain.size())) continue;
        if (!Pairs(tree_.Children().subspan(chain[i].ivarFirst, size_t(chain[i].ivarCount) * 2), depth))
            return false;
    }
    return true;
}

} // namespace

bool WriteMarshalTree(const cMarshalTree& tree, std::vector<uint8_t>& out, strMessage* error) {
    out.clear();
    // The arena holds the bytes of the file the tree was read from and those of every value added
    // since: room for the whole dump but for the framing of the added values.
    out.reserve(tree.ArenaSize() + tree.ArenaSize() / 64 + 4096);
    cTreeWriter w(tree, out, error);
    w.Header(tree.MinorVersion());
    if (!w.Value(tree.Root(), 0)) return false;
    w.Raw(tree.Trailer());
    return true;
}

bool WriteMarshalValue(const cMarshalTree& tree, MarshalRef value, bool inArray, std::vector<uint8_t>& out,
                       strMessage* error) {
    out.clear();
    cTreeWriter w(tree, out, error);
    w.Header(8);
    if (inArray) w.OneElementArray();
    return w.Value(value, inArray ? 1 : 0);
}

} // namespace game
