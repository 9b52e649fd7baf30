#pragma once
#include "document/cell.h"
#include "document/ptr_array.h"

#include <cstdint>

// One frame: its own interval (0 = the project's basic interval) and one slot per cell number.
struct strFrame {
    uint16_t interval = 0;
    cPtrArray<strCell> cells;
};
