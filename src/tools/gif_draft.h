#pragma once
// The GIF draft: a reference GIF shown over the canvas in step with the animation. Its frame follows
// the animation's time in ticks, scaled by a speed and counted from the animation frame where the
// draft was placed; a drag with the placement key puts its centre, turns and scales it.

#include <cstdint>

class cProject;

struct strGifDraftPlacement {
    double x = 0, y = 0; // the GIF's centre in document coordinates
    int angle = 0;       // whole degrees, clockwise on screen
    double scale = 1;    // both axes, at least kMinScale
    int startFrame = 0;  // the animation frame that shows the GIF's first frame

    static constexpr double kMinScale = 0.01;
};

// The tick at which a frame of the animation starts (the intervals of the frames before it) plus
// ticksIntoFrame, held within the frame.
int64_t AnimationTick(const cProject& doc, int frame, int ticksIntoFrame = 0);

// The GIF frame shown at a tick: tick x speed / 100 minus the offset startTick x speed / 100 (speed
// in percent, below 0 counting as 0), held within 0 .. frameCount - 1; -1 without frames.
int GifDraftFrame(int64_t tick, int64_t startTick, int speed, int frameCount);

// The placement of a drag that pressed at document point (x, y) on frame startFrame and has moved
// the pointer by (dx, dy) screen pixels at the given zoom: angle = the drag's direction in whole
// degrees (rounded down), scale = drag length / zoom / the GIF's width x 2, rounded down to a
// hundredth. A drag that has not left the drag threshold (moved false) places angle 0, scale 1.
strGifDraftPlacement PlaceGifDraft(double x, double y, int startFrame, double dx, double dy, double zoom,
                                   int gifWidth, bool moved);
