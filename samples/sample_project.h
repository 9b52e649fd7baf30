#pragma once
// The sample animation, drawn and built by code (shared by samples/make_sample.cpp and
// bench/render.cpp): DrawSheet paints the 480 x 192 sprite sheet of ten 96 x 96 patterns (5 x 2):
// five stages of an expanding ring, three sparks, a soft glow and a slash, with alpha. BuildProject
// fills a document with 24 frames of up to 8 cells using every pattern, the blend modes normal, add,
// subtraction and multiplication, colour tones and saturation, a screen flash, a target flash and two
// sound-effect timings (sample_sounds.h); its picture 0 is "sample_sheet.png" (5 x 2 patterns).

#include "document/project.h"
#include "image/bmp.h"
#include "image/picture_slot.h"
#include "sample_sounds.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>

namespace sample {

constexpr int kCell = 96;
constexpr int kColumns = 5, kRows = 2;
constexpr double kPi = 3.14159265358979323846;

struct strColour {
    double r, g, b;
};

// Composes a colour with coverage a (0..1) over the pixel (straight alpha "over").
inline void Blend(cDib& dib, int x, int y, strColour c, double a) {
    if (a <= 0) return;
    a = std::min(a, 1.0);
    uint8_t* p = dib.row(y) + x * 4;
    const double da = p[3] / 255.0, oa = a + da * (1 - a);
    auto mix = [&](double src, uint8_t dst) {
        return oa > 0 ? uint8_t(std::lround(
                            std::clamp((src * a + dst / 255.0 * da * (1 - a)) / oa, 0.0, 1.0) * 255))
                      : 0;
    };
    p[0] = mix(c.b, p[0]);
    p[1] = mix(c.g, p[1]);
    p[2] = mix(c.r, p[2]);
    p[3] = uint8_t(std::lround(oa * 255));
}

// Paints pattern k (0-based) with shade(dx, dy) giving colour and coverage at a point relative to
// the pattern's centre, 4 x 4 samples per pixel.
inline void Paint(cDib& dib, int k, const std::function<double(double, double, strColour&)>& shade) {
    const int x0 = (k % kColumns) * kCell, y0 = (k / kColumns) * kCell;
    for (int y = 0; y < kCell; ++y)
        for (int x = 0; x < kCell; ++x) {
            double cover = 0;
            strColour sum{0, 0, 0};
            for (int s = 0; s < 16; ++s) {
                const double dx = x + (s % 4 + 0.5) / 4 - kCell / 2.0,
                             dy = y + (s / 4 + 0.5) / 4 - kCell / 2.0;
                strColour c{0, 0, 0};
                const double a = std::clamp(shade(dx, dy, c), 0.0, 1.0);
                cover += a;
                sum.r += c.r * a;
                sum.g += c.g * a;
                sum.b += c.b * a;
            }
            if (cover <= 0) continue;
            Blend(dib, x0 + x, y0 + y, {sum.r / cover, sum.g / cover, sum.b / cover}, cover / 16);
        }
}

inline std::unique_ptr<cDib> DrawSheet() {
    auto dib = cDib::create(kCell * kColumns, kCell * kRows, 32);
    if (!dib) return nullptr;
    // 1..5: an expanding ring, orange at first, pale yellow at the end, thinner and fainter.
    for (int k = 0; k < 5; ++k) {
        const double radius = 10 + k * 8.5, width = 7 - k * 1.1, strength = 1.0 - k * 0.12;
        Paint(*dib, k, [=](double dx, double dy, strColour& c) {
            const double d = std::abs(std::hypot(dx, dy) - radius) / width;
            c = {1.0, 0.55 + k * 0.1, 0.15 + k * 0.15};
            return strength * std::max(0.0, 1 - d * d);
        });
    }
    // 6..8: four-pointed sparks of three sizes, white cores with yellow points.
    for (int k = 0; k < 3; ++k) {
        const double size = 18 + k * 13;
        Paint(*dib, 5 + k, [=](double dx, double dy, strColour& c) {
            const double r = std::hypot(dx, dy), a = std::atan2(dy, dx);
            const double arm = size * (0.25 + 0.75 * std::pow(std::abs(std::cos(2 * a)), 12));
            const double core = std::max(0.0, 1 - r / (size * 0.35));
            c = {1.0, 0.9 + 0.1 * core, 0.45 + 0.55 * core};
            return r < arm ? std::min(1.0, 1.3 * (1 - r / arm) + core) : 0.0;
        });
    }
    // 9: a soft blue glow.
    Paint(*dib, 8, [](double dx, double dy, strColour& c) {
        const double d = std::hypot(dx, dy) / 46;
        c = {0.55, 0.8, 1.0};
        return d < 1 ? (1 - d) * (1 - d) : 0.0;
    });
    // 10: a diagonal slash, bright in the middle, tapering at both ends.
    Paint(*dib, 9, [](double dx, double dy, strColour& c) {
        const double a = -kPi / 4, u = dx * std::cos(a) + dy * std::sin(a),
                     v = -dx * std::sin(a) + dy * std::cos(a);
        const double len = 44, half = 5 * std::max(0.0, 1 - (u / len) * (u / len));
        c = {0.95, 0.95, 1.0};
        return half > 0 && std::abs(v) < half ? 1 - std::abs(v) / half * 0.6 : 0.0;
    });
    return dib;
}

// The sheet as the sample's picture 0, divided into its patterns.
inline std::unique_ptr<cPictureSlot> SheetSlot() {
    auto slot = std::make_unique<cPictureSlot>();
    slot->newPicture().attach(DrawSheet());
    slot->divide(kColumns, kRows, 0);
    return slot;
}

inline strCell Cell(int pattern, int blend, int x, int y, int scale, int angle, int opacity, int r = 100,
                    int g = 100, int b = 100, int s = 100) {
    strCell c;
    c.picture = 0;
    c.pattern = uint16_t(pattern);
    c.blend = uint8_t(blend);
    c.x = int16_t(x);
    c.y = int16_t(y);
    c.mx = c.my = int16_t(scale);
    c.angle = int16_t(angle);
    c.opacity = uint8_t(std::clamp(opacity, 0, 255));
    c.red = uint8_t(r);
    c.green = uint8_t(g);
    c.blue = uint8_t(b);
    c.saturation = uint8_t(s);
    return c;
}

inline bool BuildProject(cProject& doc) {
    constexpr int kFrames = 24;
    if (!doc.create(kFrames, 8, 1, 4)) return false;
    doc.setSetting(kKeySaveFormat, 1);
    doc.setSetting(kKeyBasicInterval, 2);
    doc.setSetting(kKeyCentrePosition, 0);
    doc.setText(kTextName, "Sample burst");
    doc.setText(kTextUserData, "drawn by samples/make_sample.cpp");
    strPicture sheet;
    sheet.divX = kColumns;
    sheet.divY = kRows;
    sheet.path = "sample_sheet.png";
    doc.setPicture(0, sheet);

    for (int f = 0; f < kFrames; ++f) {
        doc.frameOrCreate(f);
        doc.setFrameInterval(f, f == 7 || f == 15 ? 4 : 0); // two held frames, the rest 2 ticks
        int c = 0;
        auto put = [&](const strCell& cell) { doc.setCell(f, c++, &cell); };
        // The ring grows through its five stages twice (additive, fading), tinted warmer the second time.
        if (f < 10)
            put(Cell(1 + f / 2, 1, 0, 0, 100 + f * 8, 0, 255 - f * 14, 100, 100 - f * 3, 100 - f * 5));
        else if (f < 20)
            put(Cell(1 + (f - 10) / 2, 1, 0, 0, 140 + (f - 10) * 10, 0, 230 - (f - 10) * 18, 130, 90, 60,
                     140));
        // Three sparks circling the centre, spinning, in normal blending with their own tones.
        for (int k = 0; k < 3 && f >= 2 && f < 22; ++k) {
            const double a = (f * 18 + k * 120) * kPi / 180;
            const int radius = 20 + f * 3;
            const int tone[3][4] = {{100, 100, 100, 100}, {150, 80, 60, 100}, {60, 110, 170, 60}};
            put(Cell(6 + k, 0, int(std::lround(radius * std::cos(a))), int(std::lround(radius * std::sin(a))),
                     60 + (f % 4) * 10, (f * 150 + k * 400) % 3600, 255 - std::max(0, f - 14) * 30,
                     tone[k][0], tone[k][1], tone[k][2], tone[k][3]));
        }
        // The glow: multiplied behind the burst at first (darkening), then added on top.
        if (f >= 4 && f < 9) put(Cell(9, 3, 0, 8, 160, 0, 180, 70, 70, 120, 0));
        if (f >= 12 && f < 18)
            put(Cell(9, 1, 0, 0, 120 + (f - 12) * 15, 0, 200 - (f - 12) * 30, 100, 100, 100, 180));
        // A slash across the target, mirrored on the way back; a subtracted shadow under it.
        if (f >= 6 && f < 12) {
            put(Cell(10, 2, -20 + (f - 6) * 8, 20 - (f - 6) * 8, 150, 0, 120, 100, 100, 100, 100));
            strCell slash = Cell(10, 0, -30 + (f - 6) * 12, 30 - (f - 6) * 12, 150, 100, 255);
            if (f >= 9) slash.mx = -150;
            put(slash);
        }
    }

    // Sound effects at frames 0 and 12; a white screen flash at frame 6; a red target flash at 12.
    strEffect sound;
    sound.startFrame = 0;
    sound.flags = strEffect::kSound;
    sound.soundPath = kFireSound;
    sound.volume = 90;
    doc.addEffect(sound);
    strEffect flash;
    flash.startFrame = 6;
    flash.flags = strEffect::kFlash;
    flash.flashFrames = 6;
    flash.flashObject = 0;
    flash.flashDrawing = 0;
    flash.flashRed = flash.flashGreen = flash.flashBlue = 255;
    flash.flashStrength = 170;
    doc.addEffect(flash);
    strEffect both;
    both.startFrame = 12;
    both.flags = strEffect::kFlash | strEffect::kSound;
    both.flashFrames = 8;
    both.flashObject = 1;
    both.flashDrawing = 0;
    both.flashRed = 255;
    both.flashGreen = 40;
    both.flashBlue = 40;
    both.flashStrength = 200;
    both.soundPath = kThunderSound;
    both.frequency = 120;
    doc.addEffect(both);
    return true;
}

} // namespace sample
