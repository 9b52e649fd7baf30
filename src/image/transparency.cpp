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
    const cDib* dib = picture.Dib();
    if (!dib) return;
    bool indexed = picture.Palette().Count() > 0 && dib->Bits() <= 8;
    if ((flags & kTransFlagAuto) && indexed) {
        for (int i = 0; i < picture.Palette().Count(); ++i)
            if ((picture.Palette().Entries()[i] >> 24) == 0) {
                index = uint32_t(i);
                break;
            }
    }
    if (index == kNoTransIndex) {
        if ((flags & kTransFlagPalette0) && indexed) {
            index = 0;
        } else if (flags & kTransFlagUpperLeft) {
            if (indexed)
                index = uint32_t(dib->ReadIndex(0, 0));
            else
                key = dib->ReadPixel(0, 0) & 0x00FFFFFF;
        } else if (flags & kTransFlagBlack) {
            key = 0x000000;
        }
    }
    if (index != kNoTransIndex) {
        key = index < dib->Table().size() ? (dib->Table()[index] & 0x00FFFFFF) : kNoColourKey;
    }
}
