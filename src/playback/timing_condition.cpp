#include "playback/timing_condition.h"

#include "document/effect.h"

#include <cstring>
#include <utility>

eTimingCondition TimingCondition(const strEffect& e) {
    if (!(e.flags & strEffect::kUserData)) return eTimingCondition::kNone;
    if (e.userData == "HIT") return eTimingCondition::kHit;
    if (e.userData == "MISS") return eTimingCondition::kMiss;
    return eTimingCondition::kNone;
}

bool TimingPlays(const strEffect& e, eTimingCondition playAs) {
    const eTimingCondition c = TimingCondition(e);
    return playAs == eTimingCondition::kNone || c == eTimingCondition::kNone || c == playAs;
}

bool TimingConditionFromName(const char* name, eTimingCondition& condition) {
    const std::pair<const char*, eTimingCondition> names[] = {
        {"all", eTimingCondition::kNone}, {"hit", eTimingCondition::kHit}, {"miss", eTimingCondition::kMiss}};
    for (const auto& [n, c] : names)
        if (name && std::strcmp(name, n) == 0) {
            condition = c;
            return true;
        }
    return false;
}
