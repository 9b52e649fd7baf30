// The animation player: holds and intervals, the range, loop and reverse, firing effects
// with the next-effect index rules, flash slots, finishing while flashes and sounds end, and the
// edge cases of start, seek and stop.

#include "config/config.h"
#include "document/project.h"
#include "fake_sound.h"
#include "playback/play_clock.h"
#include "playback/player.h"
#include "playback/sound_table.h"
#include "support/document_builder.h"

#include <gtest/gtest.h>
#include <vector>

using playback_test::FakeSoundDevice;

namespace {

// Effects fired, as (frame, effect index) pairs.
using Fired = std::vector<std::pair<int, int>>;

// A document of `frames` blank frames, the player on a fake clock and a fake sound device.
struct Play {
    explicit Play(int frames, int basicInterval = 1) {
        testing_support::MakeFrames(doc, frames, 1);
        doc.setSetting(kKeyBasicInterval, basicInterval);
        doc.setText(kTextBaseFolder, "/anim");
        player.setDocument(&doc);
    }
    // Adds `e` to the effect list; the stored effect.
    const strEffect& add(const strEffect& e) {
        int index = 0;
        doc.addEffect(e, &index);
        return *doc.effect(index);
    }
    // A plain effect (flash and sound off) at `frame`.
    void effect(int frame) { add({.startFrame = static_cast<uint16_t>(frame)}); }
    // A flash effect at `frame`.
    void flash(int frame, int frames, int object, uint8_t r, uint8_t g, uint8_t b, uint8_t strength) {
        add({.startFrame = static_cast<uint16_t>(frame),
             .flags = strEffect::kFlash,
             .flashFrames = static_cast<uint16_t>(frames),
             .flashObject = static_cast<uint8_t>(object),
             .flashRed = r,
             .flashGreen = g,
             .flashBlue = b,
             .flashStrength = strength});
    }
    // Starts afresh (stopping with a reset first) as the play tool bar does: the range box checked
    // exactly when a range is given.
    bool start(uint32_t flags, int from = 0, int rangeStart = -1, int rangeEnd = -1) {
        player.stop(true);
        fired.clear();
        if (rangeStart < 0 && rangeEnd < 0)
            flags |= kPlayNoRange;
        else
            flags &= ~static_cast<uint32_t>(kPlayNoRange);
        return StartPlayback(player, 0, flags, from, rangeStart, rangeEnd, [this] { ++notified; });
    }
    // Runs n ticks (stopping early when the player stops) and lists the frame after each; the effects
    // each tick fires are added to `fired` as (frame, index) pairs.
    std::vector<int> run(int n) {
        std::vector<int> frames;
        for (int i = 0; i < n && player.playing(); ++i) {
            player.tick();
            frames.push_back(player.currentFrame());
            for (int e : player.fired())
                fired.emplace_back(player.currentFrame(), e);
        }
        return frames;
    }

    uint32_t now = 0;
    cPlayClock clock{[this] { return now; }};
    cConfig config;
    cProject doc{&config};
    FakeSoundDevice device;
    cSoundTable sounds{&device};
    cPlayer player{clock, &sounds};
    int notified = 0;
    Fired fired;
};

constexpr uint32_t kDefaultBits = 0x1A0; // range off, sound effects on, screen effects on

} // namespace

TEST(Player, TheCommandRunsTheClockAtTheRateIndexWithoutTheRunningBitsOfTheSettings) {
    Play p(3);
    ASSERT_TRUE(StartPlayback(p.player, 9, kDefaultBits | kPlayBackward, 0, -1, -1));
    EXPECT_EQ(p.clock.period(), 100u); // index 9 is clamped to 6, 10 a second
    EXPECT_TRUE(p.clock.running());
    EXPECT_TRUE(p.player.playing());
    EXPECT_FALSE(p.player.flags() & kPlayBackward);
}

TEST(Player, TheFirstFrameHoldsTheBasicIntervalThenEachFrameItsOwn) {
    Play p(4, 2);
    p.doc.setFrameInterval(0, 3);
    p.doc.setFrameInterval(1, 3);
    ASSERT_TRUE(p.start(kDefaultBits));
    EXPECT_EQ(p.player.hold(), 2);
    // Frame 0 for the basic interval (2 ticks), frame 1 for 3, frames 2 and 3 for the basic 2 each,
    // then finishing; with nothing to wait for, the next tick stops. A tick reports whether the frame
    // changed.
    EXPECT_FALSE(p.player.tick());
    EXPECT_TRUE(p.player.tick());
    EXPECT_EQ(p.run(20), (std::vector<int>{1, 1, 2, 2, 3, 3, 3, 3}));
    EXPECT_FALSE(p.player.playing());
    EXPECT_EQ(p.notified, 1);
    EXPECT_EQ(p.player.hold(), 2); // a stop without reset holds the basic interval
    EXPECT_EQ(p.player.currentFrame(), 3);
    EXPECT_FALSE(p.clock.running());
}

TEST(Player, RangeWithLoopReplaysAndEachPassFiresTheEffectsOfItsFrames) {
    Play p(15);
    p.effect(4);  // 0
    p.effect(5);  // 1
    p.effect(10); // 2
    p.effect(12); // 3, outside the range
    ASSERT_TRUE(p.start(kDefaultBits | kPlayLoop, 5, 5, 10));
    EXPECT_EQ(p.run(18), (std::vector<int>{6, 7, 8, 9, 10, 5, 6, 7, 8, 9, 10, 5, 6, 7, 8, 9, 10, 5}));
    // First pass: the start frame's effect fires with frame 6; every later pass fires frames 5..10,
    // never frame 4 before the range.
    EXPECT_EQ(p.fired, (Fired{{6, 1}, {10, 2}, {5, 1}, {10, 2}, {5, 1}, {10, 2}, {5, 1}}));
    // From the beginning the start frame is not moved into the range.
    ASSERT_TRUE(p.start(kDefaultBits | kPlayLoop, 0, 5, 10));
    EXPECT_EQ(p.run(18), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 5, 6, 7, 8, 9, 10, 5, 6}));
    // Without Loop the range end finishes playback.
    ASSERT_TRUE(p.start(kDefaultBits, 0, 5, 10));
    EXPECT_EQ(p.run(30).back(), 10);
    EXPECT_FALSE(p.player.playing());
}

TEST(Player, StartPositionsByTheRange) {
    Play p(15);
    p.player.setRange(5, 10);
    // Before the range, and at or after its end, playback starts at the range start.
    for (auto [at, from] : {std::pair(2, 5), {12, 5}, {7, 7}}) {
        p.player.seek(at);
        ASSERT_TRUE(p.player.start(false, 60, kDefaultBits));
        EXPECT_EQ(p.player.currentFrame(), from) << at;
    }
    p.player.stop(true);
    EXPECT_EQ(p.player.currentFrame(), -1);
    EXPECT_EQ(p.player.hold(), 0);
}

TEST(Player, ReversePingPongsWithLoopFiringWhatEachPassShowsAndFinishesWithout) {
    Play p(5);
    p.effect(1); // 0
    p.effect(4); // 1, the far end
    p.effect(2); // 2 (sorted after 0)
    ASSERT_TRUE(p.start(kDefaultBits | kPlayReverse | kPlayLoop));
    EXPECT_EQ(p.run(20), (std::vector<int>{1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4, 3, 2, 1, 0, 1, 2, 3, 4}));
    EXPECT_TRUE(p.player.playing());
    // Effect indices follow the sorted list: frame 1 -> 0, frame 2 -> 1, frame 4 -> 2. Passes both
    // ways fire the frames they show; the turning frames 4 and 0 are shown, and fire, once a turn.
    const Fired pass = {{1, 0}, {2, 1}, {4, 2}, {2, 1}, {1, 0}}; // 1..4 and back to 0
    Fired expected = pass;
    expected.insert(expected.end(), pass.begin(), pass.end());
    expected.insert(expected.end(), pass.begin(), pass.begin() + 3);
    EXPECT_EQ(p.fired, expected);
    // Without Loop the way back finishes on frame 0 (no effects: the way back finds none to fire).
    Play q(5);
    ASSERT_TRUE(q.start(kDefaultBits | kPlayReverse));
    EXPECT_EQ(q.run(30), (std::vector<int>{1, 2, 3, 4, 3, 2, 1, 0, 0, 0}));
    EXPECT_FALSE(q.player.playing());
    EXPECT_FALSE(q.player.flags() & kPlayBackward);
}

TEST(Player, AnEffectOnTheStartFrameFiresWithTheNextFrame) {
    Play p(6);
    p.effect(2);
    p.effect(3);
    p.effect(0); // before the start frame: never fires
    ASSERT_TRUE(p.start(kDefaultBits, 2));
    EXPECT_EQ(p.run(2), (std::vector<int>{3, 4}));
    EXPECT_EQ(p.fired, (Fired{{3, 1}, {3, 2}}));
    // From before the first frame, frame 0's effect fires with frame 0.
    ASSERT_TRUE(p.start(kDefaultBits, -1));
    EXPECT_EQ(p.run(1), (std::vector<int>{0}));
    EXPECT_EQ(p.fired, (Fired{{0, 0}}));
}

TEST(Player, FinishingWaitsForTheFlashesAndClearsTheCells) {
    Play p(3);
    p.flash(2, 4, 0, 200, 100, 50, 200);
    ASSERT_TRUE(p.start(kDefaultBits | kPlayClearCells));
    p.player.tick();
    EXPECT_FALSE(p.player.clearCells());
    p.player.tick(); // frame 2: the flash fires
    ASSERT_EQ(p.player.currentFrame(), 2);
    ASSERT_TRUE(p.player.screenFlash().active());
    EXPECT_EQ(p.player.screenFlash().screenForm(), (std::array<int, 4>{200, 100, 50, 200}));
    EXPECT_FALSE(p.player.targetFlash().active());
    p.player.tick(); // the end: finished, the flash at 3/4, the cells to be cleared
    EXPECT_TRUE(p.player.finished());
    EXPECT_TRUE(p.player.clearCells());
    EXPECT_EQ(p.player.screenFlash().screenForm()[3], 150);
    p.player.tick(); // 2/4
    p.player.tick(); // 1/4
    EXPECT_EQ(p.player.screenFlash().screenForm()[3], 50);
    EXPECT_TRUE(p.player.playing());
    p.player.tick(); // the flash ends at this tick; it was still active, so wait once more
    EXPECT_FALSE(p.player.screenFlash().active());
    EXPECT_TRUE(p.player.playing());
    p.player.tick();
    EXPECT_FALSE(p.player.playing());
    EXPECT_FALSE(p.player.finished());
    EXPECT_EQ(p.notified, 1);
    p.player.seek(0);
    EXPECT_FALSE(p.player.clearCells());
}

TEST(Player, FlashSlotsByObjectAndTheScreenEffectBit) {
    Play p(4);
    p.flash(1, 10, 1, 255, 0, 128, 28);
    ASSERT_TRUE(p.start(kDefaultBits));
    p.player.tick();
    ASSERT_TRUE(p.player.targetFlash().active());
    EXPECT_EQ(p.player.targetFlash().toneForm(), (std::array<int, 4>{255, 0, 128, 28}));
    p.run(5); // 5/10 left
    // (b - 128) * 5 / 10 + 128, truncating toward zero.
    EXPECT_EQ(p.player.targetFlash().toneForm(), (std::array<int, 4>{191, 64, 128, 78}));

    // Screen effects off: no flash at all.
    ASSERT_TRUE(p.start(kDefaultBits & ~kPlayScreenEffect));
    p.player.tick();
    EXPECT_EQ(p.player.fired(), (std::vector<int>{0}));
    EXPECT_FALSE(p.player.targetFlash().active());
}

TEST(Player, SoundEffectsPlayWithTheEffectsSettingsAndFinishingWaitsForThem) {
    Play p(3);
    p.add({.startFrame = 1,
           .flags = strEffect::kSound,
           .volume = 40,
           .frequency = 150,
           .balance = 20,
           .soundPath = "Sound\\hit.wav"});
    p.add({.startFrame = 2, .flags = strEffect::kSound, .soundPath = "missing.wav"}); // cannot be loaded
    ASSERT_TRUE(p.start(kDefaultBits));
    EXPECT_EQ(p.sounds.size(), 1);
    auto& s = p.device.state("/anim/Sound/hit.wav");
    p.player.tick();
    EXPECT_TRUE(s.playing);
    EXPECT_EQ(s.plays, 1);
    EXPECT_EQ(s.loopCount, 0);
    EXPECT_FLOAT_EQ(s.volume, 40.0f);
    EXPECT_FLOAT_EQ(s.speed, 1.5f);
    EXPECT_FLOAT_EQ(s.pan, -80.0f);
    p.player.tick();
    p.player.tick();
    EXPECT_TRUE(p.player.finished());
    p.run(5);
    EXPECT_TRUE(p.player.playing()); // the sound still plays
    s.playing = false;
    p.player.tick();
    EXPECT_FALSE(p.player.playing());
    // Stopping resets volume and frequency.
    EXPECT_FLOAT_EQ(s.volume, 100.0f);
    EXPECT_FLOAT_EQ(s.speed, 1.0f);
}

TEST(Player, SoundOptionBits) {
    Play p(3);
    p.add({.startFrame = 1, .flags = strEffect::kSound, .soundPath = "a.wav"});
    // Sound effects off: nothing is loaded or played.
    ASSERT_TRUE(p.start(kDefaultBits & ~kPlaySoundEffect));
    EXPECT_EQ(p.sounds.size(), 0);
    // "Play sound effect every time": the sounds are released when playback stops and loaded afresh.
    ASSERT_TRUE(p.start(kDefaultBits | kPlaySoundEveryTime));
    EXPECT_EQ(p.sounds.size(), 1);
    p.player.stop(false);
    EXPECT_EQ(p.sounds.size(), 0);
    EXPECT_TRUE(p.device.state("/anim/a.wav").released);
    // Switched on while playing: released at once.
    ASSERT_TRUE(p.start(kDefaultBits));
    EXPECT_EQ(p.sounds.size(), 1);
    p.player.setOption(kPlaySoundEveryTime, true);
    EXPECT_EQ(p.sounds.size(), 0);
    p.player.setOption(kPlayRunning, false); // the running bits are not options
    EXPECT_TRUE(p.player.playing());
}

TEST(Player, NotifyOnceSeekAndNoDocument) {
    Play p(4);
    ASSERT_TRUE(p.start(kDefaultBits));
    EXPECT_TRUE(p.player.stop(false));
    EXPECT_EQ(p.notified, 1);
    EXPECT_FALSE(p.player.stop(false)); // no longer playing: no second message
    EXPECT_EQ(p.notified, 1);
    EXPECT_FALSE(p.player.tick());
    // A seek outside -1..the last frame keeps the frame.
    for (auto [to, frame] : {std::pair(2, 2), {4, 2}, {-1, -1}, {-2, -1}}) {
        p.player.seek(to);
        EXPECT_EQ(p.player.currentFrame(), frame) << to;
    }
    p.player.setDocument(nullptr);
    p.player.seek(3);
    EXPECT_EQ(p.player.currentFrame(), 0);
    EXPECT_EQ(p.player.nextEffect(), 0);
    EXPECT_FALSE(p.player.tick());
}

TEST(Player, PlayingAsAHitOrAMissSkipsTheTimingsOfTheOtherCondition) {
    Play p(4);
    auto timing = [&](int frame, uint8_t flags, const char* userData) {
        p.add({.startFrame = uint16_t(frame), .flags = flags, .userData = userData});
    };
    timing(1, strEffect::kUserData, "HIT");  // 0
    timing(1, strEffect::kUserData, "MISS"); // 1
    timing(2, 0, "HIT");                     // 2: without the user-data flag, no condition
    timing(2, strEffect::kUserData, "hit");  // 3: not exactly "HIT", no condition
    timing(3, strEffect::kUserData, "");     // 4
    struct strRow {
        eTimingCondition playAs;
        Fired fired;
    };
    const strRow rows[] = {
        {eTimingCondition::kNone, {{1, 0}, {1, 1}, {2, 2}, {2, 3}, {3, 4}}},
        {eTimingCondition::kHit, {{1, 0}, {2, 2}, {2, 3}, {3, 4}}},
        {eTimingCondition::kMiss, {{1, 1}, {2, 2}, {2, 3}, {3, 4}}},
    };
    for (const strRow& r : rows) {
        p.player.setCondition(r.playAs);
        ASSERT_TRUE(p.start(kDefaultBits));
        p.run(10);
        EXPECT_EQ(p.fired, r.fired) << int(r.playAs);
    }
    const std::pair<const char*, eTimingCondition> names[] = {
        {"all", eTimingCondition::kNone}, {"hit", eTimingCondition::kHit}, {"miss", eTimingCondition::kMiss}};
    for (const auto& [name, want] : names) {
        eTimingCondition c = eTimingCondition::kHit;
        EXPECT_TRUE(TimingConditionFromName(name, c));
        EXPECT_EQ(c, want);
    }
    eTimingCondition c{};
    EXPECT_FALSE(TimingConditionFromName("HIT", c));
    EXPECT_FALSE(TimingConditionFromName(nullptr, c));
}
