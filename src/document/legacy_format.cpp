// The legacy line format (read only): comma-separated records of at most 16 fields in
// lines of at most 511 bytes; frames carry their cells over, effects are assembled from flash,
// sound and user-data blocks, and the file's first line ("nani,...") names the animation.

#include "document/anime_file_device.h"
#include "document/limits.h"
#include "document/project.h"
#include "document/text_lines.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace anime {

namespace {

constexpr size_t kLineLimit = 511;
constexpr size_t kMaxFields = 16;
constexpr size_t kTextLimit = 255;
constexpr int kNotGiven = 9999;
constexpr int kLegacyCells = 16;
constexpr uint8_t kAllBlocks = strEffect::kFlash | strEffect::kSound | strEffect::kUserData;

template <class T> T clampTo(int v) {
    return static_cast<T>(
        std::clamp<int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// A flash colour component: ((v + offset) × 255 + 0.5) / 200, limited to 0..255 and truncated.
uint8_t flashComponent(int v, double offset) {
    const double x = ((static_cast<double>(v) + offset) * 255.0 + 0.5) / 200.0;
    return static_cast<uint8_t>(std::clamp(x, 0.0, 255.0));
}

// The effect being assembled from blocks. A block of a kind the effect already has, or the
// end of a frame, hands the effect to the document and starts a fresh one; so does an effect
// that has all three blocks.
class cLegacyEffect {
  public:
    explicit cLegacyEffect(cProject& doc) : doc_(doc) {}

    // Makes room for a block of the given kind and returns the effect to fill in.
    strEffect& begin(uint8_t kind, int frame) {
        if (effect_.flags & kind) finish();
        effect_.startFrame = clampTo<uint16_t>(frame);
        return effect_;
    }
    void end(uint8_t kind) {
        effect_.flags |= kind;
        if ((effect_.flags & kAllBlocks) == kAllBlocks) finish();
    }
    void finish() {
        if (effect_.flags && ++count_ <= kMaxEffects) doc_.addEffect(effect_);
        effect_ = strEffect{};
    }
    // Effects made so far, those past the limit included.
    long long count() const { return count_; }

  private:
    long long count_ = 0;
    cProject& doc_;
    strEffect effect_;
};

} // namespace

int cAnimeFileDevice::readLegacy(std::span<const uint8_t> data, cProject& doc) {
    soundPaths_.clear();
    if (data.size() < 4 || std::memcmp(data.data(), "nani", 4) != 0) return fail(strMessage(kWhyLegacyMagic));
    try {
        if (!doc.create(300, kLegacyCells, 2, 300)) return fail(strMessage(kWhyOutOfMemory));
        doc.frameOrCreate(0);
        doc.setSetting(kKeySaveFormat, 1);
        doc.setSetting(kKeyLock, 1);

        enum class ePending { kName, kUserData, kNone } pending = ePending::kName;
        cLegacyEffect effect(doc);
        cTextLineReader in(data, kLineLimit);
        std::string_view line;
        int f = 0;
        while (in.next(line)) {
            const cTextFields r(line, kMaxFields);
            if (r.empty()) continue;
            auto text = [&r](size_t i) { return std::string(r.text(i).substr(0, kTextLimit)); };
            switch (r.number(0, 0)) {
            case 1: {
                effect.finish();
                doc.setFrameInterval(f, clampTo<uint16_t>(r.number(1, 0)));
                const strFrame* previous = doc.frame(f);
                ++f;
                // Each end of frame starts the next one, so the file holds f + 1 frames from here.
                if (!previous || f < 0 || f >= doc.frameCapacity()) {
                    long long frames = f + 1;
                    while (in.next(line))
                        if (const cTextFields more(line, kMaxFields); !more.empty() && more.number(0, 0) == 1)
                            ++frames;
                    return fail(LimitMessage(kWhyTooManyFrames, frames, kMaxFrames));
                }
                doc.replaceFrame(f, previous); // cells carry over
                break;
            }
            case 2: {
                const int number = r.number(1, -1);
                if (number < 0 || number >= kLegacyCells || !doc.frame(f)) break;
                auto value = [&r](size_t i, int& out) {
                    if (!r.given(i) || r.number(i, 0) == kNotGiven) return false;
                    out = r.number(i, 0);
                    return true;
                };
                int v = 0;
                if (value(2, v) && v == 0) { // pattern 0 deletes the cell
                    doc.setCell(f, number, nullptr);
                    break;
                }
                const strCell* old = doc.cell(f, number);
                strCell c = old ? *old : strCell{};
                c.picture = static_cast<uint8_t>(doc.lockedPicture(number));
                if (value(2, v)) c.pattern = clampTo<uint16_t>(v);
                if (value(3, v)) c.x = clampTo<int16_t>(v);
                if (value(4, v)) c.y = clampTo<int16_t>(v);
                if (value(5, v)) c.blend = clampTo<uint8_t>(v);
                if (value(6, v)) c.opacity = clampTo<uint8_t>(v);
                if (value(7, v)) c.angle = clampTo<int16_t>(v);
                if (value(8, v)) c.mx = clampTo<int16_t>(v);
                if (value(9, v)) c.my = clampTo<int16_t>(v);
                if (value(10, v)) {
                    const auto rgb = static_cast<uint32_t>(v);
                    c.red = static_cast<uint8_t>(rgb >> 16);
                    c.green = static_cast<uint8_t>(rgb >> 8);
                    c.blue = static_cast<uint8_t>(rgb);
                }
                doc.setCell(f, number, &c);
                break;
            }
            case 4:
            case 90:
                break;
            case 5: {
                strEffect& e = effect.begin(strEffect::kFlash, f);
                const int drawing = r.number(1, 0);
                e.flashObject = 0;
                e.flashFrames = clampTo<uint16_t>(r.number(2, 2));
                double offset = 100.0;
                if (drawing < 4) {
                    e.flashDrawing = clampTo<uint8_t>(drawing);
                    e.flashStrength = clampTo<uint8_t>(r.number(3, 255));
                } else {
                    e.flashObject = 1;
                    e.flashDrawing = 1;
                    e.flashStrength = 0;
                    offset = 0.0;
                }
                e.flashRed = flashComponent(r.number(4, 255), offset);
                e.flashGreen = flashComponent(r.number(5, 255), offset);
                e.flashBlue = flashComponent(r.number(6, 255), offset);
                effect.end(strEffect::kFlash);
                break;
            }
            case 6: {
                strEffect& e = effect.begin(strEffect::kSound, f);
                e.volume = clampTo<uint16_t>(r.number(1, 100));
                e.frequency = clampTo<uint16_t>(r.number(2, 100));
                e.soundPath = text(3);
                effect.end(strEffect::kSound);
                break;
            }
            case 7:
                pending = ePending::kUserData;
                break;
            case 60:
                doc.setSetting(kKeySplitFormat, 0);
                doc.setSetting(kKeyBasicInterval, clampTo<uint16_t>(r.number(1, 0)));
                doc.setSetting(kKeyEditFormat, r.number(2, 0) == 1 ? 4 : 3);
                doc.setSetting(kKeyTotalInterval, std::max(r.number(3, 0), 0));
                break;
            case 70: {
                strPicture p;
                p.divX = clampTo<uint16_t>(r.number(2, 1));
                p.divY = clampTo<uint16_t>(r.number(3, 1));
                p.path = text(4);
                cProject::normalisePicture(p);
                doc.setPicture(r.number(1, -1), &p); // an index outside the slots is dropped
                break;
            }
            case 80: {
                // '0' -> 0, '1' -> 1, '9' -> 1 at an odd entry and 0 at an even one; any other
                // character or the last cell number ends the walk; the rest become 0.
                const std::string_view digits = r.text(1);
                std::vector<uint8_t> lock(doc.lockTable().size(), 0);
                size_t i = 0;
                for (; i < lock.size() && i < digits.size(); ++i) {
                    const char ch = digits[i];
                    if (ch == '0')
                        lock[i] = 0;
                    else if (ch == '1')
                        lock[i] = 1;
                    else if (ch == '9')
                        lock[i] = (i % 2) ? 1 : 0;
                    else
                        break;
                }
                for (size_t c = 0; c < lock.size(); ++c)
                    doc.setLockedPicture(static_cast<int>(c), lock[c]);
                break;
            }
            default:
                if (pending == ePending::kName) {
                    doc.setText(kTextName, text(1));
                } else if (pending == ePending::kUserData) {
                    strEffect& e = effect.begin(strEffect::kUserData, f);
                    e.userData = text(1);
                    effect.end(strEffect::kUserData);
                }
                pending = ePending::kNone;
                break;
            }
        }
        // Blocks after the last end of frame still make an effect.
        effect.finish();
        if (effect.count() > kMaxEffects)
            return fail(LimitMessage(kWhyTooManyEffects, effect.count(), kMaxEffects));
        return 1;
    } catch (const std::bad_alloc&) {
        return fail(strMessage(kWhyOutOfMemory));
    }
}

} // namespace anime
