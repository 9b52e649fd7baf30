// Feeds arbitrary bytes to the RPG Maker 2000 / 2003 database container as RPG_RT.ldb. A database
// that parses lists its animations, reads each one it can, and writes the last one read back
// (replaced and added); the written file must parse again with the same chunks before and after
// the animations. Nothing may crash or loop without end.
#include "config/config.h"
#include "document/project.h"
#include "game/lcf_database.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    game::cLcfDatabase db;
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
        game::cLcfDatabase back;
        if (!back.parse(out, nullptr)) std::abort();
        if (back.lastId() < db.lastId()) std::abort();
    }
    return 0;
}
