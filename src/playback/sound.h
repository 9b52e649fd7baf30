#pragma once
// cSound: one loaded sound effect on the sound device, with the effect's units: volume in
// percent, frequency in percent of the recorded speed, balance 0..200 with 100 the centre.

#include "playback/sound_device.h"

#include <memory>
#include <string>

class cSound {
  public:
    explicit cSound(std::unique_ptr<cSoundInstance> instance) : instance_(std::move(instance)) {}
    ~cSound() { release(); }
    cSound(const cSound&) = delete;
    cSound& operator=(const cSound&) = delete;

    // A sound loaded from a file on disk, or null when the device is off or the file cannot be read.
    static std::unique_ptr<cSound> load(cSoundDevice& device, const std::string& diskPath);

    bool loaded() const { return instance_ != nullptr; }
    // Stops when playing.
    void stop();
    // Stops first when playing, then plays from the start (loopCount: see cSoundInstance::play).
    void play(int loopCount = 0);
    // Volume v percent.
    void setVolume(int v);
    // Speed = max(f, 1) / 100.
    void setFrequency(int f);
    // Pan = b - 100.
    void setBalance(int b);
    bool isPlaying() const;
    // Stops when playing, then releases the instance; the object plays nothing afterwards.
    void release();

  private:
    std::unique_ptr<cSoundInstance> instance_;
};

// A sound-effect name of a document made usable on disk: the name and the base folder are converted
// from the project code page ("Locale") to UTF-8, a relative name is joined to the base folder and
// the result canonicalised (platform::ResolveForDisk). "" for an empty name.
std::string ResolveSoundPath(const std::string& name, const std::string& baseFolder,
                             const std::string& locale);
