#include "game/marshal_tree.h"

#include <algorithm>
#include <cstring>

namespace game {

namespace {

// The kinds whose node holds bytes (first: offset into the byte store, count: length).
bool HoldsBytes(eMarshalKind kind) {
    switch (kind) {
    case eMarshalKind::kBignum:
    case eMarshalKind::kFloat:
    case eMarshalKind::kString:
    case eMarshalKind::kUserDef:
    case eMarshalKind::kClass:
    case eMarshalKind::kModule:
    case eMarshalKind::kOldModule:
    case eMarshalKind::kRegexp:
        return true;
    default:
        return false;
    }
}

} // namespace

void cMarshalTree::clear() {
    nodes_.clear();
    refs_.clear();
    symbols_.clear();
    wrapItems_.clear();
    wrapChains_.clear();
    bytes_.clear();
    added_.clear();
    plainSymbols_.clear();
    plainIndexed_ = false;
    root_ = kNoValue;
    trailerFirst_ = trailerLength_ = 0;
    minor_ = 8;
}

const char* cMarshalTree::byteAt(uint32_t first) const {
    const uint8_t* p =
        first < bytes_.size() ? bytes_.data() + first : added_.data() + (first - bytes_.size());
    return reinterpret_cast<const char*>(p);
}

void cMarshalTree::reserve(size_t nodes, size_t refs) {
    nodes_.reserve(nodes);
    refs_.reserve(refs);
}

namespace {

template <typename T> void FitVector(std::vector<T>& v) {
    const size_t spare = std::max<size_t>(v.size() / 32, 1024);
    if (v.capacity() >= v.size() + spare / 2 && v.capacity() <= v.size() + spare * 2) return;
    std::vector<T> fitted;
    fitted.reserve(v.size() + spare);
    fitted.assign(v.begin(), v.end());
    v.swap(fitted);
}

} // namespace

void cMarshalTree::fit() {
    FitVector(nodes_);
    FitVector(refs_);
}

int32_t cMarshalTree::fixnum(MarshalRef r) const {
    return is(r, eMarshalKind::kFixnum) ? static_cast<int32_t>(nodes_[r].first) : 0;
}

std::string_view cMarshalTree::bytes(MarshalRef r) const {
    if (r >= nodes_.size()) return {};
    const strMarshalNode& n = nodes_[r];
    return HoldsBytes(n.kind) ? std::string_view(byteAt(n.first), n.count) : std::string_view();
}

std::span<const MarshalRef> cMarshalTree::elements(MarshalRef r) const {
    if (!is(r, eMarshalKind::kArray)) return {};
    return std::span<const MarshalRef>(refs_).subspan(nodes_[r].first, nodes_[r].count);
}

std::span<const MarshalRef> cMarshalTree::pairs(MarshalRef r) const {
    const eMarshalKind k = kind(r);
    if (k != eMarshalKind::kObject && k != eMarshalKind::kStruct && k != eMarshalKind::kHash &&
        k != eMarshalKind::kHashDefault)
        return {};
    return std::span<const MarshalRef>(refs_).subspan(nodes_[r].first, size_t(nodes_[r].count) * 2);
}

std::string_view cMarshalTree::className(MarshalRef r) const {
    switch (kind(r)) {
    case eMarshalKind::kObject:
    case eMarshalKind::kStruct:
    case eMarshalKind::kUserDef:
    case eMarshalKind::kUserMarshal:
    case eMarshalKind::kData:
        return symbolText(nodes_[r].name);
    default:
        return {};
    }
}

MarshalRef cMarshalTree::ivar(MarshalRef object, std::string_view name) const {
    if (!is(object, eMarshalKind::kObject)) return kNoValue;
    std::span<const MarshalRef> pairs = this->pairs(object);
    for (size_t i = 0; i + 1 < pairs.size(); i += 2)
        if (symbolText(pairs[i]) == name) return pairs[i + 1];
    return kNoValue;
}

std::string_view cMarshalTree::symbolText(uint32_t s) const {
    if (s >= symbols_.size()) return {};
    return {byteAt(symbols_[s].first), symbols_[s].length};
}

std::span<const strMarshalWrap> cMarshalTree::wrappers(MarshalRef r) const {
    if (r >= nodes_.size() || nodes_[r].wrap == 0) return {};
    const auto& [first, count] = wrapChains_[nodes_[r].wrap - 1];
    return std::span<const strMarshalWrap>(wrapItems_).subspan(first, count);
}

std::string_view cMarshalTree::trailer() const {
    return {byteAt(trailerFirst_), trailerLength_};
}

uint32_t cMarshalTree::addBytes(std::span<const uint8_t> b) {
    const auto at = static_cast<uint32_t>(bytes_.size() + added_.size());
    added_.insert(added_.end(), b.begin(), b.end());
    return at;
}

uint32_t cMarshalTree::addRefs(std::span<const MarshalRef> refs) {
    const auto at = static_cast<uint32_t>(refs_.size());
    refs_.insert(refs_.end(), refs.begin(), refs.end());
    return at;
}

uint32_t cMarshalTree::addWrapChain(std::span<const strMarshalWrap> chain) {
    const auto at = static_cast<uint32_t>(wrapItems_.size());
    wrapItems_.insert(wrapItems_.end(), chain.begin(), chain.end());
    wrapChains_.emplace_back(at, static_cast<uint32_t>(chain.size()));
    return static_cast<uint32_t>(wrapChains_.size());
}

MarshalRef cMarshalTree::addNode(const strMarshalNode& n) {
    nodes_.push_back(n);
    return static_cast<MarshalRef>(nodes_.size() - 1);
}

MarshalRef cMarshalTree::addFixnum(int32_t v) {
    strMarshalNode n;
    n.kind = eMarshalKind::kFixnum;
    n.first = static_cast<uint32_t>(v);
    n.count = v < 0 ? UINT32_MAX : 0; // the high word of the 64-bit value
    return addNode(n);
}

uint32_t cMarshalTree::internSymbol(std::string_view text) {
    if (!plainIndexed_) {
        for (uint32_t s = 0; s < symbols_.size(); ++s)
            if (symbols_[s].ivarCount == 0) plainSymbols_.emplace(std::string(symbolText(s)), s);
        plainIndexed_ = true;
    }
    if (auto it = plainSymbols_.find(std::string(text)); it != plainSymbols_.end()) return it->second;
    strMarshalSymbol s;
    s.first = addBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
    s.length = static_cast<uint32_t>(text.size());
    const uint32_t id = addSymbol(s);
    plainSymbols_.emplace(std::string(text), id);
    return id;
}

MarshalRef cMarshalTree::addString(std::string_view bytes, bool encoded) {
    strMarshalNode n;
    n.kind = eMarshalKind::kString;
    n.first = addBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
    n.count = static_cast<uint32_t>(bytes.size());
    if (encoded) {
        const MarshalRef pair[2] = {internSymbol("E"), addNode({eMarshalKind::kTrue})};
        strMarshalWrap w;
        w.tag = 'I';
        w.ivarFirst = addRefs(pair);
        w.ivarCount = 1;
        n.wrap = addWrapChain({&w, 1});
    }
    return addNode(n);
}

MarshalRef cMarshalTree::addObject(uint32_t classSymbol,
                                   std::span<const std::pair<uint32_t, MarshalRef>> ivars) {
    strMarshalNode n;
    n.kind = eMarshalKind::kObject;
    n.name = classSymbol;
    n.first = static_cast<uint32_t>(refs_.size());
    n.count = static_cast<uint32_t>(ivars.size());
    for (const auto& [sym, value] : ivars) {
        refs_.push_back(sym);
        refs_.push_back(value);
    }
    return addNode(n);
}

bool cMarshalTree::setElement(MarshalRef array, uint32_t i, MarshalRef value) {
    if (!is(array, eMarshalKind::kArray) || i >= nodes_[array].count) return false;
    refs_[nodes_[array].first + i] = value;
    return true;
}

bool cMarshalTree::appendElement(MarshalRef array, MarshalRef value) {
    if (!is(array, eMarshalKind::kArray)) return false;
    strMarshalNode& n = nodes_[array];
    if (n.first + n.count != refs_.size()) {
        // Move the elements to the end of the child array, where they can grow.
        const auto at = static_cast<uint32_t>(refs_.size());
        refs_.reserve(refs_.size() + n.count + 1);
        for (uint32_t k = 0; k < n.count; ++k)
            refs_.push_back(refs_[n.first + k]);
        n.first = at;
    }
    refs_.push_back(value);
    ++n.count;
    return true;
}

bool cMarshalTree::popElement(MarshalRef array) {
    if (!is(array, eMarshalKind::kArray) || nodes_[array].count == 0) return false;
    --nodes_[array].count;
    return true;
}

namespace {

// Deep copy between trees, keeping the sharing of values inside the copied value.
class cCopier {
  public:
    cCopier(cMarshalTree& to, const cMarshalTree& from)
        : to_(to), from_(from), symbols_(from.symbolCount(), kNoValue) {}

    MarshalRef copy(MarshalRef r) {
        if (auto it = done_.find(r); it != done_.end()) return it->second;
        const strMarshalNode& src = from_.node(r);
        strMarshalNode n = src;
        n.wrap = 0;
        const MarshalRef copy = to_.addNode(n);
        done_.emplace(r, copy); // before the children, so that a value holding itself stays one
        if (HoldsBytes(src.kind)) {
            const std::string_view b = from_.bytes(r);
            n.first = to_.addBytes({reinterpret_cast<const uint8_t*>(b.data()), b.size()});
        }
        switch (src.kind) {
        case eMarshalKind::kSymbol:
            n.name = sym(src.name);
            break;
        case eMarshalKind::kArray:
            n.first = copyRefs(from_.elements(r), false);
            break;
        case eMarshalKind::kHash:
        case eMarshalKind::kHashDefault: {
            const size_t extra = src.kind == eMarshalKind::kHashDefault ? 1 : 0;
            n.first = copyRefs(from_.children().subspan(src.first, size_t(src.count) * 2 + extra), false);
            break;
        }
        case eMarshalKind::kObject:
        case eMarshalKind::kStruct:
            n.first = copyRefs(from_.pairs(r), true);
            break;
        case eMarshalKind::kUserMarshal:
        case eMarshalKind::kData:
            n.first = this->copy(src.first);
            break;
        default:
            break;
        }
        switch (src.kind) {
        case eMarshalKind::kObject:
        case eMarshalKind::kStruct:
        case eMarshalKind::kUserDef:
        case eMarshalKind::kUserMarshal:
        case eMarshalKind::kData:
            n.name = sym(src.name);
            break;
        default:
            break;
        }
        std::span<const strMarshalWrap> chain = from_.wrappers(r);
        if (!chain.empty()) {
            std::vector<strMarshalWrap> copied(chain.begin(), chain.end());
            for (strMarshalWrap& w : copied) {
                if (w.tag == 'I')
                    w.ivarFirst =
                        copyRefs(from_.children().subspan(w.ivarFirst, size_t(w.ivarCount) * 2), true);
                else
                    w.name = sym(w.name);
            }
            n.wrap = to_.addWrapChain(copied);
        }
        to_.mutableNode(copy) = n;
        return copy;
    }

  private:
    // Copies a run of child refs; pairs set: every even entry is a symbol.
    uint32_t copyRefs(std::span<const MarshalRef> refs, bool pairs) {
        std::vector<MarshalRef> out(refs.size());
        for (size_t i = 0; i < refs.size(); ++i)
            out[i] = pairs && i % 2 == 0 ? sym(refs[i]) : copy(refs[i]);
        return to_.addRefs(out);
    }

    uint32_t sym(uint32_t s) {
        if (symbols_[s] != kNoValue) return symbols_[s];
        const strMarshalSymbol& src = from_.symbol(s);
        if (src.ivarCount == 0) return symbols_[s] = to_.internSymbol(from_.symbolText(s));
        std::string_view text = from_.symbolText(s);
        strMarshalSymbol copy;
        copy.first = to_.addBytes({reinterpret_cast<const uint8_t*>(text.data()), text.size()});
        copy.length = src.length;
        copy.ivarCount = src.ivarCount;
        const uint32_t id = to_.addSymbol(copy);
        symbols_[s] = id;
        std::vector<MarshalRef> ivars(from_.children().begin() + src.ivarFirst,
                                      from_.children().begin() + src.ivarFirst + size_t(src.ivarCount) * 2);
        const uint32_t first = copyRefs(ivars, true);
        to_.mutableSymbol(id).ivarFirst = first; // by index: the table may have grown
        return id;
    }

    cMarshalTree& to_;
    const cMarshalTree& from_;
    std::vector<uint32_t> symbols_;
    std::unordered_map<MarshalRef, MarshalRef> done_;
};

} // namespace

MarshalRef cMarshalTree::copyFrom(const cMarshalTree& other, MarshalRef r) {
    if (r >= other.nodeCount()) return kNoValue;
    cCopier copier(*this, other);
    return copier.copy(r);
}

} // namespace game
