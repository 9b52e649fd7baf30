#include "playback/sound_table.h"

#include "config/config.h"
#include "document/project.h"

#include <algorithm>

void cSoundTable::setDevice(cSoundDevice* device) {
    releaseAll();
    device_ = device;
}

namespace {

strMessage WhyNotLoaded(const cSoundDevice* device, const std::string& diskPath) {
    if (!device) return strMessage(kWhySoundOff);
    if (diskPath.empty()) return strMessage(kWhySoundNoFileName);
    if (!device->lastReason().none()) return device->lastReason();
    return strMessage(kWhySoundCannotLoad, diskPath);
}

} // namespace

int cSoundTable::load(const cProject& doc) {
    failures_.clear();
    for (auto& [name, e] : sounds_)
        e.used = false;
    const std::string& base = doc.text(kTextBaseFolder);
    const std::string& locale = doc.config().Locale;
    const auto& effects = doc.effects();
    for (int i = 0; i < effects.count(); ++i) {
        const strEffect* e = effects.get(i);
        if (!e || !(e->flags & strEffect::kSound) || e->soundPath.empty()) continue;
        auto it = sounds_.find(e->soundPath);
        if (it != sounds_.end()) {
            it->second.used = true;
            continue;
        }
        const auto failed = [&](const strFailure& f) { return f.name == e->soundPath; };
        if (std::any_of(failures_.begin(), failures_.end(), failed)) continue;
        const std::string path = ResolveSoundPath(e->soundPath, base, locale);
        auto sound = device_ ? cSound::load(*device_, path) : nullptr;
        if (!sound) {
            failures_.push_back({e->soundPath, WhyNotLoaded(device_, path)});
            continue;
        }
        sounds_[e->soundPath] = strEntry{std::move(sound), true};
    }
    for (auto it = sounds_.begin(); it != sounds_.end();) {
        if (!it->second.used) {
            it->second.sound->release();
            it = sounds_.erase(it);
        } else {
            ++it;
        }
    }
    return size();
}

cSound* cSoundTable::find(const std::string& name) const {
    auto it = sounds_.find(name);
    return it == sounds_.end() ? nullptr : it->second.sound.get();
}

void cSoundTable::stopAll() {
    for (auto& [name, e] : sounds_) {
        e.sound->stop();
        e.sound->setVolume(100);
        e.sound->setFrequency(100);
    }
}

bool cSoundTable::anyPlaying() const {
    for (const auto& [name, e] : sounds_)
        if (e.sound->isPlaying()) return true;
    return false;
}

void cSoundTable::releaseAll() {
    for (auto& [name, e] : sounds_)
        e.sound->release();
    sounds_.clear();
}

void cSoundPreview::setDevice(cSoundDevice* device) {
    release();
    device_ = device;
}

bool cSoundPreview::play(const std::string& name, const std::string& baseFolder, const std::string& locale,
                         int volume, int frequency, int balance) {
    const std::string path = ResolveSoundPath(name, baseFolder, locale);
    stop();
    if (!sound_ || path != path_) {
        release();
        path_ = path;
        if (device_) sound_ = cSound::load(*device_, path);
    }
    if (!sound_) {
        error_ = WhyNotLoaded(device_, path);
        return false;
    }
    error_ = {};
    sound_->setVolume(volume);
    sound_->setFrequency(frequency);
    sound_->setBalance(balance);
    sound_->play(0);
    return true;
}

void cSoundPreview::stop() {
    if (sound_) sound_->stop();
}

bool cSoundPreview::isPlaying() const {
    return sound_ && sound_->isPlaying();
}

void cSoundPreview::release() {
    if (sound_) sound_->release();
    sound_.reset();
    path_.clear();
}
