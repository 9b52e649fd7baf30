#pragma once
// The two running flashes of an export: one for the screen (object 0) and one for the target
// (objects 1 and 2). A flash starts from an effect with its flash bit set and at least one flash
// frame, lasts that many ticks, and fades out linearly. (The player keeps the same values in its own
// strFlashSlot; the canvas turns those into the same draw requests.)

#include <cstdint>

struct strEffect;

struct strRunningFlash {
    int remaining = 0;  // ticks left; the slot is running while this is at least 1
    int total = 0;      // duration in ticks (>= 1 while running)
    int object = 0;     // 0 screen, 1 target, 2 hides the target
    int drawing = 0;    // blend value of the flash
    uint8_t red = 128, green = 128, blue = 128, strength = 255;

    bool Running() const { return remaining >= 1 && total >= 1; }
    // Colour form: the colour unchanged, alpha = strength x remaining / total (integer division).
    int ColourAlpha() const;
    // Tone form: each of red, green, blue and strength becomes (value - 128) x remaining / total + 128.
    void ToneValues(int out[4]) const;
};

class cFlashState {
public:
    void Reset();
    // Starts the flash of an effect: its flash bit set and flash frames >= 1; object 0 replaces the
    // screen flash, 1 and 2 the target flash. False when the effect starts nothing.
    bool Start(const strEffect& effect);
    // One tick: every running flash counts down and ends when its remaining ticks fall below 1.
    // Returns whether any flash was running before the tick.
    bool Tick();
    bool AnyRunning() const { return screen_.Running() || target_.Running(); }

    const strRunningFlash& Screen() const { return screen_; }
    const strRunningFlash& Target() const { return target_; }

private:
    strRunningFlash screen_, target_;
};
