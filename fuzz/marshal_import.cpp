// Feeds arbitrary bytes, as a clipboard block (length word included), to the RPG Maker XP / VX /
// VX Ace importer. A successful import must export again for the three
// products, and that export must import back. Nothing may crash, read outside the input or loop
// without end.
#include "config/config.h"
#include "document/project.h"
#include "interchange/marshal_animation.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cProject doc;
    if (ruby::ReadMarshalPayload({data, size}, doc, "jpn") != 1) return 0;
    for (int product = 2; product <= 4; ++product) {
        std::vector<uint8_t> out;
        if (ruby::BuildMarshalPayload(doc, product, "jpn", out) != 1) std::abort();
        cProject back;
        if (ruby::ReadMarshalPayload(out, back, "jpn") != 1) std::abort();
    }
    return 0;
}
