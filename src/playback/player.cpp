#include "playback/player.h"

#include "document/effect.h"
#include "document/project.h"
#include "playback/play_clock.h"
#include "playback/sound_table.h"

#include <algorithm>
#include <utility>

int cPlayer::basicInterval() const {
    return doc_ ? doc_->getSetting(kKeyBasicInterval) : 0;
}

int cPlayer::firstEffectFrom(int frame) const {
    if (!doc_) return 0;
    const auto& effects = doc_->effects();
    const int n = effects.count();
    int i = 0;
    while (i < n) {
        const strEffect* e = effects.get(i);
        if (e && e->startFrame >= frame) break;
        ++i;
    }
    return i;
}

bool cPlayer::start(bool reset, int rate, uint32_t flags, std::function<void()> notify) {
    stop(reset);
    clock_->setRate(rate);
    if (!clock_->start()) return false;
    flags_ = flags | kPlayRunning;
    flashes_.reset();
    fired_.clear();
    if (rangeStart_ != -1 && current_ < rangeStart_)
        seek(rangeStart_);
    else if (rangeEnd_ != -1 && current_ >= rangeEnd_)
        seek(rangeStart_);
    else
        seek(current_);
    if ((flags_ & kPlaySoundEffect) && sounds_ && doc_) sounds_->load(*doc_);
    finished_ = false;
    notify_ = std::move(notify);
    return true;
}

bool cPlayer::stop(bool reset) {
    const bool wasPlaying = playing();
    finished_ = false;
    clock_->stop();
    if (sounds_) sounds_->stopAll();
    if (reset) {
        current_ = -1;
        hold_ = 0;
        flags_ &= ~static_cast<uint32_t>(kPlayRunningBits);
    } else if (wasPlaying) {
        hold_ = basicInterval();
        flags_ &= ~static_cast<uint32_t>(kPlayRunning);
    }
    if ((flags_ & kPlaySoundEveryTime) && sounds_) sounds_->releaseAll();
    if (wasPlaying && notify_) {
        auto notify = std::move(notify_);
        notify_ = nullptr;
        notify();
    }
    return wasPlaying;
}

void cPlayer::seek(int frame) {
    clearCells_ = false;
    if (!doc_) {
        current_ = 0;
        nextEffect_ = 0;
        hold_ = 0;
        return;
    }
    hold_ = basicInterval();
    if (frame >= -1 && frame < doc_->frameCount()) current_ = frame;
    nextEffect_ = firstEffectFrom(current_);
}

void cPlayer::setRange(int start, int end) {
    rangeStart_ = start;
    rangeEnd_ = end;
}

void cPlayer::setOption(uint32_t bit, bool on) {
    bit &= ~static_cast<uint32_t>(kPlayRunningBits);
    if (on)
        flags_ |= bit;
    else
        flags_ &= ~bit;
    if (on && (bit & kPlaySoundEveryTime) && sounds_) sounds_->releaseAll();
}

void cPlayer::finish() {
    finished_ = true;
    if (flags_ & kPlayClearCells) clearCells_ = true;
}

void cPlayer::fire(int index, const strEffect& e) {
    if (!TimingPlays(e, condition_)) return;
    fired_.push_back(index);
    // Object 2 keeps the neutral colour the document stores with it.
    if (flags_ & kPlayScreenEffect) flashes_.start(e);
    if ((flags_ & kPlaySoundEffect) && (e.flags & strEffect::kSound) && sounds_) {
        // Only sounds loaded at start play.
        if (cSound* s = sounds_->find(e.soundPath)) {
            s->setVolume(e.volume);
            s->setFrequency(e.frequency);
            s->setBalance(e.balance);
            s->play(0);
        }
    }
}

bool cPlayer::tick() {
    fired_.clear();
    if (!doc_ || !playing()) return false;

    // 1.
    const int last = doc_->frameCount() - 1;
    const int before = current_;

    // 2. Count down the flash slots.
    const bool flashActive = flashes_.tick();
    // 3.
    const bool soundPlaying = sounds_ && sounds_->anyPlaying();

    // 4. Finishing: wait for the flashes and the sounds.
    if (finished_) {
        if (flashActive) return false;
        if (!soundPlaying) stop(false);
        return false;
    }

    // 5. Hold the frame.
    if (hold_ > 0) --hold_;
    if (hold_ >= 1) return current_ != before;

    bool advance = false;
    const bool backward = (flags_ & kPlayBackward) != 0;
    // 6. The start boundary.
    const bool atStart = current_ <= 0 || (rangeStart_ != -1 && current_ <= rangeStart_);
    if (atStart && backward) {
        flags_ &= ~static_cast<uint32_t>(kPlayBackward);
        if (!(flags_ & kPlayLoop)) {
            finish();
            return current_ != before;
        }
        advance = true; // forward again
    }
    // 7.
    if (!advance && current_ < last && (rangeEnd_ == -1 || current_ < rangeEnd_)) advance = true;
    // 8. The end.
    if (!advance) {
        if (!backward) {
            if (!(flags_ & kPlayReverse) && !(flags_ & kPlayLoop)) {
                finish();
                return current_ != before;
            }
            if (flags_ & kPlayReverse)
                flags_ |= kPlayBackward; // turn round
            else
                current_ = rangeStart_ == -1 ? -1 : rangeStart_ - 1; // loop
        }
    }
    // A new pass fires the effects of the frames it shows, from the first frame it will show.
    const bool newPass = !(flags_ & kPlayBackward) && (!advance || backward);
    if (newPass) nextEffect_ = firstEffectFrom(current_ + 1);

    // 9. Advance, firing the effects of the frame reached: on the way forward every effect from the
    // next effect on up to the new frame, on the way back the effects of the new frame.
    const auto& effects = doc_->effects();
    const int n = effects.count();
    if (flags_ & kPlayBackward) {
        --current_;
        for (int i = firstEffectFrom(current_); i < n; ++i) {
            const strEffect* e = effects.get(i);
            if (e && e->startFrame != current_) break;
            if (e) fire(i, *e);
        }
    } else {
        ++current_;
        while (nextEffect_ < n) {
            const strEffect* e = effects.get(nextEffect_);
            if (e && e->startFrame > current_) break;
            const int index = nextEffect_++;
            if (e) fire(index, *e);
        }
    }

    // 10.
    if (current_ > last) current_ = last;
    if (current_ < 0) current_ = 0;
    hold_ = doc_->frameInterval(current_, true);

    // 11.
    return current_ != before;
}

bool StartPlayback(cPlayer& player, int rateIndex, uint32_t playBit, int startFrame, int rangeStart,
                   int rangeEnd, std::function<void()> notify) {
    const uint32_t flags = playBit & ~static_cast<uint32_t>(kPlayRunningBits);
    // The two range fields can be entered in either order; the range is the frames between them.
    if (rangeStart >= 0 && rangeEnd >= 0 && rangeStart > rangeEnd) std::swap(rangeStart, rangeEnd);
    if (flags & kPlayNoRange)
        player.setRange(-1, -1);
    else
        player.setRange(rangeStart, rangeEnd);
    if (!player.start(false, cPlayClock::rateOfIndex(rateIndex), flags, std::move(notify))) {
        player.stop(true);
        return false;
    }
    player.seek(startFrame);
    player.clock().reset();
    return true;
}
