// Feeds arbitrary bytes to the Marshal value tree as a whole file. A tree that reads must write
// back, and what it writes must read again and write the same bytes. Nothing may crash, read
// outside the input or loop without end.
#include "game/marshal_tree.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    game::cMarshalTree tree;
    if (!game::ReadMarshalTree(std::vector<uint8_t>(data, data + size), tree)) return 0;
    std::vector<uint8_t> once, twice;
    if (!game::WriteMarshalTree(tree, once)) std::abort();
    game::cMarshalTree again;
    if (!game::ReadMarshalTree(once, again)) std::abort();
    if (!game::WriteMarshalTree(again, twice) || twice != once) std::abort();
    return 0;
}
