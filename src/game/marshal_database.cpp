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
    for (MarshalRef r = 0; r < tree.NodeCount(); ++r) {
        if (!tree.Is(r, eMarshalKind::kString)) continue;
        found = 0;
        for (const strMarshalWrap& w : tree.Wrappers(r)) {
            if (w.tag != 'I') continue;
            std::span<const MarshalRef> pairs = tree.Children().subspan(w.ivarFirst, size_t(w.ivarCount) * 2);
            for (size_t i = 0; i + 1 < pairs.size(); i += 2)
                if (tree.SymbolText(pairs[i]) == "E") return 1;
        }
    }
    return found;
}

// Takes the encoding variable off the strings of a value (for files whose strings are plain).
void PlainStrings(cMarshalTree& tree, MarshalRef r, std::vector<bool>& seen) {
    if (r >= tree.NodeCount() || seen[r]) return;
    seen[r] = true;
    const strMarshalNode& n = tree.Node(r);
    if (n.kind == eMarshalKind::kString) {
        std::span<const strMarshalWrap> chain = tree.Wrappers(r);
        if (chain.size() == 1 && chain[0].tag == 'I' && chain[0].ivarCount == 1 &&
            tree.SymbolText(tree.Children()[chain[0].ivarFirst]) == "E")
            tree.MutableNode(r).wrap = 0;
        return;
    }
    if (n.kind == eMarshalKind::kArray) {
        for (MarshalRef e : tree.Elements(r))
            PlainStrings(tree, e, seen);
    } else if (n.kind == eMarshalKind::kObject) {
        std::span<const MarshalRef> pairs = tree.Pairs(r);
        for (size_t i = 1; i < pairs.size(); i += 2)
            PlainStrings(tree, pairs[i], seen);
    }
}

std::string StringOf(const cMarshalTree& tree, MarshalRef r) {
    return tree.Is(r, eMarshalKind::kString) ? std::string(tree.Bytes(r)) : std::string();
}

} // namespace

bool cMarshalDatabase::Parse(std::vector<uint8_t> bytes, strMessage* error) {
    spent_ = false;
    strMessage why;
    fileSize_ = 0;
    const size_t size = bytes.size();
    if (!ReadMarshalTree(std::move(bytes), tree_, &why))
        return Fail(error, strMessage(kGameDbNotMarshal, why));
    fileSize_ = size;
    tree_.Fit();
    const MarshalRef root = tree_.Root();
    if (!tree_.Is(root, eMarshalKind::kArray) || !tree_.Wrappers(root).empty())
        return Fail(error, strMessage(kGameDbNoArray));
    // A file without strings gets those of its product: encoded from VX Ace (Ruby 1.9) on.
    const int encoded = EncodedStrings(tree_);
    encodedStrings_ = encoded < 0 ? product_ == interchange::kProductVXAce : encoded == 1;
    return true;
}

int cMarshalDatabase::LastId() const {
    const size_t n = tree_.Elements(tree_.Root()).size();
    return n == 0 ? 0 : static_cast<int>(n - 1);
}

MarshalRef cMarshalDatabase::Animation(int id) const {
    std::span<const MarshalRef> elements = tree_.Elements(tree_.Root());
    if (id < 1 || size_t(id) >= elements.size()) return kNoValue;
    const MarshalRef r = elements[size_t(id)];
    return tree_.ClassName(r) == kAnimationClass && tree_.Is(r, eMarshalKind::kObject) ? r : kNoValue;
}

std::vector<strGameAnimation> cMarshalDatabase::List(const std::string&) const {
    std::vector<strGameAnimation> out;
    const bool xp = product_ == interchange::kProductXP;
    for (int id = 1; id <= LastId(); ++id) {
        strGameAnimation a;
        a.id = id;
        const MarshalRef r = Animation(id);
        a.empty = r == kNoValue;
        if (!a.empty) {
            a.name = StringOf(tree_, tree_.Ivar(r, "@name"));
            a.frames = static_cast<int>(tree_.Elements(tree_.Ivar(r, "@frames")).size());
            static constexpr const char* kXP[] = {"@animation_name"};
            static constexpr const char* kVX[] = {"@animation1_name", "@animation2_name"};
            for (const char* key : xp ? std::span<const char* const>(kXP) : std::span<const char* const>(kVX))
                if (std::string p = StringOf(tree_, tree_.Ivar(r, key)); !p.empty()) a.pictures.push_back(p);
        }
        out.push_back(std::move(a));
    }
    return out;
}

bool cMarshalDatabase::Read(int id, cProject& doc, const std::string& locale, strMessage* error) const {
    const MarshalRef r = Animation(id);
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
    if (PKRUBY::ReadMarshalPayload(payload, doc, locale, &reason) != 1)
        return Fail(error, strMessage(kGameDbUnreadable, id, reason));
    return true;
}

MarshalRef cMarshalDatabase::Merge(MarshalRef old, MarshalRef fresh, int id, const strNameChoice& name) {
    std::vector<std::pair<uint32_t, MarshalRef>> ivars;
    std::span<const MarshalRef> freshPairs = tree_.Pairs(fresh);
    auto freshValue = [&](std::string_view key) {
        for (size_t i = 0; i + 1 < freshPairs.size(); i += 2)
            if (tree_.SymbolText(freshPairs[i]) == key) return freshPairs[i + 1];
        return kNoValue;
    };
    if (old != kNoValue) {
        std::span<const MarshalRef> oldPairs = tree_.Pairs(old);
        for (size_t i = 0; i + 1 < oldPairs.size(); i += 2) {
            const MarshalRef f = freshValue(tree_.SymbolText(oldPairs[i]));
            ivars.emplace_back(oldPairs[i], f != kNoValue ? f : oldPairs[i + 1]);
        }
    }
    for (size_t i = 0; i + 1 < freshPairs.size(); i += 2) {
        const bool known = std::any_of(ivars.begin(), ivars.end(), [&](const auto& p) {
            return tree_.SymbolText(p.first) == tree_.SymbolText(freshPairs[i]);
        });
        if (!known) ivars.emplace_back(freshPairs[i], freshPairs[i + 1]);
    }
    const MarshalRef oldName = old != kNoValue ? tree_.Ivar(old, "@name") : kNoValue;
    for (auto& [sym, value] : ivars) {
        const std::string_view key = tree_.SymbolText(sym);
        if (key == "@id") value = tree_.AddFixnum(id);
        if (key != "@name") continue;
        if (!name.keep)
            value = tree_.AddString(name.utf8, encodedStrings_);
        else if (oldName != kNoValue)
            value = oldName;
    }
    const uint32_t cls = old != kNoValue ? tree_.Node(old).name : tree_.Node(fresh).name;
    return tree_.AddObject(cls, ivars);
}

bool cMarshalDatabase::Write(const cProject& doc, int id, const strNameChoice& name,
                             const std::string& locale, std::vector<uint8_t>& out, strMessage* error) {
    Restore();
    if (id < 1 || id > LastId() + 1) return Fail(error, strMessage(kGameDbNoSuchAnimation, id));
    std::vector<uint8_t> payload;
    if (PKRUBY::BuildMarshalPayload(doc, product_, locale, payload) != 1 || payload.size() < 4)
        return Fail(error, strMessage(kGameDbCannotWrite));
    cMarshalTree fresh;
    strMessage why;
    if (!ReadMarshalTree(std::vector<uint8_t>(payload.begin() + 4, payload.end()), fresh, &why))
        return Fail(error, strMessage(kWhyBecause, strMessage(kGameDbNotReadBack), why));
    std::span<const MarshalRef> one = fresh.Elements(fresh.Root());
    if (one.empty()) return Fail(error, strMessage(kGameDbNotReadBack));

    const MarshalRef copy = tree_.CopyFrom(fresh, one[0]);
    if (!encodedStrings_) {
        std::vector<bool> seen(tree_.NodeCount(), false);
        PlainStrings(tree_, copy, seen);
    }
    const MarshalRef object = Merge(Animation(id), copy, id, name);

    const MarshalRef root = tree_.Root();
    const bool added = id == LastId() + 1;
    const MarshalRef before = added ? kNoValue : tree_.Elements(root)[size_t(id)];
    if (added)
        tree_.AppendElement(root, object);
    else
        tree_.SetElement(root, static_cast<uint32_t>(id), object);
    const bool written = WriteMarshalTree(tree_, out, &why);
    // The tree stays as it was read: the new nodes are left unreferenced.
    if (added)
        tree_.PopElement(root);
    else
        tree_.SetElement(root, static_cast<uint32_t>(id), before);
    return written || Fail(error, std::move(why));
}

std::unique_ptr<cAnimationDatabase> cMarshalDatabase::ParseWritten(std::vector<uint8_t> out,
                                                                   strMessage* error) {
    Restore();
    // The new file holds about as many values as this tree with the written animation in it.
    const size_t nodes = tree_.NodeCount(), refs = tree_.Children().size();
    // This tree's nodes make way for the new tree's; the file's bytes stay to parse again from.
    std::vector<uint8_t> file = std::move(tree_.Arena());
    tree_ = cMarshalTree();
    tree_.Arena() = std::move(file);
    spent_ = true;
    auto db = std::make_unique<cMarshalDatabase>(product_);
    db->tree_.Reserve(nodes + nodes / 32, refs + refs / 32);
    if (!db->Parse(std::move(out), error)) {
        Restore();
        return nullptr;
    }
    return db;
}

void cMarshalDatabase::Restore() {
    if (!spent_) return;
    // The bytes parsed when this database was made: they parse again the same way.
    std::vector<uint8_t> file = std::move(tree_.Arena());
    file.resize(fileSize_);
    Parse(std::move(file), nullptr);
}

} // namespace game
