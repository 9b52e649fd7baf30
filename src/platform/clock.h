#pragma once
// A millisecond clock and a sleep, standing in for timeGetTime and Sleep.

#include <cstdint>

namespace platform {

// Milliseconds of a steady (monotonic) clock, truncated to 32 bits like timeGetTime: the value wraps
// after about 49.7 days, so callers compare times by unsigned difference (now - then).
uint32_t NowMilliseconds();

// Blocks the calling thread for at least ms milliseconds (0 yields the processor).
void SleepMilliseconds(uint32_t ms);

}  // namespace platform
