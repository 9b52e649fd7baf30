#include "render/actor_side.h"

#include "document/cell.h"

#include <cstdint>

namespace {
int16_t Negated(int16_t v) {
    return v == INT16_MIN ? INT16_MAX : int16_t(-v);
}
} // namespace

void MirrorCellForActorSide(strCell& cell) {
    cell.x = Negated(cell.x);
    cell.mx = Negated(cell.mx);
    cell.angle = Negated(cell.angle);
}

strCaptureArea MirrorAreaForActorSide(const strCaptureArea& area) {
    return {-area.right, area.top, -area.left, area.bottom};
}
