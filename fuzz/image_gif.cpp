// libFuzzer target: the GIF decoder with the loader's normalisation, then a division and texture
// upload of whatever loaded. Pictures are held to 2048 pixels a side to keep runs fast.

#include "image/picture_loader.h"
#include "image/picture_slot.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    strLoadLimits limits;
    limits.maxSide = 2048;
    cPictureSlot slot;
    if (LoadPictureMemoryAs(kImageGif, {data, size}, slot.newPicture(), limits)) {
        slot.divide(2, 2, kTransFlagAuto);
        slot.divide(8, 8, kDivideByWidth | kTransFlagUpperLeft);
    }
    return 0;
}
