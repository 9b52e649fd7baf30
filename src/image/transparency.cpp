#include "image/transparency.h"

uint32_t TransFlagsOfMethod(int method) {
    switch (method) {
    case kTransPalette0:
        return kTransFlagPalette0;
    case kTransUpperLeft:
        return kTransFlagUpperLeft;
    case kTransBlack:
        return kTransFlagBlack;
    case kTransAuto:
        return kTransFlagAuto;
    default:
        return 0;
    }
}

void ComputeTransparency(const cBMP& picture, uint32_t flags, uint32_t& key, uint32_t& index) {
    key = kNoColourKey;
    index = kNoTransIndex;
    const cDib* dib = picture.dib();
    if (!dib) return;
    bool indexed = picture.palette().count() > 0 && dib->bits() <= 8;
    if ((flags & kTransFlagAuto) && indexed) {
        for (int i = 0; i < picture.palette().count(); ++i)
            if ((picture.palette().entries()[i] >> 24) == 0) {
                index = uint32_t(i);
                break;
            }
    }
    if (index == kNoTransIndex) {
        if ((flags & kTransFlagPalette0) && indexed) {
            index = 0;
        } else if (flags & kTransFlagUpperLeft) {
            if (indexed)
                index = uint32_t(dib->readIndex(0, 0));
            else
                key = dib->readPixel(0, 0) & 0x00FFFFFF;
        } else if (flags & kTransFlagBlack) {
            key = 0x000000;
        }
    }
    if (index != kNoTransIndex) {
        key = index < dib->table().size() ? (dib->table()[index] & 0x00FFFFFF) : kNoColourKey;
    }
}
