#include "render/flash_state.h"

#include "document/effect.h"

int strRunningFlash::ColourAlpha() const { return Running() ? int(strength) * remaining / total : 0; }

void strRunningFlash::ToneValues(int out[4]) const {
    const int v[4] = {red, green, blue, strength};
    for (int i = 0; i < 4; ++i) out[i] = Running() ? (v[i] - 128) * remaining / total + 128 : 128;
}

void cFlashState::Reset() {
    screen_ = {};
    target_ = {};
}

bool cFlashState::Start(const strEffect& e) {
    if (!(e.flags & strEffect::kFlash) || e.flashFrames < 1 || e.flashObject > 2) return false;
    strRunningFlash s;
    s.remaining = s.total = e.flashFrames;
    s.object = e.flashObject;
    s.drawing = e.flashDrawing;
    s.red = e.flashRed;
    s.green = e.flashGreen;
    s.blue = e.flashBlue;
    s.strength = e.flashStrength;
    (e.flashObject == 0 ? screen_ : target_) = s;
    return true;
}

bool cFlashState::Tick() {
    bool any = false;
    for (strRunningFlash* s : {&screen_, &target_}) {
        if (!s->Running()) continue;
        any = true;
        if (--s->remaining < 1) *s = {};
    }
    return any;
}
