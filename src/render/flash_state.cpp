#include "render/flash_state.h"

#include "document/effect.h"

std::array<int, 4> strFlashSlot::screenForm() const {
    if (total < 1) return {red, green, blue, 0};
    const int64_t a = static_cast<int64_t>(strength) * remaining / total;
    return {red, green, blue, static_cast<int>(a)};
}

std::array<int, 4> strFlashSlot::toneForm() const {
    auto tone = [this](int b) {
        if (total < 1) return 128;
        return static_cast<int>(static_cast<int64_t>(b - 128) * remaining / total + 128);
    };
    return {tone(red), tone(green), tone(blue), tone(strength)};
}

void cFlashState::reset() {
    screen_.clear();
    target_.clear();
}

bool cFlashState::start(const strEffect& e) {
    if (!(e.flags & strEffect::kFlash) || e.flashFrames < 1 || e.flashObject > 2) return false;
    strFlashSlot& s = e.flashObject == 0 ? screen_ : target_;
    s.remaining = s.total = e.flashFrames;
    s.object = e.flashObject;
    s.drawing = e.flashDrawing;
    s.red = e.flashRed;
    s.green = e.flashGreen;
    s.blue = e.flashBlue;
    s.strength = e.flashStrength;
    return true;
}

bool cFlashState::tick() {
    bool any = false;
    for (strFlashSlot* s : {&screen_, &target_}) {
        if (!s->active()) continue;
        any = true;
        if (--s->remaining <= 0) s->clear();
    }
    return any;
}
