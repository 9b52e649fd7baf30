// Feeds arbitrary bytes to the RPG Maker 2000 importer; a successful import
// must export again, and the export must import.
#include "document/project.h"
#include "interchange/clip_2000.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cProject doc;
    if (lcf::ReadLcfPayload({data, size}, doc) == 1) {
        std::vector<uint8_t> out;
        if (lcf::BuildLcfPayload(doc, out) != 1) std::abort(); // an import always has picture 0
        cProject again;
        if (lcf::ReadLcfPayload(out, again) != 1) std::abort();
    }
    return 0;
}
