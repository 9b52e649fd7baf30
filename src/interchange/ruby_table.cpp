#include "interchange/ruby_table.h"

namespace ruby {

int64_t strTable::checkedCount(int32_t x, int32_t y, int32_t z) {
    if (x < 1 || y < 1 || z < 1) return -1;
    int64_t n = x;
    if (n > kMaxValues) return -1;
    n *= y;
    if (n > kMaxValues) return -1;
    n *= z;
    if (n > kMaxValues) return -1;
    return n;
}

bool strTable::allocate(int32_t x, int32_t y, int32_t z) {
    values.clear();
    values.shrink_to_fit();
    xsize = x;
    ysize = y;
    zsize = z;
    int64_t n = checkedCount(x, y, z);
    if (n < 1) return false;
    values.assign(static_cast<size_t>(n), 0);
    return true;
}

int64_t strTable::index(int32_t x, int32_t y, int32_t z) const {
    if (x < 0 || y < 0 || z < 0 || x >= xsize || y >= ysize || z >= zsize) return -1;
    // Sizes come from payloads: an index past kMaxValues cannot hold a value, and leaving early
    // keeps the products below from overflowing.
    int64_t plane = int64_t(xsize) * ysize;
    if ((y > 0 && xsize > kMaxValues) || (z > 0 && plane > kMaxValues)) return -1;
    return int64_t(x) + int64_t(y) * xsize + int64_t(z) * plane;
}

int16_t strTable::at(int32_t x, int32_t y, int32_t z) const {
    int64_t i = index(x, y, z);
    return i >= 0 && i < static_cast<int64_t>(values.size()) ? values[static_cast<size_t>(i)] : 0;
}

bool strTable::set(int32_t x, int32_t y, int32_t z, int16_t v) {
    int64_t i = index(x, y, z);
    if (i < 0 || i >= static_cast<int64_t>(values.size())) return false;
    values[static_cast<size_t>(i)] = v;
    return true;
}

} // namespace ruby
