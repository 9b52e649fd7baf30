// Feeds arbitrary bytes to the text project reader. Invariants checked on a successful read:
//   - what the writer makes of the document reads back, and writing that again gives the same
//     bytes (the first write may drop effects the format cannot hold; from then on it is stable);
//   - a document that the binary writer accepts reads back from its bytes.
#include "document/anime_file_device.h"
#include "document/project.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cProject doc;
    anime::cAnimeFileDevice dev;
    if (dev.readText({data, size}, doc) != 1) return 0;

    std::vector<uint8_t> first, second, third;
    if (dev.writeText(doc, first) != 1) std::abort();
    cProject a, b;
    if (dev.readText(first, a) != 1 || dev.writeText(a, second) != 1) std::abort();
    if (dev.readText(second, b) != 1 || dev.writeText(b, third) != 1) std::abort();
    if (second != third) std::abort();

    std::vector<uint8_t> binary;
    if (dev.writeBinary(doc, binary) == 1) {
        cProject c;
        if (dev.readBinary(binary, c) != 1) std::abort();
    }
    return 0;
}
