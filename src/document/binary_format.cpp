// The binary project format: a packed 46-byte header, texts with one-byte lengths, pictures, a
// sound-path table shared by the effects, effects and frames of 23-byte cell records.

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/byte_reader.h"
#include "document/cell_bytes.h"
#include "document/limits.h"
#include "document/project.h"

#include <algorithm>
#include <cstring>
#include <map>

namespace anime {

namespace {

constexpr size_t kHeaderSize = 46;

// File block flags of an effect (their order differs from strEffect's flags).
constexpr uint8_t kFileSound = 1;
constexpr uint8_t kFileFlash = 2;
constexpr uint8_t kFileUserData = 4;

class cByteWriter {
  public:
    explicit cByteWriter(std::vector<uint8_t>& out) : out_(out) {}
    void u8(unsigned v) { out_.push_back(static_cast<uint8_t>(v)); }
    void u16(unsigned v) {
        u8(v & 0xFF);
        u8((v >> 8) & 0xFF);
    }
    void u32(uint32_t v) {
        u16(v & 0xFFFF);
        u16(v >> 16);
    }
    void zeros(size_t n) { out_.insert(out_.end(), n, 0); }
    void bytes(const void* p, size_t n) {
        const auto* b = static_cast<const uint8_t*>(p);
        out_.insert(out_.end(), b, b + n);
    }
    // One-byte length, then at most 255 bytes. A text that does not come back whole (longer, or
    // holding a zero byte, where reading stops) counts in cutTexts.
    void shortText(const std::string& s) {
        size_t n = std::min<size_t>(s.size(), 255);
        if (n < s.size() || std::memchr(s.data(), 0, n)) ++cutTexts;
        u8(static_cast<unsigned>(n));
        bytes(s.data(), n);
    }
    int cutTexts = 0;

  private:
    std::vector<uint8_t>& out_;
};

} // namespace

int cAnimeFileDevice::writeBinary(const cProject& doc, std::vector<uint8_t>& out) {
    out.clear();
    soundPaths_.clear();
    losses_ = {};
    const int pictureCount = doc.pictureCount();
    if (pictureCount > 255) return fail(strMessage(kWhyBinaryPictures, pictureCount));

    // Sound-path table: distinct paths of valid sound blocks, in order of first appearance.
    std::map<std::string, int> soundIndex;
    std::vector<const strEffect*> effects;
    for (int i = 0; i < doc.effectCapacity(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e) continue;
        effects.push_back(e);
        if ((e->flags & strEffect::kSound) && !soundIndex.count(e->soundPath)) {
            soundIndex.emplace(e->soundPath, static_cast<int>(soundPaths_.size()));
            soundPaths_.push_back(e->soundPath);
        }
    }
    if (soundPaths_.size() > 255) {
        size_t n = soundPaths_.size();
        soundPaths_.clear();
        return fail(strMessage(kWhyBinarySounds, static_cast<long long>(n)));
    }
    const int frameCount = doc.frameCount();
    const int cellNumber = doc.cellNumber();

    cByteWriter w(out);
    w.bytes("PELK_BIN0071", 12);
    // The first of the four reserved words holds the centre position (older readers ignore it).
    w.u32(static_cast<uint32_t>(doc.getSetting(kKeyCentrePosition)));
    w.zeros(12);
    const int flags = (doc.getSetting(kKeySplitFormat) & 3) | (doc.getSetting(kKeyLock) ? 4 : 0) |
                      ((doc.getSetting(kKeyEditFormat) & 15) << 3);
    w.u8(static_cast<unsigned>(flags));
    w.u16(static_cast<unsigned>(doc.getSetting(kKeyBasicInterval)));
    w.u32(static_cast<uint32_t>(doc.getSetting(kKeyTotalInterval)));
    w.u32(doc.totalDuration());
    w.u16(static_cast<unsigned>(effects.size()));
    w.u16(static_cast<unsigned>(frameCount));
    w.u8(static_cast<unsigned>(pictureCount));
    w.u8(static_cast<unsigned>(soundPaths_.size()));
    w.u8(static_cast<unsigned>(cellNumber));

    w.shortText(doc.text(kTextName));
    w.shortText(doc.text(kTextUserData));
    if (doc.getSetting(kKeyLock)) {
        w.u8(static_cast<unsigned>(cellNumber));
        w.bytes(doc.lockTable().data(), doc.lockTable().size());
    } else {
        w.u8(0);
    }

    for (int i = 0; i < pictureCount; ++i) {
        const strPicture* p = doc.picture(i);
        if (p) {
            w.u16(p->divX);
            w.u16(p->divY);
            w.u16(p->hue);
            w.zeros(6);
            w.shortText(p->path);
        } else {
            w.zeros(12);
            w.u8(0);
        }
    }

    for (size_t i = 0; i < soundPaths_.size(); ++i) {
        w.u8(static_cast<unsigned>(i));
        w.shortText(soundPaths_[i]);
    }

    for (const strEffect* e : effects) {
        uint8_t block = 0;
        if (e->flags & strEffect::kSound) block |= kFileSound;
        if (e->flags & strEffect::kFlash) block |= kFileFlash;
        if (e->flags & strEffect::kUserData) block |= kFileUserData;
        w.u16(e->startFrame);
        w.u8(block);
        if (block & kFileSound) {
            w.u16(e->volume);
            w.u16(e->frequency);
            w.u16(e->balance);
            w.u8(static_cast<unsigned>(soundIndex[e->soundPath]));
        }
        if (block & kFileFlash) {
            w.u16(e->flashFrames);
            w.u8(e->flashDrawing);
            w.u8(e->flashObject);
            w.u8(e->flashBlue);
            w.u8(e->flashGreen);
            w.u8(e->flashRed);
            w.u8(e->flashStrength);
        }
        if (block & kFileUserData) w.shortText(e->userData);
    }

    for (int i = 0; i < frameCount; ++i) {
        const strFrame* f = doc.frame(i);
        w.u16(f ? f->interval : 0);
        if (!f) {
            w.u8(0);
            continue;
        }
        w.u8(static_cast<unsigned>(f->cells.occupied()));
        for (int c = 0; c < f->cells.capacity(); ++c) {
            if (const strCell* cell = f->cells.get(c)) {
                w.u8(static_cast<unsigned>(c));
                uint8_t bytes[kCellBytes];
                EncodeCell(*cell, bytes);
                w.bytes(bytes, kCellBytes);
            }
        }
    }
    soundPaths_.clear();
    losses_.texts = w.cutTexts;
    return 1;
}

int cAnimeFileDevice::readBinary(std::span<const uint8_t> data, cProject& doc) {
    soundPaths_.clear();
    cByteReader r(data);
    uint8_t header[kHeaderSize];
    if (!r.bytes(header, kHeaderSize) || std::memcmp(header, "PELK_BIN", 8) != 0)
        return fail(strMessage(kWhyBinaryHeader));
    auto u16 = [&header](int o) { return header[o] | header[o + 1] << 8; };
    auto u32 = [&header](int o) {
        return uint32_t(header[o]) | uint32_t(header[o + 1]) << 8 | uint32_t(header[o + 2]) << 16 |
               uint32_t(header[o + 3]) << 24;
    };
    const int flags = header[28];
    const int effectCount = u16(39);
    const int frameCount = u16(41);
    const int pictureCount = header[43];
    const int soundCount = header[44];
    const int cellNumber = header[45];
    // A project above the limits is refused whole rather than loaded cut.
    if (frameCount > kMaxFrames) return fail(LimitMessage(kWhyTooManyFrames, frameCount, kMaxFrames));
    if (effectCount > kMaxEffects) return fail(LimitMessage(kWhyTooManyEffects, effectCount, kMaxEffects));

    if (!doc.create(frameCount, cellNumber, pictureCount, effectCount))
        return fail(strMessage(kWhyOutOfMemory));
    doc.setSetting(kKeySaveFormat, 0);
    doc.setSetting(kKeySplitFormat, flags & 3);
    doc.setSetting(kKeyLock, (flags >> 2) & 1);
    doc.setSetting(kKeyEditFormat, (flags >> 3) & 15);
    doc.setSetting(kKeyBasicInterval, u16(29));
    doc.setSetting(kKeyTotalInterval, static_cast<int>(std::min<uint32_t>(u32(31), 0x7FFFFFFF)));
    doc.setSetting(kKeyCentrePosition, centreFromFile(u32(12)));

    // Where the file ends early: the part being read.
    auto truncated = [](strMessage part) { return strMessage(kWhyBinaryEndsEarly, std::move(part)); };
    const strMessage inHeader = strMessage(kPartHeader);
    std::string text;
    if (!r.shortText(text)) return fail(truncated(inHeader));
    doc.setText(kTextName, text);
    if (!r.shortText(text)) return fail(truncated(inHeader));
    doc.setText(kTextUserData, text);

    int lockLength = 0;
    if (!r.u8(lockLength)) return fail(truncated(strMessage(kPartLockTable)));
    const int cells = doc.cellNumber();
    for (int i = 0; i < lockLength; ++i) {
        int v = 0;
        if (!r.u8(v)) return fail(truncated(strMessage(kPartLockTable)));
        if (i < cells) doc.setLockedPicture(i, static_cast<uint8_t>(v));
    }

    for (int i = 0; i < pictureCount; ++i) {
        uint8_t rec[12];
        if (!r.bytes(rec, 12) || !r.shortText(text)) return fail(truncated(strMessage(kPartPicture, i)));
        strPicture p;
        p.divX = static_cast<uint16_t>(rec[0] | rec[1] << 8);
        if (p.divX == 0) continue;
        p.divY = static_cast<uint16_t>(rec[2] | rec[3] << 8);
        p.hue = static_cast<uint16_t>(rec[4] | rec[5] << 8);
        p.path = text;
        cProject::normalisePicture(p);
        doc.setPicture(i, &p);
    }

    std::map<int, std::string> sounds;
    for (int i = 0; i < soundCount; ++i) {
        int index = 0;
        if (!r.u8(index) || !r.shortText(text)) return fail(truncated(strMessage(kPartSound, i)));
        sounds[index] = text;
    }

    for (int i = 0; i < effectCount; ++i) {
        int start = 0, block = 0;
        const strMessage effect = strMessage(kPartEffect, i);
        if (!r.u16(start) || !r.u8(block)) return fail(truncated(effect));
        strEffect e;
        e.startFrame = static_cast<uint16_t>(start);
        if (block & kFileSound) {
            int volume, frequency, balance, index;
            if (!r.u16(volume) || !r.u16(frequency) || !r.u16(balance) || !r.u8(index))
                return fail(truncated(effect));
            e.flags |= strEffect::kSound;
            e.volume = static_cast<uint16_t>(volume);
            e.frequency = static_cast<uint16_t>(frequency);
            e.balance = static_cast<uint16_t>(balance);
            auto it = sounds.find(index);
            if (it != sounds.end()) e.soundPath = it->second;
        }
        if (block & kFileFlash) {
            uint8_t f[8];
            if (!r.bytes(f, 8)) return fail(truncated(effect));
            e.flags |= strEffect::kFlash;
            e.flashFrames = static_cast<uint16_t>(f[0] | f[1] << 8);
            e.flashDrawing = f[2];
            e.flashObject = f[3];
            e.flashBlue = f[4];
            e.flashGreen = f[5];
            e.flashRed = f[6];
            e.flashStrength = f[7];
        }
        if (block & kFileUserData) {
            if (!r.shortText(text)) return fail(truncated(effect));
            e.flags |= strEffect::kUserData;
            e.userData = text;
        }
        if (e.flags) doc.addEffect(e);
    }

    for (int i = 0; i < frameCount; ++i)
        doc.frameOrCreate(i);
    for (int i = 0; i < frameCount; ++i) {
        int interval = 0, n = 0;
        if (!r.u16(interval) || !r.u8(n)) return fail(truncated(strMessage(kPartFrame, i)));
        doc.setFrameInterval(i, static_cast<uint16_t>(interval));
        for (int k = 0; k < n; ++k) {
            uint8_t rec[1 + kCellBytes];
            if (!r.bytes(rec, sizeof rec)) return fail(truncated(strMessage(kPartFrame, i)));
            strCell c = DecodeCell(rec + 1);
            doc.setCell(i, rec[0], &c); // skipped when the frame or cell number is outside the document
        }
    }
    soundPaths_.clear();
    return 1;
}

} // namespace anime
