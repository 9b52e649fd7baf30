#pragma once
// The condition of an RPG Maker XP timing: it fires always, only when the attack hits, or only when it
// misses. The document keeps it as the effect's user data "HIT" or "MISS" (exact text) with the
// user-data flag set; anything else is no condition. The player can play an animation as a hit or as
// a miss, skipping the timings of the other condition.

#include <cstdint>

struct strEffect;

enum class eTimingCondition : int { kNone = 0, kHit = 1, kMiss = 2 };

// The condition an effect carries.
eTimingCondition TimingCondition(const strEffect& effect);
// Whether the effect fires when the animation plays as `playAs` (kNone: every effect fires).
bool TimingPlays(const strEffect& effect, eTimingCondition playAs);
// "all", "hit", "miss" (the command line's words); false for another name.
bool TimingConditionFromName(const char* name, eTimingCondition& condition);
