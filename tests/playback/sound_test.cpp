// The sound device over OpenAL Soft and libsndfile: files written here with libsndfile
// load, report playing and stop; missing or unreadable files load nothing; the sound table loads a
// document's sounds against its base folder and releases the ones no effect uses; the preview
// reloads only for another path. Runs headless on OpenAL's null output (ALSOFT_DRIVERS=null, set
// here too when the variable is absent).

#include "config/config.h"
#include "document/project.h"
#include "fake_sound.h"
#include "playback/sound.h"
#include "playback/sound_device.h"
#include "playback/sound_table.h"
#include "support/message_texts.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <thread>
#include <unistd.h>
#include <vector>

#if __has_include(<sndfile.h>)
#include <sndfile.h>
#define PELKO_TEST_SNDFILE 1
#else
#define PELKO_TEST_SNDFILE 0
#endif

using testing_support::TempDir;

namespace {

const bool kHeadless = [] {
    setenv("ALSOFT_DRIVERS", "null", 0);
    return true;
}();

#if PELKO_TEST_SNDFILE
// A sine tone of `seconds` written with libsndfile in the given format.
bool WriteTone(const std::string& path, int format, double seconds, int channels = 1) {
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = channels;
    info.format = format;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    if (!f) return false;
    const auto frames = static_cast<size_t>(seconds * info.samplerate);
    std::vector<float> data(frames * channels);
    for (size_t i = 0; i < frames; ++i)
        for (int c = 0; c < channels; ++c)
            data[i * channels + c] =
                0.5f * static_cast<float>(std::sin(2.0 * 3.14159265 * 440.0 * i / info.samplerate));
    sf_writef_float(f, data.data(), static_cast<sf_count_t>(frames));
    sf_close(f);
    return true;
}
#endif

bool WaitUntil(const std::function<bool()>& done, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return done();
}

// A document whose sound names are resolved against `base`, with one effect a frame.
struct SoundDoc {
    explicit SoundDoc(const std::string& base) {
        doc.create(0, 1, 0, 0);
        doc.setText(kTextBaseFolder, base);
    }
    // An effect naming `path` on the next frame.
    void add(const std::string& path, uint8_t flags = strEffect::kSound) {
        strEffect e;
        e.startFrame = static_cast<uint16_t>(doc.effectCount());
        e.flags = flags;
        e.soundPath = path;
        doc.addEffect(e);
    }
    cConfig config;
    cProject doc{&config};
};

class SoundDevice : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(kHeadless);
#if !PELKO_TEST_SNDFILE
        GTEST_SKIP() << "built without libsndfile";
#else
        if (!SoundBackendAvailable()) GTEST_SKIP() << "built without the OpenAL back end";
        device = OpenSoundDevice();
        if (!device->isOpen()) GTEST_SKIP() << "no audio output: " << device->lastReason();
#endif
    }
    TempDir dir;
    std::unique_ptr<cSoundDevice> device;
};

} // namespace

#if PELKO_TEST_SNDFILE

TEST_F(SoundDevice, WavOggAndFlacLoadPlayAndStop) {
    for (auto [name, format, channels] : {std::tuple("tone.wav", SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1),
                                          {"tone.ogg", SF_FORMAT_OGG | SF_FORMAT_VORBIS, 2},
                                          {"tone.flac", SF_FORMAT_FLAC | SF_FORMAT_PCM_16, 1}}) {
        const std::string path = dir.file(name);
        ASSERT_TRUE(WriteTone(path, format, 2.0, channels));
        auto sound = cSound::load(*device, path);
        ASSERT_NE(sound, nullptr) << path << ": " << device->lastReason();
        EXPECT_FALSE(sound->isPlaying());
        sound->setVolume(50);
        sound->setFrequency(200);
        sound->setBalance(0);
        sound->play(0);
        EXPECT_TRUE(sound->isPlaying()) << path;
        sound->stop();
        EXPECT_FALSE(sound->isPlaying()) << path;
        sound->play(-1); // looped
        EXPECT_TRUE(sound->isPlaying());
        sound->release();
        EXPECT_FALSE(sound->isPlaying());
        EXPECT_FALSE(sound->loaded());
    }
}

TEST_F(SoundDevice, AShortSoundEndsByItselfUnlessLooped) {
    const std::string wav = dir.file("blip.wav");
    ASSERT_TRUE(WriteTone(wav, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.05));
    auto sound = cSound::load(*device, wav);
    ASSERT_NE(sound, nullptr);
    sound->play(0);
    EXPECT_TRUE(WaitUntil([&] { return !sound->isPlaying(); }, 3000));
    sound->play(2); // three passes
    EXPECT_TRUE(sound->isPlaying());
    EXPECT_TRUE(WaitUntil([&] { return !sound->isPlaying(); }, 3000));
    sound->play(-1);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_TRUE(sound->isPlaying());
}

// Each failure says why in a message of the reason table; the sound library's English never shows.
TEST_F(SoundDevice, MissingOrUnreadableFilesLoadNothingAndSayWhy) {
    testing_support::WriteText(dir.file("junk.wav"), "RIFF but not really a wave file at all");
    testing_support::WriteText(dir.file("empty.wav"), "");
    ASSERT_EQ(::symlink("loop.wav", dir.file("loop.wav").c_str()), 0);
    const std::pair<std::string, strMessage> rows[] = {
        {dir.file("nothing.wav"), strMessage(kWhyFileMissing, dir.file("nothing.wav"))},
        {dir.file("junk.wav"), strMessage(kWhySoundUnreadable, dir.file("junk.wav"))},
        {dir.file("empty.wav"), strMessage(kWhySoundUnreadable, dir.file("empty.wav"))},
        {dir.path(), strMessage(kWhyNotRegularFile, dir.path())},
        {dir.file("loop.wav"), strMessage(kWhyCannotOpen, dir.file("loop.wav"), strMessage(kSysLinkLoop))},
    };
    for (const auto& [path, why] : rows) {
        EXPECT_EQ(cSound::load(*device, path), nullptr) << path;
        EXPECT_EQ(device->lastReason(), why) << path;
    }
    EXPECT_EQ(cSound::load(*device, ""), nullptr);
    ASSERT_TRUE(WriteTone(dir.file("tone.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.1));
    EXPECT_NE(cSound::load(*device, dir.file("tone.wav")), nullptr);
    EXPECT_TRUE(device->lastReason().none()); // a load that works forgets the last failure
}

TEST_F(SoundDevice, TheTableLoadsAgainstTheBaseFolderAndReleasesUnusedSounds) {
    ASSERT_TRUE(std::system(("mkdir -p '" + dir.file("Sound") + "'").c_str()) == 0);
    ASSERT_TRUE(WriteTone(dir.file("Sound/a.wav"), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.5));
    ASSERT_TRUE(WriteTone(dir.file("b.ogg"), SF_FORMAT_OGG | SF_FORMAT_VORBIS, 0.5));

    SoundDoc s(dir.path());
    s.add("Sound\\a.wav");
    s.add("b.ogg");
    s.add("Sound\\a.wav");             // the same name: one sound
    s.add("c.wav", strEffect::kFlash); // sound bit clear
    s.add("missing.wav");              // not loaded, not kept
    s.add(dir.file("b.ogg"));          // an absolute name

    cSoundTable table(device.get());
    EXPECT_EQ(table.load(s.doc), 3);
    ASSERT_EQ(table.failures().size(), 1u); // reported once, however many effects name it
    EXPECT_EQ(table.failures()[0].name, "missing.wav");
    EXPECT_EQ(table.failures()[0].reason, strMessage(kWhyFileMissing, dir.file("missing.wav")));
    cSound* a = table.find("Sound\\a.wav");
    ASSERT_NE(a, nullptr);
    for (auto [name, kept] : {std::pair(std::string("b.ogg"), true),
                              {dir.file("b.ogg"), true},
                              {"c.wav", false},
                              {"missing.wav", false}})
        EXPECT_EQ(table.find(name) != nullptr, kept) << name;

    // Drop every use of b.ogg: the reload keeps a (the same object) and releases b.
    s.doc.removeEffect(1);
    s.doc.removeEffect(4);
    EXPECT_EQ(table.load(s.doc), 1);
    EXPECT_EQ(table.find("Sound\\a.wav"), a);
    EXPECT_EQ(table.find("b.ogg"), nullptr);

    table.releaseAll();
    EXPECT_EQ(table.size(), 0);
}

TEST_F(SoundDevice, AnyNumberOfFilesPlayOnTheVoicesThereAre) {
    // More files than the output has sources: each loads (one decoded buffer per file) and plays.
    SoundDoc s(dir.path());
    constexpr int kFiles = 300;
    for (int i = 0; i < kFiles; ++i) {
        const std::string name = "s" + std::to_string(i) + ".wav";
        ASSERT_TRUE(WriteTone(dir.file(name), SF_FORMAT_WAV | SF_FORMAT_PCM_16, 0.3));
        s.add(name);
    }
    cSoundTable table(device.get());
    EXPECT_EQ(table.load(s.doc), kFiles);
    EXPECT_TRUE(table.failures().empty());
    for (int i = 0; i < kFiles; ++i) {
        cSound* s = table.find("s" + std::to_string(i) + ".wav");
        ASSERT_NE(s, nullptr) << i;
        s->play(0);
        EXPECT_TRUE(s->isPlaying()) << i;
    }
    table.stopAll();
    EXPECT_FALSE(table.anyPlaying());

    // With two voices a third sound takes the voice of the one that started first; the one that
    // ended gives its voice up before any that still sounds.
    auto small = OpenSoundDevice(2);
    std::vector<std::unique_ptr<cSound>> v;
    for (int i = 0; i < 3; ++i) {
        v.push_back(cSound::load(*small, dir.file("s" + std::to_string(i) + ".wav")));
        v.back()->play(-1);
    }
    auto playing = [&v] {
        return std::vector<bool>({v[0]->isPlaying(), v[1]->isPlaying(), v[2]->isPlaying()});
    };
    EXPECT_EQ(playing(), std::vector<bool>({false, true, true}));
    v[1]->stop();
    v[0]->play(-1);
    EXPECT_EQ(playing(), std::vector<bool>({true, false, true}));
    v[2].reset(); // a released sound gives its voice back
    v[1]->play(-1);
    EXPECT_TRUE(v[0]->isPlaying() && v[1]->isPlaying());
}

#endif // PELKO_TEST_SNDFILE

TEST(SoundOff, ANullDeviceLoadsNothingAndTheTableStaysEmpty) {
    auto device = NullSoundDevice();
    EXPECT_FALSE(device->isOpen());
    EXPECT_EQ(device->createFromFile("/dev/null"), nullptr);
    EXPECT_EQ(device->lastReason(), strMessage(kWhySoundOff));
    SoundDoc s("");
    s.add("a.wav");
    cSoundTable table(device.get());
    EXPECT_EQ(table.load(s.doc), 0);
    EXPECT_FALSE(table.anyPlaying());
    ASSERT_EQ(table.failures().size(), 1u);
    EXPECT_EQ(table.failures()[0].reason, strMessage(kWhySoundOff));
    cSoundTable none;
    EXPECT_EQ(none.load(s.doc), 0);
    cSoundPreview preview;
    EXPECT_FALSE(preview.play("a.wav", "", "jpn", 100, 100, 100));
    EXPECT_EQ(preview.error(), strMessage(kWhySoundOff));
}

TEST(SoundPreview, ReloadsOnlyWhenThePathChanges) {
    playback_test::FakeSoundDevice device;
    cSoundPreview preview(&device);
    EXPECT_TRUE(preview.play("p.wav", "/a", "jpn", 100, 100, 100));
    EXPECT_TRUE(preview.play("p.wav", "/a", "jpn", 50, 120, 150));
    playback_test::FakeSoundState& p = device.state("/a/p.wav");
    EXPECT_EQ(device.loads, 1);
    EXPECT_EQ(p.plays, 2);
    EXPECT_FLOAT_EQ(p.volume, 50.0f);
    EXPECT_TRUE(preview.isPlaying());
    EXPECT_FALSE(preview.play("missing.wav", "/a", "jpn", 50, 120, 150));
    EXPECT_EQ(device.loads, 2);
    EXPECT_TRUE(p.released);
    EXPECT_FALSE(preview.isPlaying());
    EXPECT_EQ(preview.error(), strMessage(kWhySoundCannotLoad, "/a/missing.wav"));
    EXPECT_TRUE(preview.play("p.wav", "/a", "jpn", 50, 120, 150));
    EXPECT_TRUE(preview.error().none());
}

TEST(SoundPath, ResolvesAgainstTheBaseFolder) {
    EXPECT_EQ(ResolveSoundPath("Sound\\hit.wav", "/game/anim", "jpn"), "/game/anim/Sound/hit.wav");
    EXPECT_EQ(ResolveSoundPath("../se/x.ogg", "/game/anim", "jpn"), "/game/se/x.ogg");
    EXPECT_EQ(ResolveSoundPath("/abs/x.ogg", "/game/anim", "jpn"), "/abs/x.ogg");
    EXPECT_EQ(ResolveSoundPath("", "/game", "jpn"), "");
    // Names are stored in the project code page (CP932 here) and opened as UTF-8.
    EXPECT_EQ(ResolveSoundPath("\x89\xb9.wav", "/g", "jpn"), "/g/\xe9\x9f\xb3.wav");
}
