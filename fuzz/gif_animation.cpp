// libFuzzer target: the GIF animation reader, every frame composed. Frames are held to 64 MiB in all
// to keep runs fast.

#include "image/gif_animation.h"
#include "document/messages.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    strGifAnimation gif;
    strMessage why;
    if (ReadGifAnimation({data, size}, gif, &why, uint64_t(64) << 20)) {
        // Every frame is a whole screen.
        for (const auto& f : gif.frames)
            if (!f.image || f.image->width() != gif.width || f.image->height() != gif.height)
                __builtin_trap();
    } else if (!gif.frames.empty() || FormatMessage(why).empty()) {
        __builtin_trap(); // a failure leaves nothing behind and says why
    }
    return 0;
}
