#include "playback/sound.h"

#include "document/media_files.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <algorithm>

std::unique_ptr<cSound> cSound::load(cSoundDevice& device, const std::string& diskPath) {
    if (diskPath.empty()) return nullptr;
    auto instance = device.createFromFile(diskPath);
    if (!instance) return nullptr;
    return std::make_unique<cSound>(std::move(instance));
}

void cSound::stop() {
    if (instance_ && instance_->isPlaying()) instance_->stop();
}

void cSound::play(int loopCount) {
    if (!instance_) return;
    if (instance_->isPlaying()) instance_->stop();
    instance_->play(loopCount < 0 ? -1 : loopCount);
}

void cSound::setVolume(int v) {
    if (instance_) instance_->setVolume(static_cast<float>(v));
}

void cSound::setFrequency(int f) {
    if (instance_) instance_->setSpeed(static_cast<float>(std::max(f, 1)) / 100.0f);
}

void cSound::setBalance(int b) {
    if (instance_) instance_->setPan(static_cast<float>(b - 100));
}

bool cSound::isPlaying() const {
    return instance_ && instance_->isPlaying();
}

void cSound::release() {
    if (!instance_) return;
    if (instance_->isPlaying()) instance_->stop();
    instance_.reset();
}

std::string ResolveSoundPath(const std::string& name, const std::string& baseFolder,
                             const std::string& locale) {
    if (name.empty()) return {};
    const std::string file = platform::ToUtf8(name, locale);
    const std::string base = platform::ToUtf8(baseFolder, locale);
    // A title stored without an extension plays whichever kind of sound is there.
    return FindMediaFile(platform::ResolveForDisk(file, base), SoundExtensions());
}
