#pragma once
#include <cstdint>
#include <string>

// One timed effect: a flash and/or a sound effect starting at a frame.
struct strEffect {
    // In-memory flag bits.
    static constexpr uint8_t kFlash = 1;
    static constexpr uint8_t kSound = 2;
    static constexpr uint8_t kUserData = 4;

    uint16_t startFrame = 0;
    uint8_t flags = 0;
    uint16_t flashFrames = 0;
    uint8_t flashDrawing = 0;
    uint8_t flashObject = 0; // 0 screen, 1 target, 2 (no flash colour)
    uint8_t flashRed = 128;
    uint8_t flashGreen = 128;
    uint8_t flashBlue = 128;
    uint8_t flashStrength = 255;
    uint16_t volume = 100;    // percent
    uint16_t frequency = 100; // playback speed percent
    uint16_t balance = 100;   // 100 = centre
    std::string soundPath{};
    std::string userData{};

    // Every block whose flag bit is clear (flash, sound, user data) goes back to its defaults, so
    // that a block that is off holds no values of its own.
    void resetClearedBlocks() {
        const strEffect d;
        if (!(flags & kFlash)) {
            flashFrames = d.flashFrames;
            flashDrawing = d.flashDrawing;
            flashObject = d.flashObject;
            flashRed = d.flashRed;
            flashGreen = d.flashGreen;
            flashBlue = d.flashBlue;
            flashStrength = d.flashStrength;
        }
        if (!(flags & kSound)) {
            volume = d.volume;
            frequency = d.frequency;
            balance = d.balance;
            soundPath.clear();
        }
        if (!(flags & kUserData)) userData.clear();
    }

    bool operator==(const strEffect&) const = default;
};
