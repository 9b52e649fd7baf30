#pragma once
// cMarshalTree: a whole Ruby Marshal 4.8 dump as a tree of values, kept so that writing it back gives
// the same bytes, and an edited tree keeps every value it was not asked to change.
//
// Every value Marshal 4.8 can hold has a node: nil, true, false, fixnums, bignums, floats, strings,
// symbols, arrays, hashes (with and without a default), objects, structs, '_dump' data ('u'),
// 'marshal_dump' data ('U'), 'd' data, classes, modules and regexps. The wrappers around a value
// ('I' with its instance variables, 'e' extended modules, 'C' user classes) are kept in the order
// they were read. A value reachable twice (an object link '@' in the file) is one node referenced
// twice, so writing it again gives the link again; symbols are kept in a table of their own, in
// the order of their definitions, so their links come back as they were.
//
// Nodes, child references and bytes live in flat arrays: a node is 20 bytes, the bytes of strings,
// floats, bignums and '_dump' data stay in the byte arena, so a tree takes little more memory than
// its file. The arena is the file's own buffer when the tree was read, followed by the bytes of the
// values added since, which are kept apart so that an edit never copies the file's buffer.
//
// Reading (ReadMarshalTree) is bounded: nesting depth kMaxDepth, counts and lengths checked against
// the bytes left before anything is reserved, links only to values already numbered. Writing
// (WriteMarshalTree) numbers objects as Ruby's loader does, so the links it writes are the ones Ruby
// resolves.

#include "document/messages.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace game {

using MarshalRef = uint32_t;
inline constexpr MarshalRef kNoValue = UINT32_MAX;

enum class eMarshalKind : uint8_t {
    kNil,
    kTrue,
    kFalse,
    kFixnum,
    kBignum,
    kFloat,
    kString,
    kSymbol,
    kArray,
    kHash,
    kHashDefault,
    kObject,
    kStruct,
    kUserDef,     // 'u': class and the bytes of its _dump
    kUserMarshal, // 'U': class and one value
    kData,        // 'd': class and one value
    kClass,
    kModule,
    kOldModule,
    kRegexp,
};

struct strMarshalNode {
    eMarshalKind kind = eMarshalKind::kNil;
    uint8_t extra = 0;  // bignum sign ('+' / '-'), regexp options
    uint32_t name = 0;  // class symbol (object, struct, 'u', 'U', 'd'); the symbol of kSymbol
    uint32_t first = 0; // byte offset (bytes kinds), child offset (containers), value bits (fixnum)
    uint32_t count = 0; // byte length; elements of an array; pairs of a hash, object or struct
    uint32_t wrap = 0;  // 1 + index of the wrapper chain, 0 for none
};

// One wrapper around a value: 'I' (instance variables, written after the value), 'e' (a module the
// value is extended with) or 'C' (the value's own class).
struct strMarshalWrap {
    uint8_t tag = 0;
    uint32_t name = 0;      // module or class symbol ('e', 'C')
    uint32_t ivarFirst = 0; // 'I': pairs (symbol, value) in the child array
    uint32_t ivarCount = 0;
};

struct strMarshalSymbol {
    uint32_t first = 0; // bytes in the arena
    uint32_t length = 0;
    uint32_t ivarFirst = 0; // a symbol written as 'I' ':' carries instance variables (its encoding)
    uint32_t ivarCount = 0;
};

class cMarshalTree {
  public:
    static constexpr int kMaxDepth = 128;

    // Empties the tree; the capacity of its arrays is kept.
    void clear();
    // Makes room for this many nodes and child references in all, so a tree read or built to about
    // that size does not grow its arrays by doubling.
    void reserve(size_t nodes, size_t refs);
    // Sets the capacity of the node and child arrays to their size and a spare part (1/32 of it, at
    // least 1024), unless it is near that already: what a whole file grew them to is given back, and
    // an edit adds its few nodes without a new copy of the arrays.
    void fit();

    // --- reading the tree ---
    MarshalRef root() const { return root_; }
    void setRoot(MarshalRef r) { root_ = r; }
    size_t nodeCount() const { return nodes_.size(); }
    const strMarshalNode& node(MarshalRef r) const { return nodes_[r]; }
    eMarshalKind kind(MarshalRef r) const { return r < nodes_.size() ? nodes_[r].kind : eMarshalKind::kNil; }
    bool is(MarshalRef r, eMarshalKind k) const { return r < nodes_.size() && nodes_[r].kind == k; }
    // The fixnum's value (0 for another kind).
    int32_t fixnum(MarshalRef r) const;
    // The bytes of a string, float, bignum, '_dump' value, class, module or regexp; empty otherwise.
    std::string_view bytes(MarshalRef r) const;
    // Array elements; empty for another kind.
    std::span<const MarshalRef> elements(MarshalRef r) const;
    // Pairs of an object or struct (symbol, value) or of a hash (key, value), as 2 * count refs.
    std::span<const MarshalRef> pairs(MarshalRef r) const;
    // The class name of an object, struct, 'u', 'U' or 'd' value; "" otherwise.
    std::string_view className(MarshalRef r) const;
    // The value of an object's instance variable ("@name"); kNoValue when it has none.
    MarshalRef ivar(MarshalRef object, std::string_view name) const;

    size_t symbolCount() const { return symbols_.size(); }
    const strMarshalSymbol& symbol(uint32_t s) const { return symbols_[s]; }
    std::string_view symbolText(uint32_t s) const;
    std::span<const strMarshalWrap> wrappers(MarshalRef r) const;
    std::span<const MarshalRef> children() const { return refs_; }
    std::string_view trailer() const;

    // --- building ---
    // A symbol with this text and no instance variables, added when there is none yet.
    uint32_t internSymbol(std::string_view text);
    MarshalRef addNode(const strMarshalNode& n);
    MarshalRef addFixnum(int32_t v);
    MarshalRef addNil() { return addNode({eMarshalKind::kNil}); }
    // A string node; encoded adds the wrapper 'I' with E = true (a UTF-8 string of Ruby 1.9 on).
    MarshalRef addString(std::string_view bytes, bool encoded);
    // An object of the class with the instance variables (symbol, value) in the order given.
    MarshalRef addObject(uint32_t classSymbol, std::span<const std::pair<uint32_t, MarshalRef>> ivars);
    // Replaces element i of an array (false when there is no such element).
    bool setElement(MarshalRef array, uint32_t i, MarshalRef value);
    // Appends an element to an array (its elements move to the end of the child array when needed).
    bool appendElement(MarshalRef array, MarshalRef value);
    // Removes the last element of an array.
    bool popElement(MarshalRef array);
    // A deep copy of a value of another tree; values shared inside it stay shared in the copy.
    // Symbols are taken over by text and instance variables.
    MarshalRef copyFrom(const cMarshalTree& other, MarshalRef r);

    // --- used by the reader ---
    uint32_t addBytes(std::span<const uint8_t> b);
    uint32_t addRefs(std::span<const MarshalRef> refs);
    uint32_t addWrapChain(std::span<const strMarshalWrap> chain);
    uint32_t addSymbol(const strMarshalSymbol& s) {
        symbols_.push_back(s);
        return static_cast<uint32_t>(symbols_.size() - 1);
    }
    strMarshalNode& mutableNode(MarshalRef r) { return nodes_[r]; }
    strMarshalSymbol& mutableSymbol(uint32_t s) { return symbols_[s]; }
    // The buffer the tree was read from (the bytes of added values not included).
    std::vector<uint8_t>& arena() { return bytes_; }
    const std::vector<uint8_t>& arena() const { return bytes_; }
    // The arena's size, added bytes included.
    size_t arenaSize() const { return bytes_.size() + added_.size(); }
    void setTrailer(uint32_t first, uint32_t length) {
        trailerFirst_ = first;
        trailerLength_ = length;
    }
    void setMinorVersion(uint8_t v) { minor_ = v; }
    uint8_t minorVersion() const { return minor_; }

  private:
    // The arena's byte at an offset: in the buffer read, or among the added bytes after it.
    const char* byteAt(uint32_t first) const;

    std::vector<strMarshalNode> nodes_;
    std::vector<MarshalRef> refs_;
    std::vector<strMarshalSymbol> symbols_;
    std::vector<strMarshalWrap> wrapItems_;
    std::vector<std::pair<uint32_t, uint32_t>> wrapChains_; // (first item, count)
    std::vector<uint8_t> bytes_, added_;
    std::unordered_map<std::string, uint32_t> plainSymbols_; // built on the first internSymbol
    bool plainIndexed_ = false;
    MarshalRef root_ = kNoValue;
    uint32_t trailerFirst_ = 0, trailerLength_ = 0;
    uint8_t minor_ = 8;
};

// Reads a whole dump (04 08 and one value; bytes after the value are kept as they are). The bytes
// become the tree's arena. False, with the reason in *error, for anything malformed.
bool ReadMarshalTree(std::vector<uint8_t> bytes, cMarshalTree& tree, strMessage* error = nullptr);
// Writes the tree: 04 08, the root value and the kept trailing bytes. False (with the reason) only
// for a tree that cannot be written (a value nested deeper than the reader accepts).
bool WriteMarshalTree(const cMarshalTree& tree, std::vector<uint8_t>& out, strMessage* error = nullptr);
// Writes one value of the tree as a dump of its own: 04 08, then '[' 1 and the value when
// inArray is set, else the value alone. Objects and symbols are numbered afresh.
bool WriteMarshalValue(const cMarshalTree& tree, MarshalRef value, bool inArray, std::vector<uint8_t>& out,
                       strMessage* error = nullptr);

} // namespace game
