#pragma once
// The sound table: the sound effects of the current document, loaded on the sound device
// and keyed by the effect's sound path as stored; and cSoundPreview, the one sound of the effect
// dialog's "Play" button.

#include "playback/sound.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class cProject;

class cSoundTable {
  public:
    // device may be null (no sound): nothing loads and nothing plays.
    explicit cSoundTable(cSoundDevice* device = nullptr) : device_(device) {}
    ~cSoundTable() { releaseAll(); }
    cSoundTable(const cSoundTable&) = delete;
    cSoundTable& operator=(const cSoundTable&) = delete;

    // Changes the device; every loaded sound is released first.
    void setDevice(cSoundDevice* device);
    cSoundDevice* device() const { return device_; }

    // Loads for a document: every loaded sound is marked unused; each effect with its sound bit and
    // a non-empty name reuses the loaded sound of that name or loads it (the name resolved against the
    // document's base folder, ResolveSoundPath) and marks it used; every sound still unused is then
    // released and removed. A sound that cannot be loaded is left out (and tried again next time)
    // and listed in failures(). Returns the number of sounds in the table.
    int load(const cProject& doc);
    // The sounds the last load could not load, one per name, in effect order.
    struct strFailure {
        std::string name;  // as stored in the effect
        strMessage reason; // the device's reason (no device, missing file, unreadable data ...)
    };
    const std::vector<strFailure>& failures() const { return failures_; }
    // The loaded sound of a name as stored in the effect, or null.
    cSound* find(const std::string& name) const;
    // Stops each sound, then sets its volume and frequency back to 100.
    void stopAll();
    bool anyPlaying() const;
    // Releases and removes every sound.
    void releaseAll();
    int size() const { return static_cast<int>(sounds_.size()); }

  private:
    struct strEntry {
        std::unique_ptr<cSound> sound;
        bool used = false;
    };
    cSoundDevice* device_;
    std::map<std::string, strEntry> sounds_;
    std::vector<strFailure> failures_;
};

// The effect dialog's "Play": its own sound, reloaded when the path changes.
class cSoundPreview {
  public:
    explicit cSoundPreview(cSoundDevice* device = nullptr) : device_(device) {}
    void setDevice(cSoundDevice* device);

    // Resolves the name (ResolveSoundPath), stops the sound, reloads it when the resolved path changed
    // (or nothing is loaded), sets volume, frequency and balance and plays it once. False when nothing
    // could be loaded; error() then says why.
    bool play(const std::string& name, const std::string& baseFolder, const std::string& locale, int volume,
              int frequency, int balance);
    void stop();
    bool isPlaying() const;
    // Closing the dialog: stops and releases the sound.
    void release();
    // Why the last play could not load its sound (none after a successful play).
    const strMessage& error() const { return error_; }

  private:
    cSoundDevice* device_;
    std::string path_;
    strMessage error_;
    std::unique_ptr<cSound> sound_;
};
