// Feeds arbitrary bytes to the legacy line reader. A document it reads must save as text (the
// save format it is given), read back, and write the same bytes again from then on.
#include "document/anime_file_device.h"
#include "document/project.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cProject doc;
    anime::cAnimeFileDevice dev;
    if (dev.readLegacy({data, size}, doc) != 1) return 0;
    if (doc.getSetting(kKeySaveFormat) != 1) std::abort();

    std::vector<uint8_t> first, second, third;
    if (dev.writeText(doc, first) != 1) std::abort();
    cProject a, b;
    if (dev.readText(first, a) != 1 || dev.writeText(a, second) != 1) std::abort();
    if (dev.readText(second, b) != 1 || dev.writeText(b, third) != 1) std::abort();
    if (second != third) std::abort();
    return 0;
}
