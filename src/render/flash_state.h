#pragma once
// The running flashes of a playback or an export: one slot for the screen (object 0) and one for
// the target (objects 1 and 2). A flash starts from an effect with its flash bit set and at least one
// flash frame, lasts that many ticks and fades out linearly. The player fires effects into a
// cFlashState, the export sequencer into its own, and the frame composer draws from either.

#include <array>
#include <cstdint>

struct strEffect;

// One flash slot: a screen or target flash counting down in ticks.
struct strFlashSlot {
    int32_t remaining = 0; // ticks left; the slot is active while this is at least 1
    int32_t total = 0;     // duration in ticks
    uint8_t object = 0;    // 0 screen, 1 target, 2 target hidden (the effect keeps the neutral colour)
    uint8_t drawing = 0;   // drawing method, as a cell's
    uint8_t blue = 0, green = 0, red = 0, strength = 0;

    bool active() const { return remaining > 0 && total > 0; }
    // Screen form: red, green, blue as stored; alpha = strength x remaining / total (integer division).
    std::array<int, 4> screenForm() const;
    // Tone form: red, green, blue, strength each (b - 128) x remaining / total + 128, 32-bit signed,
    // the division truncating toward zero.
    std::array<int, 4> toneForm() const;
    void clear() { *this = strFlashSlot{}; }
};

class cFlashState {
  public:
    void reset();
    // Starts the flash of an effect whose flash bit is set and whose flash frames are at least 1:
    // object 0 replaces the screen flash, 1 and 2 the target flash. False when it starts nothing.
    bool start(const strEffect& effect);
    // One tick: every active slot counts down and is cleared when its remaining ticks reach 0.
    // Returns whether any slot was active before the tick.
    bool tick();
    bool anyActive() const { return screen_.active() || target_.active(); }

    const strFlashSlot& screen() const { return screen_; }
    const strFlashSlot& target() const { return target_; }

  private:
    strFlashSlot screen_, target_;
};
