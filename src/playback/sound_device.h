#pragma once
// The sound device behind an interface: load a file, play once or looped, stop, volume
// 0..100, pan -100..100, speed ratio, is-playing. The back end is OpenAL Soft with libsndfile
// (WAV, OGG Vorbis, FLAC, MP3) when the build found both; otherwise, or when no audio device can be
// opened, the device stays off and every load returns null, so nothing plays and the program runs on.
// Headless runs set ALSOFT_DRIVERS=null: the device opens on OpenAL's null output, sounds load and
// report playing in real time, and nothing is heard.

#include "document/messages.h"

#include <memory>
#include <string>

// One loaded sound (an Ayame instance of the original). Released when destroyed.
class cSoundInstance {
  public:
    virtual ~cSoundInstance() = default;
    virtual bool isPlaying() const = 0;
    // Plays from the start: loopCount 0 once, negative loops until stopped, n > 0 plays n more times
    // after the first.
    virtual void play(int loopCount) = 0;
    virtual void stop() = 0;
    // 0..100 (percent of full gain; values outside are clamped).
    virtual void setVolume(float volume) = 0;
    // -100 (left) .. 100 (right).
    virtual void setPan(float pan) = 0;
    // Playback speed ratio (1 = as recorded); values below 0.01 count as 0.01.
    virtual void setSpeed(float ratio) = 0;
};

class cSoundDevice {
  public:
    virtual ~cSoundDevice() = default;
    // Whether the device is on (sounds can be created).
    virtual bool isOpen() const = 0;
    // A sound from a file on disk (a UTF-8 path as the file system takes it), or null when the device
    // is off or the file is missing, unreadable or not a supported format. An instance may outlive the
    // device object: it keeps the audio context it plays on alive.
    virtual std::unique_ptr<cSoundInstance> createFromFile(const std::string& path) = 0;
    // Why the device is off or why the last load failed, as a message of the reason table (none when
    // nothing failed). The sound library's own words are not passed on.
    virtual const strMessage& lastReason() const = 0;
};

// True when the build has the OpenAL + libsndfile back end.
bool SoundBackendAvailable();
// The OpenAL device on the default output, or a device that stays off (lastReason says why) when the
// back end is missing or no output can be opened. Never null. Each file is decoded once while any
// sound loaded from it lives; any number of sounds can be loaded, and they share the voices the
// output can sound at once (at most maxVoices when it is above 0): a sound that starts while every
// voice is busy takes the voice of the sound that started longest ago, which stops.
std::unique_ptr<cSoundDevice> OpenSoundDevice(int maxVoices = 0);
// A device that is always off: nothing loads, nothing plays (the command-line tool without --audio).
std::unique_ptr<cSoundDevice> NullSoundDevice();
