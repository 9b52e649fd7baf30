#pragma once
// strTable: the value behind the Marshal class Table of RGSS, a 1- to 3-dimensional array of signed
// 16-bit values. The value at (x, y, z) is at index x + y*xsize + z*xsize*ysize.
//
// The sizes are kept as given, but the table never holds more values than were allocated or read:
// a value outside the sizes or beyond the stored values reads as 0, so a table whose sizes do not
// match its data (from a foreign or damaged payload) is never read outside its values.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ruby {

struct strTable {
    // Largest number of values a table may allocate (4 Mi values, 8 MiB).
    static constexpr int64_t kMaxValues = int64_t(1) << 22;

    std::vector<int16_t> values;
    int32_t xsize = 0;
    int32_t ysize = 0;
    int32_t zsize = 0;

    // Frees the old values and stores the sizes; when all three are at least 1 and their product is
    // at most kMaxValues, allocates x*y*z values set to 0. Returns whether values exist.
    bool allocate(int32_t x, int32_t y, int32_t z);
    // x*y*z, or -1 when a size is below 1 or the product exceeds kMaxValues.
    static int64_t checkedCount(int32_t x, int32_t y, int32_t z);

    // Storage index of (x, y, z), or -1 when outside the sizes (or past any table that can exist).
    int64_t index(int32_t x, int32_t y, int32_t z = 0) const;
    // The value at (x, y, z); 0 outside the sizes or beyond the stored values.
    int16_t at(int32_t x, int32_t y, int32_t z = 0) const;
    // Stores a value; false (nothing stored) when the place has no stored value.
    bool set(int32_t x, int32_t y, int32_t z, int16_t v);
};

} // namespace ruby
