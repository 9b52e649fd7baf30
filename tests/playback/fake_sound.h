#pragma once
// A sound device for the player tests: every file loads except those named "missing…", and each
// sound's state (playing, plays, volume, pan, speed, released) is visible to the test, which also
// decides when a sound ends.

#include "playback/sound_device.h"

#include <map>
#include <memory>
#include <string>

namespace playback_test {

struct FakeSoundState {
    bool playing = false;
    int plays = 0;
    int loopCount = 0;
    float volume = -1, pan = -999, speed = -1;
    bool released = false;
};

class FakeSoundInstance : public cSoundInstance {
  public:
    explicit FakeSoundInstance(std::shared_ptr<FakeSoundState> s) : s_(std::move(s)) {}
    ~FakeSoundInstance() override { s_->released = true; }
    bool isPlaying() const override { return s_->playing; }
    void play(int loopCount) override {
        s_->playing = true;
        s_->loopCount = loopCount;
        ++s_->plays;
    }
    void stop() override { s_->playing = false; }
    void setVolume(float v) override { s_->volume = v; }
    void setPan(float p) override { s_->pan = p; }
    void setSpeed(float r) override { s_->speed = r; }

  private:
    std::shared_ptr<FakeSoundState> s_;
};

class FakeSoundDevice : public cSoundDevice {
  public:
    bool isOpen() const override { return true; }
    std::unique_ptr<cSoundInstance> createFromFile(const std::string& path) override {
        ++loads;
        if (path.find("missing") != std::string::npos) return nullptr;
        auto s = std::make_shared<FakeSoundState>();
        states[path] = s;
        return std::make_unique<FakeSoundInstance>(s);
    }
    const strMessage& lastReason() const override { return error; }

    // The state of the sound last loaded from a disk path.
    FakeSoundState& state(const std::string& path) { return *states.at(path); }

    int loads = 0;
    std::map<std::string, std::shared_ptr<FakeSoundState>> states;
    strMessage error;
};

} // namespace playback_test
