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
#include <iterator>
#include <map>
#include <vector>

#if PELKO_AUDIO_BACKEND
#include <al.h>
#include <alc.h>
#include <sndfile.h>
#include <unistd.h>

#include "document/file_reason.h"
#include "platform/file_io.h"
#endif

namespace {

// A device that never opens.
class cClosedSoundDevice : public cSoundDevice {
  public:
    explicit cClosedSoundDevice(strMessage why) : reason_(std::move(why)) {}
    bool isOpen() const override { return false; }
    std::unique_ptr<cSoundInstance> createFromFile(const std::string&) override { return nullptr; }
    const strMessage& lastReason() const override { return reason_; }

  private:
    strMessage reason_;
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

// One decoded file in an OpenAL buffer, shared by every sound loaded from that file. A buffer is
// deleted only after every voice has let go of it (sounds detach their voice before they go).
struct strAlBuffer {
    std::shared_ptr<strAlContext> ctx;
    ALuint id = 0;

    ~strAlBuffer() {
        ctx->makeCurrent();
        alDeleteBuffers(1, &id);
    }
};

// The voices that can sound at once: OpenAL sources, made as needed up to a limit and lent to one
// sound at a time. A sound that wants to play takes a free voice, else a new one, else one whose sound
// has ended, else the one that started longest ago (that sound stops).
class cAlVoicePool {
  public:
    cAlVoicePool(std::shared_ptr<strAlContext> ctx, int limit) : ctx_(std::move(ctx)), limit_(limit) {}
    ~cAlVoicePool() {
        ctx_->makeCurrent();
        for (const strVoice& v : voices_) {
            alSourceStop(v.source);
            alSourcei(v.source, AL_BUFFER, 0);
            alDeleteSources(1, &v.source);
        }
    }
    cAlVoicePool(const cAlVoicePool&) = delete;
    cAlVoicePool& operator=(const cAlVoicePool&) = delete;

    const std::shared_ptr<strAlContext>& context() const { return ctx_; }

    // A voice for owner, stopped and empty; -1 when not even one source can be made.
    int acquire(const void* owner) {
        ctx_->makeCurrent();
        int pick = -1;
        for (size_t i = 0; i < voices_.size() && pick < 0; ++i)
            if (!voices_[i].owner) pick = static_cast<int>(i);
        if (pick < 0 && static_cast<int>(voices_.size()) < limit_) pick = makeVoice();
        for (size_t i = 0; i < voices_.size() && pick < 0; ++i)
            if (!sounding(voices_[i].source)) pick = static_cast<int>(i);
        for (size_t i = 0; i < voices_.size(); ++i)
            if (pick < 0 || voices_[i].started < voices_[static_cast<size_t>(pick)].started)
                pick = static_cast<int>(i);
        if (pick < 0) return -1;
        strVoice& v = voices_[static_cast<size_t>(pick)];
        alSourceStop(v.source);
        alSourcei(v.source, AL_BUFFER, 0);
        v.owner = owner;
        v.started = ++starts_;
        return pick;
    }
    // Stops the voice and gives it back (nothing when owner no longer holds it).
    void release(int voice, const void* owner) {
        if (!owns(voice, owner)) return;
        ctx_->makeCurrent();
        strVoice& v = voices_[static_cast<size_t>(voice)];
        alSourceStop(v.source);
        alSourcei(v.source, AL_BUFFER, 0);
        v.owner = nullptr;
    }
    bool owns(int voice, const void* owner) const {
        return voice >= 0 && voice < static_cast<int>(voices_.size()) &&
               voices_[static_cast<size_t>(voice)].owner == owner;
    }
    ALuint source(int voice) const { return voices_[static_cast<size_t>(voice)].source; }
    void markStarted(int voice) { voices_[static_cast<size_t>(voice)].started = ++starts_; }

    static bool sounding(ALuint source) {
        ALint state = AL_STOPPED;
        alGetSourcei(source, AL_SOURCE_STATE, &state);
        return state == AL_PLAYING;
    }

  private:
    struct strVoice {
        ALuint source = 0;
        const void* owner = nullptr;
        uint64_t started = 0;
    };

    int makeVoice() {
        alGetError();
        ALuint source = 0;
        alGenSources(1, &source);
        if (alGetError() != AL_NO_ERROR) {
            limit_ = static_cast<int>(voices_.size()); // the output holds no more
            return -1;
        }
        alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
        alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
        voices_.push_back(strVoice{source, nullptr, 0});
        return static_cast<int>(voices_.size()) - 1;
    }

    std::shared_ptr<strAlContext> ctx_;
    int limit_;
    std::vector<strVoice> voices_;
    uint64_t starts_ = 0;
};

// A loaded sound: its file's buffer and its settings; it holds a voice only while it plays (or until
// another sound needs the voice after it ended).
class cAlSound : public cSoundInstance {
  public:
    cAlSound(std::shared_ptr<cAlVoicePool> pool, std::shared_ptr<strAlBuffer> buffer)
        : pool_(std::move(pool)), buffer_(std::move(buffer)) {}
    ~cAlSound() override { pool_->release(voice_, this); }

    bool isPlaying() const override {
        if (!pool_->owns(voice_, this)) return false;
        pool_->context()->makeCurrent();
        return cAlVoicePool::sounding(pool_->source(voice_));
    }

    void play(int loopCount) override {
        if (!pool_->owns(voice_, this)) voice_ = pool_->acquire(this);
        if (voice_ < 0) return;
        pool_->context()->makeCurrent();
        const ALuint source = pool_->source(voice_);
        alSourceStop(source);
        alSourcei(source, AL_BUFFER, 0);
        apply(source);
        if (loopCount > 0) {
            // A repeat count: the same buffer queued once per pass (bounded).
            const std::vector<ALuint> queue(static_cast<size_t>(std::min(loopCount, 999)) + 1, buffer_->id);
            alSourcei(source, AL_LOOPING, AL_FALSE);
            alSourceQueueBuffers(source, static_cast<ALsizei>(queue.size()), queue.data());
        } else {
            alSourcei(source, AL_BUFFER, static_cast<ALint>(buffer_->id));
            alSourcei(source, AL_LOOPING, loopCount < 0 ? AL_TRUE : AL_FALSE);
        }
        alSourcePlay(source);
        pool_->markStarted(voice_);
    }

    void stop() override {
        pool_->release(voice_, this);
        voice_ = -1;
    }

    void setVolume(float volume) override {
        gain_ = std::isfinite(volume) ? std::clamp(volume, 0.0f, 100.0f) / 100.0f : 1.0f;
        update();
    }

    void setPan(float pan) override {
        pan_ = std::isfinite(pan) ? std::clamp(pan, -100.0f, 100.0f) / 100.0f : 0.0f;
        update();
    }

    void setSpeed(float ratio) override {
        pitch_ = std::isfinite(ratio) ? std::max(ratio, 0.01f) : 1.0f;
        update();
    }

  private:
    void update() {
        if (!pool_->owns(voice_, this)) return;
        pool_->context()->makeCurrent();
        apply(pool_->source(voice_));
    }
    void apply(ALuint source) const {
        alSourcef(source, AL_GAIN, gain_);
        alSourcef(source, AL_PITCH, pitch_);
        // A mono source placed on the unit circle in front of the listener: -1 hard left, 1 hard
        // right; distance 1 with roll-off 0 keeps the gain.
        alSource3f(source, AL_POSITION, pan_, 0.0f, -std::sqrt(std::max(0.0f, 1.0f - pan_ * pan_)));
    }

    std::shared_ptr<cAlVoicePool> pool_;
    std::shared_ptr<strAlBuffer> buffer_;
    int voice_ = -1;
    float gain_ = 1.0f, pan_ = 0.0f, pitch_ = 1.0f;
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

bool decodeFile(const std::string& path, strPcm& out, strMessage& error) {
    SF_INFO info{};
    // Opened without blocking and only as a regular file: a FIFO or a device is refused at once.
    std::string english;
    const int fd = platform::OpenRegularFile(path, &english);
    if (fd < 0) {
        error = FileFailureMessage(english);
        return false;
    }
    // libsndfile's own reason (sf_strerror) is English and says no more to a user than this does.
    SNDFILE* file = sf_open_fd(fd, SFM_READ, &info, SF_FALSE);
    if (!file) {
        error = strMessage(kWhySoundUnreadable, path);
        ::close(fd);
        return false;
    }
    if (info.channels < 1 || info.channels > kMaxChannels || info.samplerate < 1 ||
        info.samplerate > kMaxRate) {
        sf_close(file);
        ::close(fd);
        error = strMessage(kWhySoundChannels, path);
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
    ::close(fd);
    if (out.samples.empty()) {
        error = strMessage(kWhySoundEmpty, path);
        return false;
    }
    return true;
}

class cAlSoundDevice : public cSoundDevice {
  public:
    explicit cAlSoundDevice(int maxVoices) {
        auto ctx = std::make_shared<strAlContext>();
        ctx->device = alcOpenDevice(nullptr);
        if (!ctx->device) {
            reason_ = strMessage(kWhySoundNoOutput);
            return;
        }
        ctx->context = alcCreateContext(ctx->device, nullptr);
        if (!ctx->context) {
            reason_ = strMessage(kWhySoundOutputUnusable);
            return;
        }
        ctx->makeCurrent();
        // As many voices as the output mixes at once, unless the caller asks for fewer.
        ALCint mono = 0;
        alcGetIntegerv(ctx->device, ALC_MONO_SOURCES, 1, &mono);
        int limit = mono > 0 ? std::min(mono, kMaxVoices) : kDefaultVoices;
        if (maxVoices > 0) limit = std::min(limit, maxVoices);
        pool_ = std::make_shared<cAlVoicePool>(std::move(ctx), limit);
    }

    bool isOpen() const override { return pool_ != nullptr; }
    const strMessage& lastReason() const override { return reason_; }

    std::unique_ptr<cSoundInstance> createFromFile(const std::string& path) override {
        if (!pool_) return nullptr;
        std::shared_ptr<strAlBuffer> buffer = loadBuffer(path);
        if (!buffer) return nullptr;
        reason_ = {};
        return std::make_unique<cAlSound>(pool_, std::move(buffer));
    }

  private:
    static constexpr int kMaxVoices = 256;
    static constexpr int kDefaultVoices = 32;

    // The buffer of a file: the one already decoded while any sound still uses it, else a new one.
    std::shared_ptr<strAlBuffer> loadBuffer(const std::string& path) {
        for (auto it = buffers_.begin(); it != buffers_.end();)
            it = it->second.expired() ? buffers_.erase(it) : std::next(it);
        if (auto it = buffers_.find(path); it != buffers_.end()) return it->second.lock();
        strPcm pcm;
        if (!decodeFile(path, pcm, reason_)) return nullptr;
        const std::shared_ptr<strAlContext>& ctx = pool_->context();
        ctx->makeCurrent();
        alGetError();
        ALuint id = 0;
        alGenBuffers(1, &id);
        if (alGetError() != AL_NO_ERROR) {
            reason_ = strMessage(kWhySoundCannotLoad, path);
            return nullptr;
        }
        auto buffer = std::make_shared<strAlBuffer>();
        buffer->ctx = ctx;
        buffer->id = id;
        alBufferData(id, AL_FORMAT_MONO16, pcm.samples.data(),
                     static_cast<ALsizei>(pcm.samples.size() * sizeof(int16_t)), pcm.rate);
        if (alGetError() != AL_NO_ERROR) {
            reason_ = strMessage(kWhySoundCannotLoad, path);
            return nullptr;
        }
        buffers_[path] = buffer;
        return buffer;
    }

    std::shared_ptr<cAlVoicePool> pool_;
    std::map<std::string, std::weak_ptr<strAlBuffer>> buffers_;
    strMessage reason_;
};

#endif // PELKO_AUDIO_BACKEND

} // namespace

bool SoundBackendAvailable() {
    return PELKO_AUDIO_BACKEND != 0;
}

std::unique_ptr<cSoundDevice> OpenSoundDevice(int maxVoices) {
#if PELKO_AUDIO_BACKEND
    return std::make_unique<cAlSoundDevice>(maxVoices);
#else
    (void)maxVoices;
    return std::make_unique<cClosedSoundDevice>(strMessage(kWhySoundNotBuilt));
#endif
}

std::unique_ptr<cSoundDevice> NullSoundDevice() {
    return std::make_unique<cClosedSoundDevice>(strMessage(kWhySoundOff));
}
