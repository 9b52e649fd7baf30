#pragma once
// Random documents for the property tests: a seeded generator, cells over the whole range of every
// field, and projects that use every part a file or a clipboard product can hold (texts in any
// byte but the line ends, every setting, the lock table, pictures with gaps, effects with every
// combination of blocks and frames with empty cell slots).
//
// Header-only: the test programs compile only tests/support/test_support.cpp.

#include "document/project.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>

namespace testing_support {

// The number of seeds a property test runs: PELKO_PROPERTY_SEEDS (say 5000 for a deeper local run)
// or the test's own number.
inline uint32_t PropertySeeds(uint32_t fallback) {
    const char* env = std::getenv("PELKO_PROPERTY_SEEDS");
    return env && std::atoi(env) > 0 ? static_cast<uint32_t>(std::atoi(env)) : fallback;
}

class cRandom {
  public:
    explicit cRandom(uint32_t seed) : rng_(seed) {}
    int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }
    // 0..max bytes of 1..255 without CR and LF: what a text or path line can carry.
    std::string text(int max) {
        std::string s(static_cast<size_t>(range(0, max)), 'a');
        for (char& c : s)
            do
                c = static_cast<char>(range(1, 255));
            while (c == '\r' || c == '\n');
        return s;
    }

  private:
    std::mt19937 rng_;
};

inline strCell RandomCell(cRandom& r) {
    auto u8 = [&] { return static_cast<uint8_t>(r.range(0, 255)); };
    auto i16 = [&](int limit) { return static_cast<int16_t>(r.range(-limit, limit)); };
    const auto pattern = static_cast<uint16_t>(r.range(0, 65535));
    const auto blend = static_cast<uint8_t>(r.range(0, 6));
    return strCell(u8(), pattern, blend, i16(1200), i16(1200), i16(1100), i16(1100), i16(4000), u8(), u8(),
                   u8(), u8(), u8());
}

// The cell before it in its slot with one field changed (or none): animations carry their cells
// over, and the text format writes only the fields that changed.
inline strCell ChangedCell(strCell c, cRandom& r) {
    const strCell o = RandomCell(r);
    const int k = r.range(0, 13); // 13: unchanged
    if (k == 0) c.picture = o.picture;
    if (k == 1) c.pattern = o.pattern;
    if (k == 2) c.blend = o.blend;
    if (k == 3) c.x = o.x;
    if (k == 4) c.y = o.y;
    if (k == 5) c.mx = o.mx;
    if (k == 6) c.my = o.my;
    if (k == 7) c.angle = o.angle;
    if (k == 8) c.opacity = o.opacity;
    if (k == 9) c.red = o.red;
    if (k == 10) c.green = o.green;
    if (k == 11) c.blue = o.blue;
    if (k == 12) c.saturation = o.saturation;
    return c;
}

// An effect with a random set of blocks (at least one); the fields of a block that is not set keep
// their defaults, as every reader gives them.
inline strEffect RandomEffect(cRandom& r, int frames, const std::string& soundPath) {
    auto u8 = [&] { return static_cast<uint8_t>(r.range(0, 255)); };
    auto u16 = [&](int max) { return static_cast<uint16_t>(r.range(0, max)); };
    strEffect e{.startFrame = u16(frames - 1), .flags = static_cast<uint8_t>(r.range(1, 7))};
    if (e.flags & strEffect::kFlash) {
        e.flashFrames = u16(999);
        e.flashDrawing = static_cast<uint8_t>(r.range(0, 3));
        e.flashObject = static_cast<uint8_t>(r.range(0, 2));
        e.flashRed = u8();
        e.flashGreen = u8();
        e.flashBlue = u8();
        e.flashStrength = u8();
    }
    if (e.flags & strEffect::kSound) {
        e.volume = u16(100);
        e.frequency = u16(200);
        e.balance = u16(200);
        e.soundPath = soundPath;
    }
    if (e.flags & strEffect::kUserData) e.userData = r.text(40);
    return e;
}

// A project of 1..maxCells cell numbers and 1..maxFrames packed frames, half the cell slots filled
// through set-cell (so the cells agree with the random edit format), most of them carried over from
// the frame before with one change, pictures 0..7 with gaps
// (slot 0 always: some products need a picture), and up to 12 effects sharing a few sound files.
inline void BuildRandomProject(cProject& doc, cRandom& r, int maxCells = 16, int maxFrames = 30) {
    doc.create(0, r.range(1, maxCells), 0, 0);
    doc.setText(kTextName, r.text(40));
    doc.setText(kTextUserData, r.text(40));
    doc.setSetting(kKeyEditFormat, r.range(0, 4));
    doc.setSetting(kKeySplitFormat, r.range(0, 1));
    doc.setSetting(kKeyCentrePosition, r.range(0, 3));
    doc.setSetting(kKeyBasicInterval, r.range(1, 9));
    doc.setSetting(kKeyTotalInterval, r.range(0, 999));
    doc.setSetting(kKeyLock, r.range(0, 1));
    for (int c = 0; doc.getSetting(kKeyLock) && c < doc.cellNumber(); ++c) // the table is kept with the lock
        doc.setLockedPicture(c, static_cast<uint8_t>(r.range(0, 255)));
    for (int p = 0; p < 8; ++p)
        if (p == 0 || r.chance(0.4))
            doc.setPicture(p, strPicture{static_cast<uint16_t>(r.range(1, 1024)),
                                         static_cast<uint16_t>(r.range(1, 1024)),
                                         static_cast<uint16_t>(r.range(0, 360)), r.text(30)});
    const int frames = r.range(1, maxFrames);
    for (int f = 0; f < frames; ++f) {
        doc.frameOrCreate(f);
        doc.setFrameInterval(f, static_cast<uint16_t>(r.range(0, 99)));
        for (int c = 0; c < doc.cellNumber(); ++c)
            if (r.chance(0.5)) {
                const strCell* before = f ? doc.cell(f - 1, c) : nullptr;
                const strCell cell = before && r.chance(0.7) ? ChangedCell(*before, r) : RandomCell(r);
                doc.setCell(f, c, &cell);
            }
    }
    const std::string sounds[] = {r.text(20), r.text(20), r.text(20)};
    for (int e = r.range(0, 12); e > 0; --e)
        doc.addEffect(RandomEffect(r, frames, sounds[r.range(0, 2)]));
}

// Runs body(doc, r) on `seeds` random projects (PELKO_PROPERTY_SEEDS overrides the count), each made
// on config (nullptr: the built-in defaults) and named by its seed in failure traces; stops after the
// first project that fails.
template <class Body> void ForEachRandomProject(uint32_t seeds, const cConfig* config, Body body) {
    for (uint32_t seed = 1; seed <= PropertySeeds(seeds); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        cRandom r(seed);
        cProject doc(config);
        BuildRandomProject(doc, r);
        body(doc, r);
        if (::testing::Test::HasFailure()) return;
    }
}

} // namespace testing_support
