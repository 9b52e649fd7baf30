// The reference raster: each pixel of each row's candidate columns is tested, sampled and blended
// on its own.

#include "render/colour_rules.h"
#include "render/raster.h"

#include <cstring>

namespace render {

namespace {

template <int Mode>
void RasterRows(const strQuadMapping& m, const strSourceView& source, const strTargetView& target) {
    for (int j = m.rowLo; j <= m.rowHi; ++j) {
        double bx, by;
        m.row(j, bx, by);
        int i0, i1;
        if (!m.span(bx, by, i0, i1)) continue;
        uint8_t* row = target.pixels + size_t(j) * target.pitch;
        for (int i = i0; i <= i1; ++i) {
            int tx, ty;
            if (!m.texel(bx, by, i, tx, ty)) continue;
            uint32_t s, d;
            std::memcpy(&s, source.pixels + size_t(ty) * source.pitch + size_t(tx) * 4, 4);
            std::memcpy(&d, row + size_t(i) * 4, 4);
            d = BlendPixelT<Mode>(s, d);
            std::memcpy(row + size_t(i) * 4, &d, 4);
        }
    }
}

} // namespace

void RasterReference(const strQuadMapping& m, const strSourceView& source, const strTargetView& target,
                     int mode) {
    switch (mode) {
    case kBlendAlpha:
    case kBlendAlpha2:
        return RasterRows<kBlendAlpha>(m, source, target);
    case kBlendAdd:
        return RasterRows<kBlendAdd>(m, source, target);
    case kBlendRevSubtract:
        return RasterRows<kBlendRevSubtract>(m, source, target);
    case kBlendMultiply:
        return RasterRows<kBlendMultiply>(m, source, target);
    case kBlendInvDest:
        return RasterRows<kBlendInvDest>(m, source, target);
    case kBlendDestColour:
        return RasterRows<kBlendDestColour>(m, source, target);
    default:
        return RasterRows<kBlendReplace>(m, source, target);
    }
}

} // namespace render
