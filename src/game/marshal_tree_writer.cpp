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
        : tree_(tree), out_(out), error_(error), objectNo_(tree.nodeCount(), kUnwritten),
          symbolNo_(tree.symbolCount(), -1) {}

    bool header(uint8_t minor) {
        out_.push_back(4);
        out_.push_back(minor);
        return true;
    }
    // An array of one element around the value, numbered as the first object.
    void oneElementArray() {
        out_.push_back('[');
        ++nextObject_;
        writeLong(1);
    }
    bool value(MarshalRef r, int depth);
    void raw(std::string_view b) { out_.insert(out_.end(), b.begin(), b.end()); }

  private:
    static constexpr uint32_t kUnwritten = UINT32_MAX;
    static constexpr uint32_t kInProgress = UINT32_MAX - 1;

    bool fail(eMessageId why) {
        if (error_ && !failed_) *error_ = strMessage(why);
        failed_ = true;
        return false;
    }
    void byte(uint8_t b) { out_.push_back(b); }
    void writeLong(int64_t v) {
        if (v == 0) {
            byte(0);
        } else if (v > 0 && v < 123) {
            byte(static_cast<uint8_t>(v + 5));
        } else if (v < 0 && v > -124) {
            byte(static_cast<uint8_t>((v - 5) & 0xFF));
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
    void bytes(std::string_view b) {
        writeLong(static_cast<int64_t>(b.size()));
        raw(b);
    }
    void number(MarshalRef r) { objectNo_[r] = nextObject_++; }

    bool symbol(uint32_t s, int depth) {
        if (symbolNo_[s] >= 0) {
            byte(';');
            writeLong(symbolNo_[s]);
            return true;
        }
        symbolNo_[s] = nextSymbol_++; // before its own instance variables
        const strMarshalSymbol& sym = tree_.symbol(s);
        if (sym.ivarCount == 0) {
            byte(':');
            bytes(tree_.symbolText(s));
            return true;
        }
        byte('I');
        byte(':');
        bytes(tree_.symbolText(s));
        return pairs(tree_.children().subspan(sym.ivarFirst, size_t(sym.ivarCount) * 2), depth);
    }
    // count, then (symbol, value) pairs.
    bool pairs(std::span<const MarshalRef> pairs, int depth) {
        if (depth > cMarshalTree::kMaxDepth) return fail(kMarshalTooDeepToWrite);
        writeLong(static_cast<int64_t>(pairs.size() / 2));
        for (size_t i = 0; i + 1 < pairs.size(); i += 2)
            if (!symbol(pairs[i], depth + 1) || !value(pairs[i + 1], depth + 1)) return false;
        return true;
    }
    bool values(std::span<const MarshalRef> values, int depth) {
        for (MarshalRef v : values)
            if (!value(v, depth + 1)) return false;
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

bool cTreeWriter::value(MarshalRef r, int depth) {
    if (depth > cMarshalTree::kMaxDepth) return fail(kMarshalTooDeepToWrite);
    if (r >= tree_.nodeCount()) return fail(kMarshalNoValue);
    const strMarshalNode& n = tree_.node(r);
    switch (n.kind) {
    case eMarshalKind::kNil:
        byte('0');
        return true;
    case eMarshalKind::kTrue:
        byte('T');
        return true;
    case eMarshalKind::kFalse:
        byte('F');
        return true;
    case eMarshalKind::kFixnum:
        byte('i');
        writeLong(static_cast<int64_t>(uint64_t(n.first) | uint64_t(n.count) << 32));
        return true;
    case eMarshalKind::kSymbol:
        return symbol(n.name, depth);
    default:
        break;
    }
    if (objectNo_[r] == kInProgress) return fail(kMarshalHoldsItself);
    if (objectNo_[r] != kUnwritten) {
        byte('@');
        writeLong(objectNo_[r]);
        return true;
    }

    std::span<const strMarshalWrap> chain = tree_.wrappers(r);
    for (const strMarshalWrap& w : chain) {
        byte(w.tag);
        if (w.tag != 'I' && !symbol(w.name, depth)) return false;
    }
    // An 'I' right around a '_dump' value has its instance variables before the value is numbered.
    const bool ivarsInside = n.kind == eMarshalKind::kUserDef && !chain.empty() && chain.back().tag == 'I';
    std::string_view bytes = tree_.bytes(r);
    bool ok = true;
    switch (n.kind) {
    case eMarshalKind::kBignum:
        byte('l');
        byte(n.extra);
        writeLong(bytes.size() / 2);
        raw(bytes);
        number(r);
        break;
    case eMarshalKind::kFloat:
    case eMarshalKind::kString:
    case eMarshalKind::kClass:
    case eMarshalKind::kModule:
    case eMarshalKind::kOldModule:
    case eMarshalKind::kRegexp:
        byte(n.kind == eMarshalKind::kFloat       ? 'f'
             : n.kind == eMarshalKind::kString    ? '"'
             : n.kind == eMarshalKind::kClass     ? 'c'
             : n.kind == eMarshalKind::kModule    ? 'm'
             : n.kind == eMarshalKind::kOldModule ? 'M'
                                                  : '/');
        this->bytes(bytes);
        if (n.kind == eMarshalKind::kRegexp) byte(n.extra);
        number(r);
        break;
    case eMarshalKind::kArray:
        byte('[');
        number(r);
        writeLong(n.count);
        ok = values(tree_.elements(r), depth);
        break;
    case eMarshalKind::kHash:
    case eMarshalKind::kHashDefault: {
        const bool withDefault = n.kind == eMarshalKind::kHashDefault;
        byte(withDefault ? '}' : '{');
        number(r);
        writeLong(n.count);
        ok = values(tree_.children().subspan(n.first, size_t(n.count) * 2 + (withDefault ? 1 : 0)), depth);
        break;
    }
    case eMarshalKind::kObject:
        byte('o');
        number(r); // before its class name
        ok = symbol(n.name, depth) && pairs(tree_.pairs(r), depth);
        break;
    case eMarshalKind::kStruct:
        byte('S');
        ok = symbol(n.name, depth);
        number(r);
        ok = ok && pairs(tree_.pairs(r), depth);
        break;
    case eMarshalKind::kUserDef:
        byte('u');
        ok = symbol(n.name, depth);
        this->bytes(bytes);
        if (ivarsInside) {
            objectNo_[r] = kInProgress;
            const strMarshalWrap& w = chain.back();
            ok = ok && pairs(tree_.children().subspan(w.ivarFirst, size_t(w.ivarCount) * 2), depth);
        }
        number(r);
        break;
    case eMarshalKind::kUserMarshal:
    case eMarshalKind::kData:
        byte(n.kind == eMarshalKind::kUserMarshal ? 'U' : 'd');
        ok = symbol(n.name, depth);
        number(r);
        ok = ok && value(n.first, depth + 1);
        break;
    default:
        return fail(kMarshalUnknownKind);
    }
    if (!ok) return false;
    for (size_t i = chain.size(); i-- > 0;) {
        if (chain[i].tag != 'I' || (ivarsInside && i + 1 == chain.size())) continue;
        if (!pairs(tree_.children().subspan(chain[i].ivarFirst, size_t(chain[i].ivarCount) * 2), depth))
            return false;
    }
    return true;
}

} // namespace

bool WriteMarshalTree(const cMarshalTree& tree, std::vector<uint8_t>& out, strMessage* error) {
    out.clear();
    // The arena holds the bytes of the file the tree was read from and those of every value added
    // since: room for the whole dump but for the framing of the added values.
    out.reserve(tree.arenaSize() + tree.arenaSize() / 64 + 4096);
    cTreeWriter w(tree, out, error);
    w.header(tree.minorVersion());
    if (!w.value(tree.root(), 0)) return false;
    w.raw(tree.trailer());
    return true;
}

bool WriteMarshalValue(const cMarshalTree& tree, MarshalRef value, bool inArray, std::vector<uint8_t>& out,
                       strMessage* error) {
    out.clear();
    cTreeWriter w(tree, out, error);
    w.header(8);
    if (inArray) w.oneElementArray();
    return w.value(value, inArray ? 1 : 0);
}

} // namespace game
