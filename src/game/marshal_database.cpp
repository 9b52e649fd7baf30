#include "game/marshal_database.h"

#include "interchange/clipboard_formats.h"
#include "interchange/marshal_animation.h"

#include <algorithm>

namespace game {

namespace {

constexpr std::string_view kAnimationClass = "RPG::Animation";

bool Fail(strMessage* error, strMessage why) {
    if (error) *error = std::move(why);
    return false;
}

// Whether the strings of the tree carry the UTF-8 encoding variable: 1 when some string does, 0
// when none does, -1 when the tree holds no string.
int EncodedStrings(const cMarshalTree& tree) {
    int found = -1;
    for (MarshalRef r = 0; r < tree.nodeCount(); ++r) {
        if (!tree.is(r, eMarshalKind::kString)) continue;
        found = 0;
        for (const strMarshalWrap& w : tree.wrappers(r)) {
            if (w.tag != 'I') continue;
            std::span<const MarshalRef> pairs = tree.children().subspan(w.ivarFirst, size_t(w.ivarCount) * 2);
            for (size_t i = 0; i + 1 < pairs.size(); i += 2)
                if (tree.symbolText(pairs[i]) == "E") return 1;
        }
    }
    return found;
}

// Takes the encoding variable off the strings of a value (for files whose strings are plain).
void PlainStrings(cMarshalTree& tree, MarshalRef r, std::vector<bool>& seen) {
    if (r >= tree.nodeCount() || seen[r]) return;
    seen[r] = true;
    const strMarshalNode& n = tree.node(r);
    if (n.kind == eMarshalKind::kString) {
        std::span<const strMarshalWrap> chain = tree.wrappers(r);
        if (chain.size() == 1 && chain[0].tag == 'I' && chain[0].ivarCount == 1 &&
            tree.symbolText(tree.children()[chain[0].ivarFirst]) == "E")
            tree.mutableNode(r).wrap = 0;
        return;
    }
    if (n.kind == eMarshalKind::kArray) {
        for (MarshalRef e : tree.elements(r))
            PlainStrings(tree, e, seen);
    } else if (n.kind == eMarshalKind::kObject) {
        std::span<const MarshalRef> pairs = tree.pairs(r);
        for (size_t i = 1; i < pairs.size(); i += 2)
            PlainStrings(tree, pairs[i], seen);
    }
}

std::string StringOf(const cMarshalTree& tree, MarshalRef r) {
    return tree.is(r, eMarshalKind::kString) ? std::string(tree.bytes(r)) : std::string();
}

} // namespace

bool cMarshalDatabase::parse(std::vector<uint8_t> bytes, strMessage* error) {
    spent_ = false;
    strMessage why;
    fileSize_ = 0;
    const size_t size = bytes.size();
    if (!ReadMarshalTree(std::move(bytes), tree_, &why))
        return Fail(error, strMessage(kGameDbNotMarshal, why));
    fileSize_ = size;
    tree_.fit();
    const MarshalRef root = tree_.root();
    if (!tree_.is(root, eMarshalKind::kArray) || !tree_.wrappers(root).empty())
        return Fail(error, strMessage(kGameDbNoArray));
    // A file without strings gets those of its product: encoded from VX Ace (Ruby 1.9) on.
    const int encoded = EncodedStrings(tree_);
    encodedStrings_ = encoded < 0 ? product_ == interchange::kProductVXAce : encoded == 1;
    return true;
}

int cMarshalDatabase::lastId() const {
    const size_t n = tree_.elements(tree_.root()).size();
    return n == 0 ? 0 : static_cast<int>(n - 1);
}

MarshalRef cMarshalDatabase::animation(int id) const {
    std::span<const MarshalRef> elements = tree_.elements(tree_.root());
    if (id < 1 || size_t(id) >= elements.size()) return kNoValue;
    const MarshalRef r = elements[size_t(id)];
    return tree_.className(r) == kAnimationClass && tree_.is(r, eMarshalKind::kObject) ? r : kNoValue;
}

std::vector<strGameAnimation> cMarshalDatabase::list(const std::string&) const {
    std::vector<strGameAnimation> out;
    const bool xp = product_ == interchange::kProductXP;
    for (int id = 1; id <= lastId(); ++id) {
        strGameAnimation a;
        a.id = id;
        const MarshalRef r = animation(id);
        a.empty = r == kNoValue;
        if (!a.empty) {
            a.name = StringOf(tree_, tree_.ivar(r, "@name"));
            a.frames = static_cast<int>(tree_.elements(tree_.ivar(r, "@frames")).size());
            static constexpr const char* kXP[] = {"@animation_name"};
            static constexpr const char* kVX[] = {"@animation1_name", "@animation2_name"};
            for (const char* key : xp ? std::span<const char* const>(kXP) : std::span<const char* const>(kVX))
                if (std::string p = StringOf(tree_, tree_.ivar(r, key)); !p.empty()) a.pictures.push_back(p);
        }
        out.push_back(std::move(a));
    }
    return out;
}

bool cMarshalDatabase::read(int id, cProject& doc, const std::string& locale, strMessage* error) const {
    const MarshalRef r = animation(id);
    if (r == kNoValue) return Fail(error, strMessage(kGameDbEmpty, id));
    std::vector<uint8_t> dump;
    strMessage why;
    if (!WriteMarshalValue(tree_, r, true, dump, &why)) return Fail(error, std::move(why));
    // The clipboard block: the length word, then the dump.
    std::vector<uint8_t> payload(4, 0);
    const auto size = static_cast<uint32_t>(dump.size() + 4);
    for (int i = 0; i < 4; ++i)
        payload[size_t(i)] = static_cast<uint8_t>(size >> (8 * i));
    payload.insert(payload.end(), dump.begin(), dump.end());
    strMessage reason;
    if (ruby::ReadMarshalPayload(payload, doc, locale, &reason) != 1)
        return Fail(error, strMessage(kGameDbUnreadable, id, reason));
    return true;
}

MarshalRef cMarshalDatabase::merge(MarshalRef old, MarshalRef fresh, int id, const strNameChoice& name) {
    std::vector<std::pair<uint32_t, MarshalRef>> ivars;
    std::span<const MarshalRef> freshPairs = tree_.pairs(fresh);
    auto freshValue = [&](std::string_view key) {
        for (size_t i = 0; i + 1 < freshPairs.size(); i += 2)
            if (tree_.symbolText(freshPairs[i]) == key) return freshPairs[i + 1];
        return kNoValue;
    };
    if (old != kNoValue) {
        std::span<const MarshalRef> oldPairs = tree_.pairs(old);
        for (size_t i = 0; i + 1 < oldPairs.size(); i += 2) {
            const MarshalRef f = freshValue(tree_.symbolText(oldPairs[i]));
            ivars.emplace_back(oldPairs[i], f != kNoValue ? f : oldPairs[i + 1]);
        }
    }
    for (size_t i = 0; i + 1 < freshPairs.size(); i += 2) {
        const bool known = std::any_of(ivars.begin(), ivars.end(), [&](const auto& p) {
            return tree_.symbolText(p.first) == tree_.symbolText(freshPairs[i]);
        });
        if (!known) ivars.emplace_back(freshPairs[i], freshPairs[i + 1]);
    }
    const MarshalRef oldName = old != kNoValue ? tree_.ivar(old, "@name") : kNoValue;
    for (auto& [sym, value] : ivars) {
        const std::string_view key = tree_.symbolText(sym);
        if (key == "@id") value = tree_.addFixnum(id);
        if (key != "@name") continue;
        if (!name.keep)
            value = tree_.addString(name.utf8, encodedStrings_);
        else if (oldName != kNoValue)
            value = oldName;
    }
    const uint32_t cls = old != kNoValue ? tree_.node(old).name : tree_.node(fresh).name;
    return tree_.addObject(cls, ivars);
}

bool cMarshalDatabase::write(const cProject& doc, int id, const strNameChoice& name,
                             const std::string& locale, std::vector<uint8_t>& out, strMessage* error) {
    restore();
    if (id < 1 || id > lastId() + 1) return Fail(error, strMessage(kGameDbNoSuchAnimation, id));
    std::vector<uint8_t> payload;
    if (ruby::BuildMarshalPayload(doc, product_, locale, payload) != 1 || payload.size() < 4)
        return Fail(error, strMessage(kGameDbCannotWrite));
    cMarshalTree fresh;
    strMessage why;
    if (!ReadMarshalTree(std::vector<uint8_t>(payload.begin() + 4, payload.end()), fresh, &why))
        return Fail(error, strMessage(kWhyBecause, strMessage(kGameDbNotReadBack), why));
    std::span<const MarshalRef> one = fresh.elements(fresh.root());
    if (one.empty()) return Fail(error, strMessage(kGameDbNotReadBack));

    const MarshalRef copy = tree_.copyFrom(fresh, one[0]);
    if (!encodedStrings_) {
        std::vector<bool> seen(tree_.nodeCount(), false);
        PlainStrings(tree_, copy, seen);
    }
    const MarshalRef object = merge(animation(id), copy, id, name);

    const MarshalRef root = tree_.root();
    const bool added = id == lastId() + 1;
    const MarshalRef before = added ? kNoValue : tree_.elements(root)[size_t(id)];
    if (added)
        tree_.appendElement(root, object);
    else
        tree_.setElement(root, static_cast<uint32_t>(id), object);
    const bool written = WriteMarshalTree(tree_, out, &why);
    // The tree stays as it was read: the new nodes are left unreferenced.
    if (added)
        tree_.popElement(root);
    else
        tree_.setElement(root, static_cast<uint32_t>(id), before);
    return written || Fail(error, std::move(why));
}

std::unique_ptr<cAnimationDatabase> cMarshalDatabase::parseWritten(std::vector<uint8_t> out,
                                                                   strMessage* error) {
    restore();
    // The new file holds about as many values as this tree with the written animation in it.
    const size_t nodes = tree_.nodeCount(), refs = tree_.children().size();
    // This tree's nodes make way for the new tree's; the file's bytes stay to parse again from.
    std::vector<uint8_t> file = std::move(tree_.arena());
    tree_ = cMarshalTree();
    tree_.arena() = std::move(file);
    spent_ = true;
    auto db = std::make_unique<cMarshalDatabase>(product_);
    db->tree_.reserve(nodes + nodes / 32, refs + refs / 32);
    if (!db->parse(std::move(out), error)) {
        restore();
        return nullptr;
    }
    return db;
}

void cMarshalDatabase::restore() {
    if (!spent_) return;
    // The bytes parsed when this database was made: they parse again the same way.
    std::vector<uint8_t> file = std::move(tree_.arena());
    file.resize(fileSize_);
    parse(std::move(file), nullptr);
}

} // namespace game
