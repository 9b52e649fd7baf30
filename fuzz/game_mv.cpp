// Feeds arbitrary bytes to the MV animation database as data/Animations.json. A database that
// parses lists its animations, reads each one it can, and writes the last one read back (replaced
// and added); the written file must parse again. Nothing may crash or loop without end.
#include "config/config.h"
#include "document/project.h"
#include "game/mv_database.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    game::cMvDatabase db;
    if (!db.Parse(std::vector<uint8_t>(data, data + size), nullptr)) return 0;
    db.List("jpn");
    cProject doc;
    int read = 0;
    for (int id = 1; id <= db.LastId() && id <= 64; ++id)
        if (db.Read(id, doc, "jpn", nullptr)) read = id;
    if (read == 0) return 0;
    for (int id : {read, db.LastId() + 1}) {
        std::vector<uint8_t> out;
        if (!db.Write(doc, id, {}, "jpn", out, nullptr)) continue;
        game::cMvDatabase back;
        if (!back.Parse(out, nullptr)) std::abort();
    }
    return 0;
}
