#pragma once
// Helpers of the Marshal mapping tests: a settings record with known folders and a small project
// built through the document's primitives.

#include "config/config.h"
#include "document/project.h"

#include <memory>
#include <string>

namespace marshal_test {

inline cConfig TestConfig() {
    cConfig c;
    c.Locale = "jpn";
    c.FolderName_G = "BattleEffect";
    c.FolderName_S = "Sound";
    return c;
}

inline strCell Cell(int picture, int pattern, int x, int y, int mx, int my, int angle, int opacity, int blend) {
    strCell c;
    c.picture = static_cast<uint8_t>(picture);
    c.pattern = static_cast<uint16_t>(pattern);
    c.x = static_cast<int16_t>(x);
    c.y = static_cast<int16_t>(y);
    c.mx = static_cast<int16_t>(mx);
    c.my = static_cast<int16_t>(my);
    c.angle = static_cast<int16_t>(angle);
    c.opacity = static_cast<uint8_t>(opacity);
    c.blend = static_cast<uint8_t>(blend);
    return c;
}

inline void PutFrame(cProject& d, int i) {
    if (!d.frame(i)) d.frames().setCopy(i, d.blankFrame());
}

inline void PutCell(cProject& d, int frame, int cell, const strCell& c) {
    PutFrame(d, frame);
    d.setCell(frame, cell, &c);
}

inline strPicture Picture(const std::string& path, int hue) {
    strPicture p;
    p.path = path;
    p.hue = static_cast<uint16_t>(hue);
    p.divX = p.divY = 5;
    return p;
}

inline strEffect Flash(int start, int object, int r, int g, int b, int strength, int frames) {
    strEffect e;
    e.startFrame = static_cast<uint16_t>(start);
    e.flags = strEffect::kFlash;
    e.flashObject = static_cast<uint8_t>(object);
    e.flashRed = static_cast<uint8_t>(r);
    e.flashGreen = static_cast<uint8_t>(g);
    e.flashBlue = static_cast<uint8_t>(b);
    e.flashStrength = static_cast<uint8_t>(strength);
    e.flashFrames = static_cast<uint16_t>(frames);
    return e;
}

inline strEffect Sound(int start, const std::string& path, int volume, int frequency) {
    strEffect e;
    e.startFrame = static_cast<uint16_t>(start);
    e.flags = strEffect::kSound;
    e.soundPath = path;
    e.volume = static_cast<uint16_t>(volume);
    e.frequency = static_cast<uint16_t>(frequency);
    return e;
}

// A project that uses every field the three products carry: name (CP932), pictures 0 and 1,
// centre position "Up", frames with empty and occupied cell slots, flash, sound and condition
// effects.
inline std::unique_ptr<cProject> SampleProject(const cConfig& config) {
    auto d = std::make_unique<cProject>(&config);
    d->create(0, 16, 0, 0);
    d->setText(kTextName, "\x83\x65\x83\x58\x83\x67");  // "テスト" in CP932
    d->setSetting(kKeyCentrePosition, 3);
    d->pictures().setCopy(0, Picture("Graphics\\Animations\\Fire1.png", 30));
    d->pictures().setCopy(1, Picture("C:/x/Thunder2.bmp", 200));
    PutCell(*d, 0, 0, Cell(0, 1, 10, -20, 100, 100, 0, 255, 0));
    PutCell(*d, 0, 2, Cell(1, 57, -300, 200, -150, 150, -900, 128, 1));
    PutCell(*d, 1, 15, Cell(0, 100, 1024, -1024, 800, 800, -3590, 0, 2));
    PutFrame(*d, 2);  // a frame with no cells
    d->addEffect(Flash(0, 0, 255, 128, 0, 200, 5));
    strEffect both = Flash(1, 1, 1, 2, 3, 4, 6);
    both.flags |= strEffect::kSound;
    both.soundPath = "Audio\\SE\\Fire2.ogg";
    both.volume = 80;
    both.frequency = 120;
    d->addEffect(both);
    d->addEffect(Flash(2, 2, 128, 128, 128, 255, 9));
    d->addEffect(Sound(3, "Slash.wav", 100, 50));
    strEffect hit;
    hit.startFrame = 4;
    hit.flags = strEffect::kUserData;
    hit.userData = "HIT";
    d->addEffect(hit);
    strEffect miss = hit;
    miss.userData = "MISS";
    d->addEffect(miss);
    return d;
}

}  // namespace marshal_test
