#pragma once
// The animation player (cPlayer): advances frames by their intervals on the clock's
// ticks, honours loop, reverse and the playback range, fires the document's timed effects in list
// order (sound effects through the sound table, screen and target flashes into two flash slots for
// the renderer) and finishes by itself once the end is reached and the flashes and sounds are over.
//
// Window-independent: the owner polls the clock (cPlayClock::poll) and calls tick() for every tick,
// then shows currentFrame(). The "playback ended" message of the original is the notify callback.

#include "playback/timing_condition.h"
#include "render/flash_state.h"

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class cPlayClock;
class cProject;
class cSoundTable;
struct strEffect;

// Replay option bits ("PlayBit") and the two running bits.
enum ePlayFlag : uint32_t {
    kPlayRunning = 0x001,        // playing; never taken from the settings
    kPlayLoop = 0x004,           // "Loop"
    kPlayReverse = 0x008,        // "Reverse playback"
    kPlayBackward = 0x010,       // currently going backwards; never taken from the settings
    kPlayScreenEffect = 0x020,   // "Screen effect": fire flashes
    kPlaySoundEffect = 0x080,    // "Sound effect": fire sound effects
    kPlayNoRange = 0x100,        // range check box cleared: play the whole animation
    kPlaySoundEveryTime = 0x200, // "Play sound effect every time when playing"
    kPlayClearCells = 0x400,     // "Clear cell after playback"
    kPlayRunningBits = kPlayRunning | kPlayBackward,
};

class cPlayer {
  public:
    // The clock is shared (one per process); the sound table may be null (no sound).
    explicit cPlayer(cPlayClock& clock, cSoundTable* sounds = nullptr) : clock_(&clock), sounds_(sounds) {}

    void setDocument(const cProject* doc) { doc_ = doc; }
    const cProject* document() const { return doc_; }
    void setSoundTable(cSoundTable* sounds) { sounds_ = sounds; }
    cSoundTable* soundTable() const { return sounds_; }
    cPlayClock& clock() const { return *clock_; }

    // start(reset, rate, flags, notify): stop (with reset as given); set the clock rate (ticks per
    // second, see cPlayClock::rateOfIndex) and start the clock (false when it is already running);
    // flags = the given flags with kPlayRunning; position by the range (before the range start: seek
    // to it; at or after the range end: seek to the range start; else seek to the current frame);
    // load the sound effects when kPlaySoundEffect is set; the flash slots are emptied.
    bool start(bool reset, int rate, uint32_t flags, std::function<void()> notify = {});
    // stop(reset): stops the clock and all sounds; with reset the current frame becomes -1, hold 0 and
    // the running bits are cleared; without reset, when playing, hold = the basic interval and
    // kPlayRunning is cleared. kPlaySoundEveryTime releases all loaded sounds. When it was playing the
    // notify callback is called once and forgotten. Returns whether it was playing.
    bool stop(bool reset);
    // seek(frame): hold = the basic interval; -1 <= frame < frame count becomes the current frame
    // (others are ignored); the next effect is the first whose start frame >= the current frame; the
    // clear-cells state ends. Without a document the current frame and the next effect become 0.
    void seek(int frame);
    // The per-tick step; returns whether the current frame changed.
    bool tick();
    // The playback range; -1 = open.
    void setRange(int start, int end);

    // Toggling a replay option while playing flips the bit at once; switching
    // kPlaySoundEveryTime on releases the loaded sounds at once. The running bits cannot be set here.
    void setOption(uint32_t bit, bool on);
    // Plays as a hit or as a miss: the timings of the other condition do not fire (kNone: all fire).
    // Takes effect from the next effect fired.
    void setCondition(eTimingCondition playAs) { condition_ = playAs; }
    eTimingCondition condition() const { return condition_; }

    bool playing() const { return (flags_ & kPlayRunning) != 0; }
    bool finished() const { return finished_; }
    // "Clear cell after playback": the canvas draws no cells while this is set.
    bool clearCells() const { return clearCells_; }
    uint32_t flags() const { return flags_; }
    int currentFrame() const { return current_; }
    int hold() const { return hold_; }
    int rangeStart() const { return rangeStart_; }
    int rangeEnd() const { return rangeEnd_; }
    int nextEffect() const { return nextEffect_; }
    // The running flashes, for the composer; the two slots alone.
    const cFlashState& flashes() const { return flashes_; }
    const strFlashSlot& screenFlash() const { return flashes_.screen(); }
    const strFlashSlot& targetFlash() const { return flashes_.target(); }
    // The effect indices fired by the last tick, in order (those skipped by the condition not).
    const std::vector<int>& fired() const { return fired_; }

  private:
    int basicInterval() const;
    int firstEffectFrom(int frame) const;
    void fire(int index, const strEffect& e);
    void finish();

    cPlayClock* clock_;
    cSoundTable* sounds_;
    const cProject* doc_ = nullptr;
    std::function<void()> notify_;
    int current_ = -1;
    int hold_ = 0;
    int rangeStart_ = -1;
    int rangeEnd_ = -1;
    int nextEffect_ = 0;
    bool finished_ = false;
    bool clearCells_ = false;
    uint32_t flags_ = 0;
    eTimingCondition condition_ = eTimingCondition::kNone;
    cFlashState flashes_;
    std::vector<int> fired_;
};

// The editor's "Play" / "Play from the beginning" start: the rate from the rate
// index ("PlayRate", clamped 0..6), the flags from "PlayBit" without the running bits, the range
// (rangeStart, rangeEnd), taken in either order, unless kPlayNoRange is set, else (-1, -1); start the player;
// then seek to startFrame (replacing the positioning done inside start) and reset the clock. When the player
// cannot start it is stopped with reset and false is returned.
bool StartPlayback(cPlayer& player, int rateIndex, uint32_t playBit, int startFrame, int rangeStart,
                   int rangeEnd, std::function<void()> notify = {});
