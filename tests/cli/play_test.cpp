// Black-box tests of `pelko play`: one JSON object per tick, the options as the editor's Play command
// uses them, finishing, and real-time sound with --audio on OpenAL's null output.

#include "cli/cli_fixture.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <sstream>
#include <vector>

using testing_support::TempDir;

namespace {

// Runs pelko with a settings file of its own (so that the user's config.ini plays no part).
std::vector<nlohmann::json> Play(const TempDir& dir, const std::string& args, int* status,
                                 std::string* raw = nullptr) {
    const std::string out =
        cli_fixture::Pelko("--config " + dir.file("config.ini") + " play " + args, status);
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

// Each tick as its frame, ":" and the effects fired there if any, and "*" while a screen or target
// flash shows: "2:0*" is frame 2 firing effect 0 and showing its flash.
std::string Ticks(const std::vector<nlohmann::json>& lines) {
    std::string out;
    for (const auto& j : lines) {
        out += (out.empty() ? "" : " ") + std::to_string(j["frame"].get<int>()) +
               (j["fired"].empty() ? "" : ":");
        for (const auto& e : j["fired"])
            out += std::to_string(e.get<int>());
        out += j["screenFlash"].is_null() && j["targetFlash"].is_null() ? "" : "*";
    }
    return out;
}

// A mono 16-bit 8000 Hz WAV of 400 ms of silence: the 44-byte header, then 6400 zero bytes.
void WriteWav(const std::string& path) {
    std::string b("RIFF\x24\x19\0\0WAVE"                 // the size of the rest: 36 + 6400
                  "fmt \x10\0\0\0\x01\0\x01\0"           // 16 bytes of format: PCM, mono,
                  "\x40\x1F\0\0\x80\x3E\0\0\x02\0\x10\0" // 8000 Hz, 16000 bytes a second, 2 and 16 bits
                  "data\0\x19\0\0",                      // 6400 bytes of samples
                  44);
    b.resize(44 + 6400, '\0');
    testing_support::WriteText(path, b);
}

// A copy of tests/data/cli/play.txt: eight frames, a screen flash at frame 2 (4 frames, colour
// 200/100/50, strength 200), a target flash at frame 5 (2 frames) and the sound effect "se.wav" at
// frame 6.
std::string WriteProject(const TempDir& dir) {
    std::filesystem::copy_file(testing_support::DataPath("cli/play.txt"), dir.file("anim.txt"));
    return dir.file("anim.txt");
}

} // namespace

TEST(CliPlay, OneJsonLinePerTickAsTheOptionsAndSettingsSay) {
    const struct {
        std::string args, settings, ticks;
        bool playingAtTheEnd;
    } rows[] = {
        // Frames 1..7; the end at tick 8 (finished, the flashes have ended); tick 9 stops.
        {"", "", "1 2:0* 3* 4* 5:1* 6:2* 7 7 7", false},
        // From frame 0 (the start frame is not moved into the range), then 2..4 repeatedly; stopped
        // by --ticks.
        {"--range 2,4 --loop --ticks 9", "", "1 2:0* 3* 4* 2:0* 3* 4* 2:0* 3*", true},
        // The effect of the start frame fires with those of the next frame. On the way back frame 5
        // fires its target flash and frame 2 its screen flash (4 ticks), which the end waits for.
        {"--from 5 --reverse", "", "6:12* 7* 6:2 5:1* 4* 3 2:0* 1* 0* 0* 0 0", false},
        // Without --range the range stays off even when the frames would allow one. Without flashes
        // and sounds the effects still fire.
        {"--from 3 --ticks 3 --no-flash --no-sound", "", "4 5:1 6:2", true},
        // "PlayBit" from the settings file: loop on (0x1A4).
        {"--ticks 10", "[CONFIG]\nPlayBit=420\n", "1 2:0* 3* 4* 5:1* 6:2* 7 0 1 2:0*", true},
    };
    TempDir dir;
    const std::string file = WriteProject(dir);
    WriteWav(dir.file("se.wav")); // without --audio no sound counts as playing
    for (const auto& row : rows) {
        SCOPED_TRACE(row.args);
        testing_support::WriteText(dir.file("config.ini"), row.settings);
        int status = -1;
        std::string raw;
        auto lines = Play(dir, file + " " + row.args, &status, &raw);
        ASSERT_EQ(status, 0) << raw;
        EXPECT_EQ(Ticks(lines), row.ticks) << raw;
        EXPECT_EQ(lines.back()["playing"].get<bool>(), row.playingAtTheEnd);
    }
    // The first run again: keys in the documented order, the flash colours and the end.
    testing_support::WriteText(dir.file("config.ini"), "");
    int status = -1;
    std::string raw;
    auto lines = Play(dir, file, &status, &raw);
    ASSERT_EQ(lines.size(), 9u) << raw;
    EXPECT_EQ(
        raw.substr(0, raw.find('\n')),
        "{\"tick\":1,\"frame\":1,\"changed\":true,\"fired\":[],\"screenFlash\":null,\"targetFlash\":null,"
        "\"finished\":false,\"playing\":true}");
    // The screen flash in its screen form, the target flash in its tone form (here at 1/2).
    EXPECT_EQ(lines[1]["screenFlash"], nlohmann::json::array({200, 100, 50, 200}));
    EXPECT_EQ(lines[5]["targetFlash"], nlohmann::json::array({64, 191, 128, 64}));
    EXPECT_FALSE(lines[7]["changed"].get<bool>());
    EXPECT_TRUE(lines[7]["finished"].get<bool>());
    EXPECT_TRUE(lines[7]["playing"].get<bool>());
}

TEST(CliPlay, BadInputFailsWithOneLine) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    const std::string play = "--config " + dir.file("config.ini") + " play ";
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
        {file + " --rate 99", "--rate"},
        {file + " --rate=-1", "--rate"},
        {file + " --from 0x2", "0x2"},
    };
    for (const auto& [args, names] : cases)
        cli_fixture::ExpectOneLineFailure(play + args, names);
}

TEST(CliPlay, AudioPlaysInRealTimeAndFinishingWaitsForTheSound) {
    TempDir dir;
    const std::string file = WriteProject(dir);
    int status = -1;
    std::string raw;
    const auto since = [](auto begin) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - begin)
            .count();
    };
    // Rate index 6 is 10 ticks a second (100 ms each). A sound that cannot be loaded is reported.
    auto begin = std::chrono::steady_clock::now();
    auto lines = Play(dir, file + " --audio --rate 6 --ticks 3", &status, &raw);
    EXPECT_EQ(status, 0) << raw;
    EXPECT_EQ(lines.size(), 3u) << raw;
    EXPECT_GE(since(begin), 290);
    if (raw.find("no sound") == std::string::npos) {
        EXPECT_NE(raw.find("pelko: cannot play the sound se.wav: "), std::string::npos) << raw;
    }

    WriteWav(dir.file("se.wav"));
    begin = std::chrono::steady_clock::now();
    lines = Play(dir, file + " --audio --rate 0", &status, &raw);
    const auto elapsed = since(begin);
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
}
