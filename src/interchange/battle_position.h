#pragma once
// The animation's position on the battle screen between the document's centre position (project
// setting 8: 0 centre, 1 whole screen, 2 bottom, 3 top) and the position code of the XP, VX, VX Ace
// and MV databases (0 top, 1 middle, 2 bottom, 3 screen). A setting outside 0..3 is written as
// middle; a code outside 0..3 reads as centre.

namespace interchange {

inline int PositionToProduct(int centre) {
    switch (centre) {
    case 1:
        return 3;
    case 2:
        return 2;
    case 3:
        return 0;
    default:
        return 1;
    }
}

inline int PositionFromProduct(int position) {
    switch (position) {
    case 0:
        return 3;
    case 2:
        return 2;
    case 3:
        return 1;
    default:
        return 0;
    }
}

} // namespace interchange
