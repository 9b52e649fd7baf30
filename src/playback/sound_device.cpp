#include "playback/sound_device.h"

// The OpenAL back end is built when the OpenAL include folder is on the path (the top CMakeLists adds
// it, together with the libraries, only when both OpenAL and libsndfile were found); a build may also
// say so explicitly with PELKO_HAVE_AUDIO=0/1.
#if defined(PELKO_HAVE_AUDIO)
#define PELKO_AUDIO_BACKEND PELKO_HAVE_AUDIO
#elif defined(__has_include)
#if __has_include(<al.h>) && __has_include(<alc.h>) && __has_include(<sndfile.h>)
#define PELKO_AUDIO_BACKEND 1
#else
#define PELKO_AUDIO_BACKEND 0
#endif
#else
#define PELKO_AUDIO_BACKEND 0
#endif

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#if PELKO_AUDIO_BACKEND
#include <al.h>
#include <alc.h>
#include <sndfile.h>
#endif

namespace {

// A device that never opens.
class cClosedSoundDevice : public cSoundDevice {
  public:
    explicit cClosedSoundDevice(std::string why) : error_(std::move(why)) {}
    bool isOpen() const override { return false; }
    std::unique_ptr<cSoundInstance> createFromFile(const std::string&) override { return nullptr; }
    const std::string& lastError() const override { return error_; }

  private:
    std::string error_;
};

#if PELKO_AUDIO_BACKEND

// The OpenAL device and context, shared by the device object and every sound made on it.
struct strAlContext {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;

    ~strAlContext() {
        if (context) {
            if (alcGetCurrentContext() == context) alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device) alcCloseDevice(device);
    }
    // One context is current per process; make ours current before any call on a source or buffer.
    void makeCurrent() const {
        if (alcGetCurrentContext() != context) alcMakeContextCurrent(context);
    }
};

class cAlSound : public cSoundInstance {
  public:
    cAlSound(std::shared_ptr<strAlContext> ctx, ALuint buffer, ALuint source)
        : ctx_(std::move(ctx)), buffer_(buffer), source_(source) {}
    ~cAlSound() override {
        ctx_->makeCurrent();
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);
        alDeleteSources(1, &source_);
        alDeleteBuffers(1, &buffer_);
    }

    bool isPlaying() const override {
        ctx_->makeCurrent();
        ALint state = AL_STOPPED;
        alGetSourcei(source_, AL_SOURCE_STATE, &state);
        return state == AL_PLAYING;
    }

    void play(int loopCount) override {
        ctx_->makeCurrent();
        alSourceStop(source_);
        alSourcei(source_, AL_BUFFER, 0);
        if (loopCount > 0) {
            // A repeat count: the same buffer queued once per pass (bounded).
            const std::vector<ALuint> queue(static_cast<size_t>(std::min(loopCount, 999)) + 1, buffer_);
            alSourcei(source_, AL_LOOPING, AL_FALSE);
            alSourceQueueBuffers(source_, static_cast<ALsizei>(queue.size()), queue.data());
        } else {
            alSourcei(source_, AL_BUFFER, static_cast<ALint>(buffer_));
            alSourcei(source_, AL_LOOPING, loopCount < 0 ? AL_TRUE : AL_FALSE);
        }
        alSourcePlay(source_);
    }

    void stop() override {
        ctx_->makeCurrent();
        alSourceStop(source_);
    }

    void setVolume(float volume) override {
        ctx_->makeCurrent();
        alSourcef(source_, AL_GAIN, std::clamp(volume, 0.0f, 100.0f) / 100.0f);
    }

    void setPan(float pan) override {
        ctx_->makeCurrent();
        // A mono source placed on the unit circle in front of the listener: -100 hard left, 100 hard
        // right; distance 1 with roll-off 0 keeps the gain.
        const float x = std::clamp(pan, -100.0f, 100.0f) / 100.0f;
        alSource3f(source_, AL_POSITION, x, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - x * x)));
    }

    void setSpeed(float ratio) override {
        ctx_->makeCurrent();
        alSourcef(source_, AL_PITCH, std::isfinite(ratio) ? std::max(ratio, 0.01f) : 1.0f);
    }

  private:
    std::shared_ptr<strAlContext> ctx_;
    ALuint buffer_;
    ALuint source_;
};

// Decoded sound, mixed down to mono so that the balance can pan it.
struct strPcm {
    std::vector<int16_t> samples;
    int rate = 0;
};

// Bounds for what a file may ask for: sound effects are short, and no allocation follows an
// unchecked header field (the data are read in blocks until the end or the bound).
constexpr int kMaxChannels = 64;
constexpr int kMaxRate = 768000;
constexpr int64_t kMaxSeconds = 600;

bool decodeFile(const std::string& path, strPcm& out, std::string& error) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file) {
        error = "cannot read " + path + ": " + sf_strerror(nullptr);
        return false;
    }
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1 ||
        info.samplerate > kMaxRate) {
        sf_close(file);
        error = "cannot read " + path + ": unsupported channel count or sample rate";
        return false;
    }
    const int channels = info.channels;
    const int64_t maxFrames = static_cast<int64_t>(info.samplerate) * kMaxSeconds;
    constexpr sf_count_t kBlock = 4096;
    std::vector<float> block(static_cast<size_t>(kBlock) * static_cast<size_t>(channels));
    out.samples.clear();
    out.rate = info.samplerate;
    for (;;) {
        const sf_count_t n = sf_readf_float(file, block.data(), kBlock);
        if (n <= 0) break;
        for (sf_count_t i = 0; i < n; ++i) {
            float sum = 0.0f;
            for (int c = 0; c < channels; ++c)
                sum += block[static_cast<size_t>(i) * channels + c];
            float v = sum / static_cast<float>(channels);
            if (!std::isfinite(v)) v = 0.0f;
            v = std::clamp(v, -1.0f, 1.0f);
            out.samples.push_back(static_cast<int16_t>(std::lrint(v * 32767.0f)));
        }
        if (static_cast<int64_t>(out.samples.size()) >= maxFrames) {
            out.samples.resize(static_cast<size_t>(maxFrames));
            break;
        }
    }
    sf_close(file);
    if (out.samples.empty()) {
        error = "cannot read " + path + ": no sound data";
        return false;
    }
    return true;
}

class cAlSoundDevice : public cSoundDevice {
  public:
    cAlSoundDevice() {
        auto ctx = std::make_shared<strAlContext>();
        ctx->device = alcOpenDevice(nullptr);
        if (!ctx->device) {
            error_ = "OpenAL: no audio output";
            return;
        }
        ctx->context = alcCreateContext(ctx->device, nullptr);
        if (!ctx->context) {
            error_ = "OpenAL: cannot create a context";
            return;
        }
        ctx->makeCurrent();
        ctx_ = std::move(ctx);
    }

    bool isOpen() const override { return ctx_ != nullptr; }
    const std::string& lastError() const override { return error_; }

    std::unique_ptr<cSoundInstance> createFromFile(const std::string& path) override {
        if (!ctx_) return nullptr;
        strPcm pcm;
        if (!decodeFile(path, pcm, error_)) return nullptr;
        ctx_->makeCurrent();
        alGetError();
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        if (alGetError() != AL_NO_ERROR) {
            error_ = "OpenAL: cannot create a buffer";
            return nullptr;
        }
        alBufferData(buffer, AL_FORMAT_MONO16, pcm.samples.data(),
                     static_cast<ALsizei>(pcm.samples.size() * sizeof(int16_t)), pcm.rate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            error_ = "OpenAL: cannot store the sound of " + path;
            return nullptr;
        }
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            error_ = "OpenAL: cannot create a source";
            return nullptr;
        }
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        alSource3f(source, AL_POSITION, 0.0f, 0.0f, -1.0f);
        alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer));
        error_.clear();
        return std::make_unique<cAlSound>(ctx_, buffer, source);
    }

  private:
    std::shared_ptr<strAlContext> ctx_;
    std::string error_;
};

#endif // PELKO_AUDIO_BACKEND

} // namespace

bool SoundBackendAvailable() {
    return PELKO_AUDIO_BACKEND != 0;
}

std::unique_ptr<cSoundDevice> OpenSoundDevice() {
#if PELKO_AUDIO_BACKEND
    return std::make_unique<cAlSoundDevice>();
#else
    return std::make_unique<cClosedSoundDevice>("OpenAL: built without the sound back end");
#endif
}

std::unique_ptr<cSoundDevice> NullSoundDevice() {
    return std::make_unique<cClosedSoundDevice>("sound is off");
}
