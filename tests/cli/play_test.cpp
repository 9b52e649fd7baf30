// Black-box tests of `pelko play`: one JSON object per tick, the options as the editor's Play command
// uses them, finishing, and real-time sound with --audio on OpenAL's null output.

#include "document/anime_file_device.h"
#include "document/project.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

using testing_support::RunCommand;
using testing_support::TempDir;

namespace {

// Runs pelko with a settings file of its own (so that the user's config.ini plays no part).
std::vector<nlohmann::json> Play(const TempDir& dir, const std::string& args, int* status,
                                 std::string* raw = nullptr) {
    const std::string out = RunCommand("ALSOFT_DRIVERS=null " + std::string(PELKO_TOOL) + " --config " +
                                           dir.file("config.ini") + " play " + args + " 2>&1",
                                       status);
    if (raw) *raw = out;
    std::vector<nlohmann::json> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        auto j = nlohmann::json::parse(line, nullptr, false);
        if (!j.is_discarded()) lines.push_back(j);
    }
    return lines;
}

std::vector<int> Frames(const std::vector<nlohmann::json>& lines) {
    std::vector<int> out;
    for (const auto& j : lines)
        out.push_back(j["frame"].get<int>());
    return out;
}

// A mono 16-bit 8000 Hz WAV of `ms` milliseconds of silence.
void WriteWav(const std::string& path, int ms) {
    const uint32_t data = 16 * static_cast<uint32_t>(ms);
    std::vector<uint8_t> b;
    auto put = [&b](uint32_t v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            b.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    auto tag = [&b](const char* t) { b.insert(b.end(), t, t + 4); };
    tag("RIFF"), put(36 + data, 4), tag("WAVE"), tag("fmt "), put(16, 4), put(1, 2), put(1, 2);
    put(8000, 4), put(16000, 4), put(2, 2), put(16, 2), tag("data"), put(data, 4);
    b.resize(b.size() + data, 0);
    testing_support::WriteBytes(path, b);
}

// Eight frames (interval 0, basic interval 1), one cell each; effects: a screen flash at frame 2
// (4 frames, colour 200/100/50, strength 200), a target flash at frame 5 (2 frames), and a sound
// effect "se.wav" at frame 6.
std::string WriteProject(const TempDir& dir) {
    cProject doc;
    doc.create(0, 2, 0, 0);
    for (int f = 0; f < 8; ++f) {
        doc.frames().setCopy(f, doc.blankFrame());
        strCell c;
        c.x = static_cast<int16_t>(f);
        doc.setCell(f, 0, &c);
    }
    auto flash = [&doc](int frame, int frames, int object, int r, int g, int b, int strength) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(frame);
        e.flags = strEffect::kFlash;
        e.flashFrames = static_cast<uint16_t>(frames);
        e.flashObject = static_cast<uint8_t>(object);
        e.flashRed = static_cast<uint8_t>(r), e.flashGreen = static_cast<uint8_t>(g);
        e.flashBlue = static_cast<uint8_t>(b), e.flashStrength = static_cast<uint8_t>(strength);
        doc.addEffect(e);
    };
    flash(2, 4, 0, 200, 100, 50, 200);
    flash(5, 2, 1, 0, 255, 128, 0);
    strEffect sound;
    sound.startFrame = 6;
    sound.flags = strEffect::kSound;
    sound.soundPath = "se.wav";
    doc.addEffect(sound);
    const std::string path = dir.file("anim.dat");
    ANIME::cAnimeFile_Device device;
    EXPECT_EQ(device.save(path, doc, 0), 1) << device.lastError();
    return path;
}

} // namespace

TEST(CliPlay, OneJsonLinePerTickUntilThePlayerStops) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    int status = -1;
    std::string raw;
    auto lines = Play(dir, file, &status, &raw);
    ASSERT_EQ(status, 0) << raw;
    ASSERT_FALSE(lines.empty()) << raw;
    // Frames 1..7; the end at tick 8 (finished, the screen flash has ended, the target flash too);
    // tick 9 stops.
    EXPECT_EQ(Frames(lines), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 7, 7})) << raw;
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i]["tick"], i + 1);
    // Keys in the documented order.
    EXPECT_EQ(
        raw.substr(0, raw.find('\n')),
        "{\"tick\":1,\"frame\":1,\"changed\":true,\"fired\":[],\"screenFlash\":null,\"targetFlash\":null,"
        "\"finished\":false,\"playing\":true}");
    EXPECT_EQ(lines[1]["fired"], nlohmann::json::array({0}));
    EXPECT_EQ(lines[1]["screenFlash"], nlohmann::json::array({200, 100, 50, 200}));
    EXPECT_EQ(lines[2]["screenFlash"], nlohmann::json::array({200, 100, 50, 150}));
    EXPECT_EQ(lines[4]["fired"], nlohmann::json::array({1}));
    EXPECT_EQ(lines[4]["targetFlash"], nlohmann::json::array({0, 255, 128, 0}));
    EXPECT_EQ(lines[5]["targetFlash"], nlohmann::json::array({64, 191, 128, 64})); // tone form at 1/2
    EXPECT_EQ(lines[5]["fired"], nlohmann::json::array({2}));
    EXPECT_TRUE(lines[6]["changed"].get<bool>());
    EXPECT_FALSE(lines[7]["changed"].get<bool>());
    EXPECT_TRUE(lines[7]["finished"].get<bool>());
    EXPECT_TRUE(lines[7]["playing"].get<bool>());
    EXPECT_FALSE(lines.back()["playing"].get<bool>());
}

TEST(CliPlay, RangeLoopReverseFromAndTicks) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    int status = -1;
    auto lines = Play(dir, file + " --range 2,4 --loop --ticks 9", &status);
    ASSERT_EQ(status, 0);
    // From frame 0 (the start frame is not moved into the range), then 2..4 repeatedly.
    EXPECT_EQ(Frames(lines), (std::vector<int>{1, 2, 3, 4, 2, 3, 4, 2, 3}));
    EXPECT_TRUE(lines.back()["playing"].get<bool>()); // stopped by --ticks

    lines = Play(dir, file + " --from 5 --reverse", &status);
    ASSERT_EQ(status, 0);
    // On the way back frame 5 fires its target flash and frame 2 its screen flash (4 ticks), which
    // the end waits for.
    EXPECT_EQ(Frames(lines), (std::vector<int>{6, 7, 6, 5, 4, 3, 2, 1, 0, 0, 0, 0}));
    EXPECT_EQ(lines[3]["fired"], nlohmann::json::array({1}));
    EXPECT_EQ(lines[6]["fired"], nlohmann::json::array({0}));

    // Without --range the range stays off even when the frames would allow one.
    lines = Play(dir, file + " --from 3 --ticks 3", &status);
    EXPECT_EQ(Frames(lines), (std::vector<int>{4, 5, 6}));
}

TEST(CliPlay, FlashesCanBeSwitchedOffAndTheSettingsFileCounts) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    int status = -1;
    auto lines = Play(dir, file + " --no-flash --no-sound", &status);
    ASSERT_EQ(status, 0);
    for (const auto& j : lines) {
        EXPECT_TRUE(j["screenFlash"].is_null());
        EXPECT_TRUE(j["targetFlash"].is_null());
    }
    EXPECT_EQ(lines[1]["fired"], nlohmann::json::array({0})); // effects still fire

    // "PlayBit" from the settings file: loop on (0x1A4).
    testing_support::WriteText(dir.file("config.ini"), "[CONFIG]\nPlayBit=420\n");
    lines = Play(dir, file + " --ticks 10", &status);
    ASSERT_EQ(status, 0);
    EXPECT_EQ(Frames(lines), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 0, 1, 2}));
}

TEST(CliPlay, BadInputFailsWithOneLine) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    // (arguments, what the line names); the project has frames 0..7.
    const std::pair<std::string, std::string> cases[] = {
        {dir.file("none.dat"), "pelko: cannot read"},
        {file + " --range 3", "--range"},
        {file + " --range 5,2 --loop", "--range 5,2"},
        {file + " --range 2,8", "--range 2,8"},
        {file + " --range=-1,3", "--range -1,3"},
        {file + " --from 8", "--from 8"},
        {file + " --from=-1", "--from -1"},
        {file + " --ticks 0", "--ticks"},
    };
    for (const auto& [args, names] : cases) {
        int status = -1;
        std::string raw;
        Play(dir, args, &status, &raw);
        EXPECT_EQ(status, 1) << args;
        EXPECT_EQ(raw.find("pelko: "), 0u) << args << ": " << raw;
        EXPECT_NE(raw.find(names), std::string::npos) << args << ": " << raw;
        EXPECT_EQ(raw.find('\n'), raw.size() - 1) << args << ": " << raw;
    }
    int status = -1;
    Play(dir, file + " --ticks x", &status);
    EXPECT_NE(status, 0);
}

TEST(CliPlay, AudioPlaysInRealTimeAndFinishingWaitsForTheSound) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    int status = -1;
    std::string raw;
    // A sound that cannot be loaded is reported.
    auto lines = Play(dir, file + " --audio --ticks 1", &status, &raw);
    EXPECT_EQ(status, 0) << raw;
    if (raw.find("no sound") == std::string::npos) {
        EXPECT_NE(raw.find("pelko: cannot play the sound se.wav: "), std::string::npos) << raw;
    }
    WriteWav(dir.file("se.wav"), 400);
    // Without --audio no sound counts as playing: the same run as without the file.
    lines = Play(dir, file, &status, &raw);
    EXPECT_EQ(lines.size(), 9u) << raw;

    const auto begin = std::chrono::steady_clock::now();
    lines = Play(dir, file + " --audio --rate 0", &status, &raw);
    const auto elapsed =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin)
            .count();
    ASSERT_EQ(status, 0) << raw;
    ASSERT_GE(lines.size(), 9u) << raw;
    EXPECT_FALSE(lines.back()["playing"].get<bool>());
    if (raw.find("no sound") == std::string::npos) {
        // The sound fired at tick 6 lasts 400 ms, about 25 ticks of 16 ms: finishing waits for it.
        EXPECT_GT(lines.size(), 20u) << raw;
        EXPECT_GE(elapsed, 350);
    } else {
        EXPECT_GE(elapsed, 8 * 16 - 10); // real time all the same
    }

    // Rate index 6 is 10 ticks a second (100 ms each); out-of-range indices are clamped into 0..6.
    const auto slow = std::chrono::steady_clock::now();
    lines = Play(dir, file + " --audio --rate 9 --ticks 3", &status, &raw);
    EXPECT_EQ(lines.size(), 3u) << raw;
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - slow)
                  .count(),
              290);
}
