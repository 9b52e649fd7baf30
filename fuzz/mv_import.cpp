// Feeds arbitrary bytes to the MV JSON importer; a successful import must export
// again. Nothing may throw, crash or read outside the input.
#include "document/project.h"
#include "interchange/mv_animation.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    cProject doc;
    if (mv::ReadMvPayload({data, size}, doc, "jpn") == 1) {
        std::string out;
        mv::BuildMvPayload(doc, "jpn", out);
    }
    return 0;
}
