// Feeds arbitrary bytes to the MV animation database as data/Animations.json. A database that
// parses lists its animations, reads each one it can, and writes the last one read back (replaced
// and added); the written file must parse again, and the check of the new element alone must agree
// with a parse of the whole file. The quick element check must never call valid what the JSON
// parser refuses, nor read it differently. Nothing may crash or loop without end.
#include "config/config.h"
#include "document/project.h"
#include "game/mv_database.h"
#include "game/mv_element_scan.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void CheckQuickScan(std::span<const uint8_t> text) {
    game::strMvElement quick, parsed;
    if (game::QuickScanMvElement(text, 0, quick) != game::eQuickScan::kValid) return;
    if (!game::ParseMvElement(text, 0, parsed, nullptr)) std::abort();
    if (quick.end != parsed.end || quick.object != parsed.object || quick.frames != parsed.frames ||
        quick.name != parsed.name || quick.pictures[0] != parsed.pictures[0] ||
        quick.pictures[1] != parsed.pictures[1])
        std::abort();
}

bool SameList(const game::cAnimationDatabase& a, const game::cAnimationDatabase& b) {
    const auto la = a.list("jpn"), lb = b.list("jpn");
    if (la.size() != lb.size()) return false;
    for (size_t i = 0; i < la.size(); ++i)
        if (la[i].id != lb[i].id || la[i].empty != lb[i].empty || la[i].name != lb[i].name ||
            la[i].frames != lb[i].frames || la[i].pictures != lb[i].pictures)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CheckQuickScan({data, size});
    game::cMvDatabase db;
    if (!db.parse(std::vector<uint8_t>(data, data + size), nullptr)) return 0;
    db.list("jpn");
    cProject doc;
    int read = 0;
    for (int id = 1; id <= db.lastId() && id <= 64; ++id)
        if (db.read(id, doc, "jpn", nullptr)) read = id;
    if (read == 0) return 0;
    for (int id : {read, db.lastId() + 1}) {
        std::vector<uint8_t> out;
        if (!db.write(doc, id, {}, "jpn", out, nullptr)) continue;
        game::cMvDatabase back;
        if (!back.parse(out, nullptr)) std::abort();
        auto checked = db.parseWritten(out, nullptr);
        if (!checked || !SameList(*checked, back)) std::abort();
    }
    return 0;
}
