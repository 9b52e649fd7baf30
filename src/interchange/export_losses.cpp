#include "interchange/export_losses.h"

#include "document/project.h"
#include "interchange/clip_2000.h"
#include "interchange/clipboard_formats.h"
#include "interchange/marshal_animation.h"
#include "interchange/mv_animation.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace interchange {

namespace {

struct strLimits {
    int frames = 0;
    int cells = 0;                // cells per frame; 0 for no limit
    int timings = 0;              // 0 for no limit
    int pictures = 0;             // picture slots the product names
    int maxPattern = 0;           // highest pattern; 0 for no limit
    int zoomMin = 0, zoomMax = 0; // zoom range; 0, 0 for none
};

strLimits LimitsOf(int product) {
    switch (product) {
    case kProduct2000:
        return {lcf::kMaxFrames, lcf::kMaxCells, 0, 1, 0, 20, 0};
    case kProductXP:
        return {ruby::kMaxFrames, 0, ruby::kMaxTimings, 1, 32768, 20, 800};
    case kProductVX:
    case kProductVXAce:
        return {ruby::kMaxFrames, 0, ruby::kMaxTimings, 2, 100, 20, 800};
    default:
        return {mv::kMaxFrames, mv::kMaxCells, mv::kMaxTimings, 2, 100, 0, 0};
    }
}

bool BlendKept(int product, int blend) {
    switch (product) {
    case kProduct2000:
        return blend == 0;
    case kProductMV:
        return mv::BlendFromMv(mv::BlendToMv(blend)) == blend;
    default:
        return ruby::BlendFromRuby(ruby::BlendToRuby(blend)) == blend;
    }
}

// The picture slot a cell may name and keep: 2000 has one graphic (the first occupied slot), XP
// one picture, VX, VX Ace and MV two.
bool PictureKept(int product, int picture, int graphicSlot) {
    if (product == kProduct2000) return picture == graphicSlot;
    return picture < LimitsOf(product).pictures;
}

} // namespace

std::vector<strExportLoss> ExportLosses(const cProject& doc, int product) {
    if (product != kProduct2000 && !MarshalFormatName(product) && product != kProductMV) return {};
    const strLimits lim = LimitsOf(product);
    std::array<int, kLossBalance + 1> count{};

    int graphicSlot = -1;
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) continue;
        if (graphicSlot < 0) graphicSlot = i;
        if (product == kProduct2000) {
            if (i != graphicSlot) ++count[kLossPictures];
        } else if (i >= lim.pictures) {
            ++count[kLossPictures];
        }
    }
    if (product == kProduct2000 && graphicSlot >= 0 && doc.picture(graphicSlot)->hue != 0) ++count[kLossHue];

    const int frames = std::min(doc.frameCount(), lim.frames);
    count[kLossFrames] = doc.frameCount() - frames;
    for (int f = 0; f < frames; ++f) {
        const strFrame* frame = doc.frame(f);
        if (!frame) continue;
        for (int s = 0; s < frame->cells.capacity(); ++s) {
            const strCell* c = frame->cells.get(s);
            if (!c) continue;
            if (lim.cells > 0 && s >= lim.cells) {
                ++count[kLossCells];
                continue;
            }
            const int ax = std::abs(int(c->mx)), ay = std::abs(int(c->my));
            if (!PictureKept(product, c->picture, graphicSlot)) ++count[kLossCellPictures];
            if (lim.maxPattern > 0 && (c->pattern < 1 || c->pattern > lim.maxPattern)) ++count[kLossPatterns];
            if (product != kProduct2000 &&
                (c->red != 100 || c->green != 100 || c->blue != 100 || c->saturation != 100))
                ++count[kLossTones];
            if (product == kProduct2000 && c->angle != 0) ++count[kLossAngles];
            if (c->my < 0 || (product == kProduct2000 && c->mx < 0)) ++count[kLossMirror];
            if (ax != ay) ++count[kLossMagnification];
            const int zoom = product == kProduct2000 ? std::max(c->mx, c->my) : std::max(ax, ay);
            if ((lim.zoomMin > 0 && zoom < lim.zoomMin) || (lim.zoomMax > 0 && zoom > lim.zoomMax))
                ++count[kLossZoomRange];
            if (!BlendKept(product, c->blend)) ++count[kLossBlend];
        }
    }

    int ordinal = 0;
    for (int i = 0; i < doc.effectCount(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e) continue;
        // The Marshal mapping keeps the first occupied effects, the MV mapping the slots below its limit.
        const int position = product == kProductMV ? i : ordinal;
        ++ordinal;
        if (lim.timings > 0 && position >= lim.timings) {
            ++count[kLossTimings];
            continue;
        }
        const bool flash = e->flags & strEffect::kFlash;
        const bool sound = e->flags & strEffect::kSound;
        const bool userData = (e->flags & strEffect::kUserData) && !e->userData.empty();
        if (userData && (product != kProductXP || ruby::ConditionToRuby(*e) == 0)) ++count[kLossUserData];
        if (product == kProduct2000 && flash && e->flashObject == 2)
            ++count[kLossFlashHide];
        else if (product == kProduct2000 && flash && e->flashFrames != 8)
            ++count[kLossFlashDuration];
        if (MarshalFormatName(product) && sound && e->balance != 100) ++count[kLossBalance];
    }

    std::vector<strExportLoss> out;
    for (int k = 0; k <= kLossBalance; ++k) {
        if (count[k] == 0) continue;
        strExportLoss l;
        l.kind = static_cast<eExportLoss>(k);
        l.count = count[k];
        switch (l.kind) {
        case kLossFrames:
            l.limit = lim.frames;
            break;
        case kLossCells:
            l.limit = lim.cells;
            break;
        case kLossPictures:
            l.limit = lim.pictures;
            break;
        case kLossPatterns:
            l.limit = lim.maxPattern;
            break;
        case kLossTimings:
            l.limit = lim.timings;
            break;
        default:
            break;
        }
        out.push_back(l);
    }
    return out;
}

std::string DescribeExportLoss(const strExportLoss& loss) {
    return FormatMessage(ExportLossMessage(loss));
}

strMessage ExportLossMessage(const strExportLoss& loss) {
    // Each kind has its plural message and, right after it, its singular one.
    eMessageId plural = kMsgNone;
    bool limited = false; // the message names the product's limit
    switch (loss.kind) {
    case kLossFrames:
        plural = kLossFramesOut, limited = true;
        break;
    case kLossCells:
        plural = kLossCellsOut, limited = true;
        break;
    case kLossPictures:
        plural = kLossPicturesOut, limited = true;
        break;
    case kLossCellPictures:
        plural = kLossCellPicturesOut;
        break;
    case kLossPatterns:
        plural = kLossPatternsOut, limited = true;
        break;
    case kLossTones:
        plural = kLossTonesOut;
        break;
    case kLossAngles:
        plural = kLossAnglesOut;
        break;
    case kLossMirror:
        plural = kLossMirrorOut;
        break;
    case kLossMagnification:
        plural = kLossMagnificationOut;
        break;
    case kLossZoomRange:
        plural = kLossZoomRangeOut;
        break;
    case kLossBlend:
        plural = kLossBlendOut;
        break;
    case kLossHue:
        return strMessage(kLossHueOut);
    case kLossTimings:
        plural = kLossTimingsOut, limited = true;
        break;
    case kLossUserData:
        plural = kLossUserDataOut;
        break;
    case kLossFlashDuration:
        plural = kLossFlashDurationOut;
        break;
    case kLossFlashHide:
        plural = kLossFlashHideOut;
        break;
    case kLossBalance:
        plural = kLossBalanceOut;
        break;
    }
    if (plural == kMsgNone) return {};
    if (loss.count == 1) {
        const auto one = static_cast<eMessageId>(plural + 1);
        return limited ? strMessage(one, loss.limit) : strMessage(one);
    }
    return limited ? strMessage(plural, loss.count, loss.limit) : strMessage(plural, loss.count);
}

} // namespace interchange
