// pelko play: runs the animation player without a window and prints one JSON object per tick.

#include "cli/commands.h"
#include "cli/project_io.h"
#include "document/project.h"
#include "platform/clock.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "playback/play_clock.h"
#include "playback/player.h"
#include "playback/sound_device.h"
#include "playback/sound_table.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

namespace cli {

namespace {

struct strPlayOptions {
    std::string path;
    int rate = 0;
    bool rateGiven = false; // otherwise "PlayRate" from the settings
    bool loop = false;
    bool reverse = false;
    std::string range;
    int from = 0;
    long long ticks = 10000;
    bool noFlash = false;
    bool noSound = false;
    bool audio = false;
    std::string as = "all"; // play as a hit, as a miss, or every timing
};

bool parseRange(const std::string& text, int& a, int& b) {
    std::istringstream in(text);
    char comma = 0;
    if (!(in >> a >> comma >> b) || comma != ',') return false;
    in >> std::ws;
    return in.eof();
}

void appendColour(std::string& out, const strFlashSlot& slot, bool screen) {
    if (!slot.active()) {
        out += "null";
        return;
    }
    const std::array<int, 4> v = screen ? slot.screenForm() : slot.toneForm();
    out += '[';
    for (size_t i = 0; i < v.size(); ++i) {
        if (i) out += ',';
        out += std::to_string(v[i]);
    }
    out += ']';
}

// {"tick":T,"frame":F,"changed":B,"fired":[...],"screenFlash":...,"targetFlash":...,"finished":B,"playing":B}
std::string tickLine(long long tick, const cPlayer& player, bool changed) {
    std::string out = "{\"tick\":" + std::to_string(tick) +
                      ",\"frame\":" + std::to_string(player.currentFrame()) +
                      ",\"changed\":" + (changed ? "true" : "false") + ",\"fired\":[";
    const auto& fired = player.fired();
    for (size_t i = 0; i < fired.size(); ++i) {
        if (i) out += ',';
        out += std::to_string(fired[i]);
    }
    out += "],\"screenFlash\":";
    appendColour(out, player.screenFlash(), true);
    out += ",\"targetFlash\":";
    appendColour(out, player.targetFlash(), false);
    out += std::string(",\"finished\":") + (player.finished() ? "true" : "false") +
           ",\"playing\":" + (player.playing() ? "true" : "false") + "}";
    return out;
}

void runPlay(Context& ctx, const strPlayOptions& o) {
    const auto loaded = LoadProject(ctx, o.path); // the base folder is the file's folder
    if (!loaded) return;
    cProject& doc = *loaded;

    uint32_t flags = ctx.config.PlayBit;
    if (o.loop) flags |= kPlayLoop;
    if (o.reverse) flags |= kPlayReverse;
    if (o.noFlash) flags &= ~static_cast<uint32_t>(kPlayScreenEffect);
    if (o.noSound) flags &= ~static_cast<uint32_t>(kPlaySoundEffect);
    const int frames = doc.frameCount();
    const std::string within = frames > 0 ? " (the frames are 0.." + std::to_string(frames - 1) + ")" : "";
    if (frames < 1) {
        Fail(ctx, "cannot play " + o.path + ": the project has no frames");
        return;
    }
    if (o.from < 0 || o.from >= frames) {
        Fail(ctx, "--from " + std::to_string(o.from) + " is not a frame of the project" + within);
        return;
    }
    if (o.ticks < 1) {
        Fail(ctx, "--ticks takes a count of at least 1, not " + std::to_string(o.ticks));
        return;
    }
    int rangeStart = -1, rangeEnd = -1;
    if (!o.range.empty()) {
        if (!parseRange(o.range, rangeStart, rangeEnd)) {
            Fail(ctx, "--range takes two frame numbers A,B, not \"" + o.range + "\"");
            return;
        }
        if (rangeStart < 0 || rangeEnd >= frames || rangeStart > rangeEnd) {
            Fail(ctx, "--range " + o.range + " is not a range A,B of frames with A <= B" + within);
            return;
        }
        flags &= ~static_cast<uint32_t>(kPlayNoRange);
    } else {
        flags |= kPlayNoRange;
    }
    eTimingCondition playAs = eTimingCondition::kNone;
    if (!TimingConditionFromName(o.as.c_str(), playAs)) {
        Fail(ctx, "--as takes all, hit or miss, not \"" + o.as + "\"");
        return;
    }
    const int rateIndex = o.rateGiven ? o.rate : ctx.config.PlayRate; // clamped into 0..6 by the table

    // Without --audio the clock runs on virtual time (each tick comes as soon as it is due) and no
    // sound device is opened; with --audio it runs in real time and the sounds play.
    uint32_t virtualNow = 0;
    cPlayClock clock(o.audio ? cPlayClock::MillisecondSource{}
                             : cPlayClock::MillisecondSource([&virtualNow] { return virtualNow; }));
    std::unique_ptr<cSoundDevice> device;
    std::unique_ptr<cSoundTable> sounds;
    if (o.audio) {
        device = OpenSoundDevice();
        if (!device->isOpen())
            std::cerr << "pelko: no sound: " << FormatMessage(device->lastReason()) << "\n";
        sounds = std::make_unique<cSoundTable>(device.get());
    }
    cPlayer player(clock, sounds.get());
    player.setDocument(&doc);
    player.setCondition(playAs);
    if (!StartPlayback(player, rateIndex, flags, o.from, rangeStart, rangeEnd)) {
        Fail(ctx, "the player could not start");
        return;
    }
    if (sounds && device->isOpen()) // a closed device was reported above
        for (const auto& failure : sounds->failures())
            std::cerr << "pelko: cannot play the sound " << ToUtf8(ctx, failure.name) << ": "
                      << FormatMessage(failure.reason) << "\n";

    for (long long tick = 1; tick <= o.ticks; ++tick) {
        if (o.audio) {
            while (clock.running() && !clock.poll())
                platform::SleepMilliseconds(std::min<uint32_t>(clock.untilNext(), 1));
        } else {
            virtualNow += clock.untilNext();
            clock.poll();
        }
        const bool changed = player.tick();
        std::cout << tickLine(tick, player, changed) << "\n";
        if (o.audio) std::cout.flush();
        if (!player.playing()) break;
    }
    std::cout.flush();
    player.stop(true);
}

} // namespace

void AddPlayCommand(CLI::App& app, Context& ctx) {
    auto* cmd = app.add_subcommand("play", "run the player without a window, one JSON line per tick");
    auto o = std::make_shared<strPlayOptions>();
    cmd->add_option("FILE", o->path, "project file")->required();
    auto* rate = cmd->add_option("--rate", o->rate,
                                 "rate index 0..6 into 60,55,40,30,20,15,10 fps (default: PlayRate)")
                     ->transform(DecimalNumber())
                     ->check(CLI::Range(0, 6));
    cmd->add_flag("--loop", o->loop, "loop");
    cmd->add_flag("--reverse", o->reverse, "reverse playback");
    cmd->add_option("--range", o->range, "playback range A,B (switches the range on)");
    cmd->add_option("--from", o->from, "start frame (default 0)")->transform(DecimalNumber());
    cmd->add_option("--ticks", o->ticks, "stop after N ticks (default 10000)")->transform(DecimalNumber());
    cmd->add_flag("--no-flash", o->noFlash, "do not fire flashes");
    cmd->add_flag("--no-sound", o->noSound, "do not fire sound effects");
    cmd->add_flag("--audio", o->audio, "open the sound device and play in real time");
    cmd->add_option("--as", o->as,
                    "all (default), hit or miss: skip the timings whose condition (user data HIT or MISS) "
                    "is the other one");
    cmd->callback([&ctx, o, rate] {
        o->rateGiven = rate->count() > 0;
        runPlay(ctx, *o);
    });
}

} // namespace cli
