#include "tools/gif_draft.h"

#include "document/project.h"

#include <algorithm>
#include <cmath>
#include <numbers>

int64_t AnimationTick(const cProject& doc, int frame, int ticksIntoFrame) {
    frame = std::clamp(frame, 0, std::max(doc.frameCount(), 0));
    int64_t tick = 0;
    for (int f = 0; f < frame; ++f)
        tick += std::max(doc.frameInterval(f, true), 0);
    if (frame < doc.frameCount()) {
        const int interval = std::max(doc.frameInterval(frame, true), 1);
        tick += std::clamp(ticksIntoFrame, 0, interval - 1);
    }
    return tick;
}

int GifDraftFrame(int64_t tick, int64_t startTick, int speed, int frameCount) {
    if (frameCount < 1) return -1;
    const int64_t s = std::max(speed, 0);
    const int64_t frame = tick * s / 100 - startTick * s / 100;
    return int(std::clamp<int64_t>(frame, 0, frameCount - 1));
}

strGifDraftPlacement PlaceGifDraft(double x, double y, int startFrame, double dx, double dy, double zoom,
                                   int gifWidth, bool moved) {
    strGifDraftPlacement p;
    p.x = x;
    p.y = y;
    p.startFrame = startFrame;
    if (!moved || zoom <= 0 || gifWidth < 1) return p;
    p.angle = int(std::floor(std::atan2(dy, dx) * 180 / std::numbers::pi));
    const double scale = std::floor(std::hypot(dx, dy) / zoom / gifWidth * 2 * 100 + 1e-9) / 100;
    p.scale = std::max(scale, strGifDraftPlacement::kMinScale);
    return p;
}
