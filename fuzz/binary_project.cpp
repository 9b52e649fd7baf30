// Feeds arbitrary bytes to the binary project reader; a successful read must write back.
#include "document/anime_file_device.h"
#include "document/project.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cProject doc;
    anime::cAnimeFileDevice dev;
    if (dev.readBinary({data, size}, doc) == 1) {
        std::vector<uint8_t> out;
        dev.writeBinary(doc, out);
    }
    return 0;
}
