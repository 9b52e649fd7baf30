// ReadMarshalTree: a whole Marshal 4.8 dump into a cMarshalTree.
//
// Objects are numbered for the links '@' exactly where Ruby's loader numbers them: an array, hash,
// struct, 'U' or 'd' value before what it holds, an object before its class name, a '_dump' value
// ('u') after its data (and after the instance variables of an 'I' right around it), strings,
// floats, bignums, regexps, classes and modules when read; nil, true, false, fixnums and symbols
// are not numbered. Symbols are numbered by definition, a symbol before its own instance variables.
//
// What Ruby cannot load either is refused: a link to a value not numbered yet, a wrapper around a
// link or around nil, true, false or a fixnum, an 'I' before a symbol link.

#include "game/marshal_tree.h"

#include <algorithm>
#include <cstring>

namespace game {

namespace {

class cTreeReader {
  public:
    cTreeReader(cMarshalTree& tree, strMessage* error) : tree_(tree), error_(error) {
        data_ = tree.arena().data();
        size_ = tree.arena().size();
    }

    bool run() {
        uint8_t major = 0, minor = 0;
        if (!byte(major) || !byte(minor)) return fail(kMarshalTooShort);
        if (major != 4 || minor > 8) return fail(kRubyVersion);
        tree_.setMinorVersion(minor);
        const MarshalRef root = value(0);
        if (root == kNoValue) return false;
        tree_.setRoot(root);
        tree_.setTrailer(static_cast<uint32_t>(pos_), static_cast<uint32_t>(size_ - pos_));
        return true;
    }

  private:
    bool fail(eMessageId why) {
        if (error_ && !failed_) *error_ = strMessage(kMarshalAtByte, strMessage(why), pos_);
        failed_ = true;
        return false;
    }
    MarshalRef failRef(eMessageId why) {
        fail(why);
        return kNoValue;
    }
    size_t left() const { return size_ - pos_; }

    bool byte(uint8_t& b) {
        if (pos_ >= size_) return fail(kMarshalEndsEarly);
        b = data_[pos_++];
        return true;
    }
    bool peek(uint8_t& b) {
        if (pos_ >= size_) return fail(kMarshalEndsEarly);
        b = data_[pos_];
        return true;
    }

    // A fixnum body: at most four bytes after the length byte.
    bool readLong(int64_t& v) {
        uint8_t b0 = 0;
        if (!byte(b0)) return false;
        const auto c = static_cast<int8_t>(b0);
        if (c == 0) {
            v = 0;
        } else if (c > 4) {
            v = c - 5;
        } else if (c < -4) {
            v = c + 5;
        } else if (c > 0) {
            if (left() < size_t(c)) return fail(kMarshalEndsInNumber);
            uint64_t x = 0;
            for (int i = 0; i < c; ++i)
                x |= uint64_t(data_[pos_++]) << (8 * i);
            v = static_cast<int64_t>(x);
        } else {
            const int n = -c;
            if (left() < size_t(n)) return fail(kMarshalEndsInNumber);
            uint64_t x = 0;
            for (int i = 0; i < n; ++i)
                x |= uint64_t(data_[pos_++]) << (8 * i);
            v = static_cast<int64_t>(x) - (int64_t(1) << (8 * n));
        }
        return true;
    }
    // A count or length: not negative, and at most what the bytes left can hold (each item
    // takes at least perItem bytes).
    bool readCount(uint32_t& n, size_t perItem) {
        int64_t v = 0;
        if (!readLong(v)) return false;
        if (v < 0) return fail(kMarshalNegative);
        if (uint64_t(v) > left() / perItem) return fail(kMarshalCountTooLarge);
        n = static_cast<uint32_t>(v);
        return true;
    }
    // A byte string: its length and bytes, left in place in the arena.
    bool bytes(uint32_t& first, uint32_t& length) {
        if (!readCount(length, 1)) return false;
        first = static_cast<uint32_t>(pos_);
        pos_ += length;
        return true;
    }

    MarshalRef number(MarshalRef r) {
        objects_.push_back(r);
        return r;
    }
    MarshalRef newNode(eMarshalKind kind) {
        strMarshalNode n;
        n.kind = kind;
        return tree_.addNode(n);
    }
    MarshalRef shared(MarshalRef& slot, eMarshalKind kind) {
        if (slot == kNoValue) slot = newNode(kind);
        return slot;
    }

    // A symbol where the format requires one; returns the symbol's index in the tree.
    bool symbolRef(uint32_t& sym, int depth) {
        uint8_t t = 0;
        if (!byte(t)) return false;
        if (t == ':') return symbolDef(sym, false, depth);
        if (t == ';') return symbolLink(sym);
        if (t == 'I') {
            if (!byte(t)) return false;
            if (t == ':') return symbolDef(sym, true, depth);
        }
        return fail(kRubySymbolExpected);
    }
    bool symbolLink(uint32_t& sym) {
        int64_t i = 0;
        if (!readLong(i)) return false;
        if (i < 0 || uint64_t(i) >= symbols_.size()) return fail(kMarshalBadSymbolLink);
        sym = symbols_[size_t(i)];
        return true;
    }
    bool symbolDef(uint32_t& sym, bool withIvars, int depth) {
        strMarshalSymbol s;
        if (!bytes(s.first, s.length)) return false;
        sym = tree_.addSymbol(s);
        symbols_.push_back(sym); // numbered before its instance variables
        if (!withIvars) return true;
        uint32_t first = 0, count = 0;
        if (!ivars(first, count, depth)) return false;
        tree_.mutableSymbol(sym).ivarFirst = first;
        tree_.mutableSymbol(sym).ivarCount = count;
        return true;
    }

    // count pairs (symbol, value) into the child array.
    bool ivars(uint32_t& first, uint32_t& count, int depth) {
        if (depth > cMarshalTree::kMaxDepth) return fail(kMarshalTooDeep);
        if (!readCount(count, 2)) return false;
        std::vector<MarshalRef> pairs;
        pairs.reserve(size_t(count) * 2);
        for (uint32_t k = 0; k < count; ++k) {
            uint32_t sym = 0;
            if (!symbolRef(sym, depth + 1)) return false;
            const MarshalRef v = value(depth + 1);
            if (v == kNoValue) return false;
            pairs.push_back(sym);
            pairs.push_back(v);
        }
        first = tree_.addRefs(pairs);
        return true;
    }

    // Puts a wrapper in front of the value's chain. Only a value read inside the wrapper (a node
    // from firstFresh on, so not a link) that is not an immediate value can carry one.
    bool wrap(MarshalRef r, MarshalRef firstFresh, const strMarshalWrap& w) {
        switch (tree_.kind(r)) {
        case eMarshalKind::kNil:
        case eMarshalKind::kTrue:
        case eMarshalKind::kFalse:
        case eMarshalKind::kFixnum:
        case eMarshalKind::kSymbol:
            return fail(kMarshalBadWrapper);
        default:
            break;
        }
        if (r < firstFresh) return fail(kMarshalWrappedLink);
        std::span<const strMarshalWrap> old = tree_.wrappers(r);
        std::vector<strMarshalWrap> chain;
        chain.reserve(old.size() + 1);
        chain.push_back(w);
        chain.insert(chain.end(), old.begin(), old.end());
        tree_.mutableNode(r).wrap = tree_.addWrapChain(chain);
        return true;
    }

    // Reads the values node r holds (values of them, one level deeper) and stores them with its
    // count; r, or kNoValue when a value cannot be read.
    MarshalRef readItems(MarshalRef r, uint32_t count, size_t values, int depth) {
        std::vector<MarshalRef> items;
        items.reserve(values);
        for (size_t k = 0; k < values; ++k) {
            const MarshalRef v = value(depth + 1);
            if (v == kNoValue) return kNoValue;
            items.push_back(v);
        }
        strMarshalNode& n = tree_.mutableNode(r);
        n.first = tree_.addRefs(items);
        n.count = count;
        return r;
    }

    MarshalRef value(int depth) {
        if (depth > cMarshalTree::kMaxDepth) return failRef(kMarshalTooDeep);
        uint8_t t = 0;
        if (!byte(t)) return kNoValue;
        switch (t) {
        case '0':
            return shared(nil_, eMarshalKind::kNil);
        case 'T':
            return shared(true_, eMarshalKind::kTrue);
        case 'F':
            return shared(false_, eMarshalKind::kFalse);
        case 'i': {
            int64_t v = 0;
            if (!readLong(v)) return kNoValue;
            strMarshalNode n;
            n.kind = eMarshalKind::kFixnum;
            n.first = static_cast<uint32_t>(uint64_t(v));
            n.count = static_cast<uint32_t>(uint64_t(v) >> 32);
            return tree_.addNode(n);
        }
        case 'l': {
            strMarshalNode n;
            n.kind = eMarshalKind::kBignum;
            uint8_t sign = 0;
            uint32_t words = 0;
            if (!byte(sign) || !readCount(words, 2)) return kNoValue;
            if (sign != '+' && sign != '-') return failRef(kRubyUnknownType);
            n.extra = sign;
            n.first = static_cast<uint32_t>(pos_);
            n.count = words * 2;
            pos_ += n.count;
            return number(tree_.addNode(n));
        }
        case 'f':
        case '"':
        case 'c':
        case 'm':
        case 'M':
        case '/': {
            strMarshalNode n;
            n.kind = t == 'f'   ? eMarshalKind::kFloat
                     : t == '"' ? eMarshalKind::kString
                     : t == 'c' ? eMarshalKind::kClass
                     : t == 'm' ? eMarshalKind::kModule
                     : t == 'M' ? eMarshalKind::kOldModule
                                : eMarshalKind::kRegexp;
            if (!bytes(n.first, n.count)) return kNoValue;
            if (t == '/' && !byte(n.extra)) return kNoValue;
            return number(tree_.addNode(n));
        }
        case ':':
        case ';': {
            strMarshalNode n;
            n.kind = eMarshalKind::kSymbol;
            if (!(t == ':' ? symbolDef(n.name, false, depth) : symbolLink(n.name))) return kNoValue;
            return tree_.addNode(n);
        }
        case '@': {
            int64_t i = 0;
            if (!readLong(i)) return kNoValue;
            if (i < 0 || uint64_t(i) >= objects_.size()) return failRef(kRubyBadLink);
            return objects_[size_t(i)];
        }
        case 'I':
            return ivarValue(depth);
        case 'e':
        case 'C': {
            strMarshalWrap w;
            w.tag = t;
            if (!symbolRef(w.name, depth)) return kNoValue;
            const auto fresh = static_cast<MarshalRef>(tree_.nodeCount());
            const MarshalRef inner = value(depth + 1);
            if (inner == kNoValue) return kNoValue;
            return wrap(inner, fresh, w) ? inner : kNoValue;
        }
        case '[': {
            const MarshalRef r = number(newNode(eMarshalKind::kArray));
            uint32_t count = 0;
            if (!readCount(count, 1)) return kNoValue;
            return readItems(r, count, count, depth);
        }
        case '{':
        case '}': {
            const MarshalRef r = number(newNode(t == '{' ? eMarshalKind::kHash : eMarshalKind::kHashDefault));
            uint32_t count = 0;
            if (!readCount(count, 2)) return kNoValue;
            return readItems(r, count, size_t(count) * 2 + (t == '}' ? 1 : 0), depth);
        }
        case 'o':
        case 'S': {
            MarshalRef r = kNoValue;
            uint32_t cls = 0;
            if (t == 'o') { // numbered before its class name, as Ruby does
                r = number(newNode(eMarshalKind::kObject));
                if (!symbolRef(cls, depth)) return kNoValue;
            } else {
                if (!symbolRef(cls, depth)) return kNoValue;
                r = number(newNode(eMarshalKind::kStruct));
            }
            uint32_t first = 0, count = 0;
            if (!ivars(first, count, depth)) return kNoValue;
            strMarshalNode& n = tree_.mutableNode(r);
            n.name = cls;
            n.first = first;
            n.count = count;
            return r;
        }
        case 'u':
            return userDef(depth, false);
        case 'U':
        case 'd': {
            uint32_t cls = 0;
            if (!symbolRef(cls, depth)) return kNoValue;
            const MarshalRef r = number(newNode(t == 'U' ? eMarshalKind::kUserMarshal : eMarshalKind::kData));
            const MarshalRef v = value(depth + 1);
            if (v == kNoValue) return kNoValue;
            strMarshalNode& n = tree_.mutableNode(r);
            n.name = cls;
            n.first = v;
            n.count = 1;
            return r;
        }
        default:
            return failRef(kRubyUnknownType);
        }
    }

    // 'u': class, the _dump bytes; numbered afterwards (after the instance variables of an 'I' right
    // around it, which are read here when withIvars is set).
    MarshalRef userDef(int depth, bool withIvars) {
        strMarshalNode n;
        n.kind = eMarshalKind::kUserDef;
        if (!symbolRef(n.name, depth) || !bytes(n.first, n.count)) return kNoValue;
        const MarshalRef r = tree_.addNode(n);
        if (withIvars) {
            strMarshalWrap w;
            w.tag = 'I';
            if (!ivars(w.ivarFirst, w.ivarCount, depth)) return kNoValue;
            tree_.mutableNode(r).wrap = tree_.addWrapChain({&w, 1});
        }
        return number(r);
    }

    // 'I': a symbol with instance variables, a '_dump' value read with them, or any other value
    // followed by them.
    MarshalRef ivarValue(int depth) {
        uint8_t next = 0;
        if (!peek(next)) return kNoValue;
        if (next == ':') {
            ++pos_;
            strMarshalNode n;
            n.kind = eMarshalKind::kSymbol;
            if (!symbolDef(n.name, true, depth)) return kNoValue;
            return tree_.addNode(n);
        }
        if (next == ';') return failRef(kMarshalBadWrapper);
        if (next == 'u') {
            ++pos_;
            return userDef(depth, true);
        }
        const auto fresh = static_cast<MarshalRef>(tree_.nodeCount());
        const MarshalRef inner = value(depth + 1);
        if (inner == kNoValue) return kNoValue;
        strMarshalWrap w;
        w.tag = 'I';
        if (!ivars(w.ivarFirst, w.ivarCount, depth)) return kNoValue;
        return wrap(inner, fresh, w) ? inner : kNoValue;
    }

    cMarshalTree& tree_;
    strMessage* error_;
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool failed_ = false;
    std::vector<MarshalRef> objects_; // object number -> node
    std::vector<uint32_t> symbols_;   // symbol number -> tree symbol
    MarshalRef nil_ = kNoValue, true_ = kNoValue, false_ = kNoValue;
};

} // namespace

bool ReadMarshalTree(std::vector<uint8_t> bytes, cMarshalTree& tree, strMessage* error) {
    tree.clear();
    if (bytes.size() >= UINT32_MAX) {
        if (error) *error = strMessage(kMarshalTooLarge);
        return false;
    }
    tree.arena() = std::move(bytes);
    cTreeReader reader(tree, error);
    if (reader.run()) return true;
    tree.clear();
    return false;
}

} // namespace game
