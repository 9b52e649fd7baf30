// The text project format: CR LF lines, a header section closed by "9", then one block
// per frame whose cell lines are difference-coded against a per-cell baseline, effect groups, and a
// closing "1," line; the file ends with "9" and no line end.

#include "document/anime_file_device.h"
#include "document/limits.h"
#include "document/project.h"
#include "document/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <limits>
#include <map>
#include <new>
#include <string_view>
#include <type_traits>

namespace anime {

namespace {

constexpr size_t kLineLimit = 1023; // bytes of a line's content on reading
constexpr size_t kTextLimit = 255;  // bytes of a text line (name, user data, path)
// A cell field with this value counts as not given, except the pattern, where 9999 is a pattern
// like any other (a picture may be divided into up to 1024 x 1024 patterns) and the writer writes
// it as it is.
constexpr int kNotGiven = 9999;
constexpr uint8_t kBlocks = strEffect::kFlash | strEffect::kSound | strEffect::kUserData;

template <class T> T clampTo(int v) {
    return static_cast<T>(
        std::clamp<int64_t>(v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

// Builds the output: records as comma-separated decimals, every line closed by CR LF.
class cTextWriter {
  public:
    explicit cTextWriter(std::vector<uint8_t>& out) : out_(out) {}

    void raw(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }
    void endLine() { raw("\r\n"); }
    void line(std::string_view s) {
        raw(s);
        endLine();
    }
    // A text of the document as a whole line: its bytes unchanged, cut at the first line break or
    // NUL (which would end the line on reading) and at 255 bytes. A cut counts in cutTexts when
    // the reader reads the line back (counted).
    void textLine(const std::string& s, bool counted = true) {
        size_t n = std::min(s.find_first_of(std::string_view("\r\n\0", 3)), s.size());
        n = std::min(n, kTextLimit);
        if (counted && n < s.size()) ++cutTexts;
        raw(std::string_view(s).substr(0, n));
        endLine();
    }
    int cutTexts = 0;
    // Starts a record line: the type, without a field.
    void record(char type) { out_.push_back(static_cast<uint8_t>(type)); }
    // Appends ",value".
    void field(int64_t v) {
        char buf[24];
        buf[0] = ',';
        auto r = std::to_chars(buf + 1, buf + sizeof buf, v);
        out_.insert(out_.end(), buf, r.ptr);
    }
    // Appends ",value" when write is true, else an empty field ",".
    void fieldIf(bool write, int64_t v) {
        if (write)
            field(v);
        else
            out_.push_back(',');
    }

  private:
    std::vector<uint8_t>& out_;
};

// One "2," line: the cell number, then each field as its value when it differs from the baseline
// and as an empty field otherwise; x/y, the two magnifications and the four colour fields go as
// groups.
void writeCellLine(cTextWriter& w, int number, const strCell& c, const strCell& base) {
    w.record('2');
    w.field(number);
    w.fieldIf(c.picture != base.picture, c.picture);
    w.fieldIf(c.pattern != base.pattern, c.pattern);
    w.fieldIf(c.blend != base.blend, c.blend);
    const bool position = c.x != base.x || c.y != base.y;
    w.fieldIf(position, c.x);
    w.fieldIf(position, c.y);
    const bool magnification = c.mx != base.mx || c.my != base.my;
    w.fieldIf(magnification, c.mx);
    w.fieldIf(magnification, c.my);
    w.fieldIf(c.angle != base.angle, c.angle);
    w.fieldIf(c.opacity != base.opacity, c.opacity);
    const bool colour =
        c.blue != base.blue || c.green != base.green || c.red != base.red || c.saturation != base.saturation;
    w.fieldIf(colour, c.blue);
    w.fieldIf(colour, c.green);
    w.fieldIf(colour, c.red);
    w.fieldIf(colour, c.saturation);
    w.endLine();
}

void writeEffectGroup(cTextWriter& w, const strEffect& e) {
    const bool sound = e.flags & strEffect::kSound, flash = e.flags & strEffect::kFlash,
               user = e.flags & strEffect::kUserData;
    w.record('4');
    w.field(int(sound) + int(flash) + int(user));
    w.endLine();
    if (sound) {
        w.record('6');
        w.field(e.volume);
        w.field(e.frequency);
        w.field(e.balance);
        w.endLine();
        w.textLine(e.soundPath);
    }
    if (flash) {
        w.record('5');
        w.field(e.flashObject);
        w.field(e.flashDrawing);
        w.field(e.flashFrames);
        w.field(e.flashBlue);
        w.field(e.flashGreen);
        w.field(e.flashRed);
        w.field(e.flashStrength);
        w.endLine();
    }
    if (user) {
        w.line("7");
        w.textLine(e.userData);
    }
}

// The record type of a line: its first field as a number (-1 when empty).
int recordType(const cTextFields& f) {
    return f.number(0, -1);
}

std::string textOf(std::string_view line) {
    return std::string(line.substr(0, kTextLimit));
}

} // namespace

int cAnimeFileDevice::writeText(const cProject& doc, std::vector<uint8_t>& out) {
    out.clear();
    soundPaths_.clear();
    losses_ = {};
    try {
        cTextWriter w(out);
        const int frameCount = doc.frameCount();
        const int cellNumber = doc.cellNumber();
        const int pictureCount = doc.pictureCount();

        w.line("PELK_TEX0071");
        w.textLine(doc.text(kTextName));
        w.textLine(doc.text(kTextUserData));

        w.record('1');
        for (int key : {kKeySplitFormat, kKeyLock, kKeyEditFormat, kKeyBasicInterval, kKeyTotalInterval})
            w.field(doc.getSetting(key));
        w.field(doc.totalDuration());
        w.field(frameCount);
        w.field(cellNumber);
        w.field(pictureCount);
        w.field(doc.effectCount());
        w.field(doc.getSetting(kKeyCentrePosition)); // an eleventh field, which older readers ignore
        w.endLine();

        for (int i = 0; i < pictureCount; ++i) {
            const strPicture* p = doc.picture(i);
            if (!p) continue;
            w.record('2');
            for (int v : {i, int(p->divX), int(p->divY), int(p->hue), 0, 0, 0})
                w.field(v);
            w.endLine();
            w.textLine(p->path);
        }

        // Distinct sound paths in order of first appearance; the reader skips them.
        std::map<std::string, int> seenPaths;
        for (int i = 0; i < doc.effectCapacity(); ++i) {
            const strEffect* e = doc.effect(i);
            if (!e || !(e->flags & strEffect::kSound) || seenPaths.count(e->soundPath)) continue;
            seenPaths.emplace(e->soundPath, static_cast<int>(seenPaths.size()));
            w.line("3");
            w.textLine(e->soundPath, false);
        }

        if (doc.getSetting(kKeyLock)) {
            w.record('4');
            for (uint8_t v : doc.lockTable())
                w.field(v);
            w.endLine();
        }
        w.line("9");

        // Frame section: per cell number a baseline (the last cell written for it) and a seen mark.
        std::vector<strCell> baseline(static_cast<size_t>(cellNumber), strCell::neutral());
        std::vector<char> seen(static_cast<size_t>(cellNumber), 0);
        int nextEffect = 0, written = 0;
        for (int f = 0; f < frameCount; ++f) {
            const strFrame* frame = doc.frame(f);
            const strFrame* previous = f > 0 ? doc.frame(f - 1) : nullptr;
            for (int c = 0; c < cellNumber; ++c) {
                const strCell* cell = frame ? frame->cells.get(c) : nullptr;
                if (!cell) {
                    if (seen[c]) {
                        seen[c] = 0;
                        baseline[c] = strCell::neutral();
                        w.record('3');
                        w.field(c);
                        w.endLine();
                    }
                    continue;
                }
                seen[c] = 1;
                const strCell* before = previous ? previous->cells.get(c) : nullptr;
                if (before && *before == *cell) continue;
                writeCellLine(w, c, *cell, baseline[c]);
                baseline[c] = *cell;
            }
            // Effects in slot order, from where the previous frame stopped.
            for (; nextEffect < doc.effectCapacity(); ++nextEffect) {
                const strEffect* e = doc.effect(nextEffect);
                if (!e || e->startFrame > f) break;
                if (!(e->flags & kBlocks)) continue;
                writeEffectGroup(w, *e);
                ++written;
            }
            w.record('1');
            w.field(frame ? frame->interval : 0);
            w.endLine();
        }
        w.raw("9");

        // Effects that no frame reached (start frame at or after the frame count, or behind an
        // empty slot) are not in the file.
        int withBlocks = 0;
        for (int i = 0; i < doc.effectCapacity(); ++i)
            if (const strEffect* e = doc.effect(i); e && (e->flags & kBlocks)) ++withBlocks;
        losses_.effects = withBlocks - written;
        losses_.frameCount = frameCount;
        losses_.texts = w.cutTexts;
    } catch (const std::bad_alloc&) {
        return fail(strMessage(kWhyOutOfMemory));
    }
    return 1;
}

int cAnimeFileDevice::readText(std::span<const uint8_t> data, cProject& doc) {
    soundPaths_.clear();
    try {
        cTextLineReader in(data, kLineLimit);
        std::string_view line;
        // A required line that is not there: the file ends early.
        auto missing = [&](eMessageId part) {
            return fail(strMessage(kWhyTextMissingLine, in.lineNumber() + 1, strMessage(part)));
        };

        if (!in.next(line) || line.substr(0, 8) != "PELK_TEX") return fail(strMessage(kWhyTextFirstLine));
        if (!in.next(line)) return missing(kPartNameLine);
        const std::string name = textOf(line);
        if (!in.next(line)) return missing(kPartUserDataLine);
        const std::string userData = textOf(line);

        // Header section.
        bool created = false;
        for (bool done = false; !done;) {
            if (!in.next(line)) return missing(kPartHeaderEnd);
            const cTextFields f(line);
            if (f.empty()) return fail(strMessage(kWhyTextEmptyHeaderLine, in.lineNumber()));
            switch (recordType(f)) {
            case 1:
                // Counts above the limits are refused here; the frame section is counted again
                // below, since the header's counts are not what the reader follows.
                if (f.number(7, 0) > kMaxFrames)
                    return fail(LimitMessage(kWhyTooManyFrames, f.number(7, 0), kMaxFrames));
                if (f.number(10, 0) > kMaxEffects)
                    return fail(LimitMessage(kWhyTooManyEffects, f.number(10, 0), kMaxEffects));
                if (!doc.create(f.number(7, -1), f.number(8, -1), f.number(9, -1), f.number(10, -1)))
                    return fail(strMessage(kWhyOutOfMemory));
                created = true;
                doc.setSetting(kKeySaveFormat, 1);
                doc.setText(kTextName, name);
                doc.setText(kTextUserData, userData);
                // Held to what the binary format can store, so that a document read here can
                // always be saved either way.
                doc.setSetting(kKeySplitFormat, std::clamp(f.number(1, 0), 0, 3));
                doc.setSetting(kKeyLock, f.number(2, 0));
                doc.setSetting(kKeyEditFormat, std::clamp(f.number(3, 0), 0, 15));
                doc.setSetting(kKeyBasicInterval, clampTo<uint16_t>(f.number(4, 0)));
                doc.setSetting(kKeyTotalInterval, std::max(f.number(5, 0), 0));
                doc.setSetting(kKeyCentrePosition, centreFromFile(f.number(11, 0)));
                doc.frameOrCreate(0);
                break;
            case 2: {
                const int index = f.number(1, -1);
                strPicture p;
                p.divX = clampTo<uint16_t>(f.number(2, 1));
                p.divY = clampTo<uint16_t>(f.number(3, 1));
                p.hue = clampTo<uint16_t>(f.number(4, 0));
                if (!in.next(line)) return missing(kPartPicturePath);
                p.path = textOf(line);
                cProject::normalisePicture(p);
                if (!created) break; // before the "1" record there is no document to hold it
                if (index < 0 || index >= doc.pictureCapacity())
                    return fail(
                        strMessage(kWhyTextPictureSlot, in.lineNumber(), index, doc.pictureCapacity()));
                doc.setPicture(index, &p);
                break;
            }
            case 3:
                if (!in.next(line)) return missing(kPartSoundPath);
                break;
            case 4: {
                const int cells = std::min(doc.cellNumber(), 256);
                for (int c = cells - 1; c >= 0; --c)
                    doc.setLockedPicture(c, static_cast<uint8_t>(std::abs(f.number(c + 1, 0)) & 0xFF));
                break;
            }
            case 9:
                done = true;
                break;
            default:
                break; // other header lines are ignored
            }
        }
        if (!created) return fail(strMessage(kWhyTextNoCounts));

        // Frame section. Frames and effects past the limits are counted, not stored, so that the
        // refusal can say how many the file holds.
        int f = 0;
        long long effects = 0;
        for (;;) {
            if (!in.next(line)) return missing(kPartClosingLine);
            const cTextFields r(line);
            if (r.empty()) return fail(strMessage(kWhyTextEmptyFrameLine, in.lineNumber()));
            switch (recordType(r)) {
            case 2: {
                const int number = r.number(1, -1);
                const strFrame* frame = doc.frame(f);
                if (!frame || !frame->cells.inRange(number)) break;
                strCell c = frame->cells.get(number) ? *frame->cells.get(number) : strCell::neutral();
                auto given = [&r](size_t i, auto& field) {
                    using T = std::remove_reference_t<decltype(field)>;
                    if (!r.given(i)) return;
                    const int v = r.number(i, 0);
                    if (v != kNotGiven || i == 3) field = clampTo<T>(v);
                };
                given(2, c.picture);
                given(3, c.pattern);
                given(4, c.blend);
                given(5, c.x);
                given(6, c.y);
                given(7, c.mx);
                given(8, c.my);
                given(9, c.angle);
                given(10, c.opacity);
                given(11, c.blue);
                given(12, c.green);
                given(13, c.red);
                given(14, c.saturation);
                doc.setCell(f, number, &c);
                break;
            }
            case 3:
                doc.setCell(f, r.number(1, -1), nullptr);
                break;
            case 4: {
                const int n = r.number(1, 0);
                strEffect e;
                for (int k = 0; k < n; ++k) {
                    if (!in.next(line)) return missing(kPartEffectBlock);
                    const cTextFields b(line);
                    switch (recordType(b)) {
                    case 5:
                        e.flags |= strEffect::kFlash;
                        e.flashObject = clampTo<uint8_t>(b.number(1, 0));
                        e.flashDrawing = clampTo<uint8_t>(b.number(2, 0));
                        e.flashFrames = clampTo<uint16_t>(b.number(3, 4));
                        e.flashBlue = clampTo<uint8_t>(b.number(4, 0));
                        e.flashGreen = clampTo<uint8_t>(b.number(5, 0));
                        e.flashRed = clampTo<uint8_t>(b.number(6, 0));
                        e.flashStrength = clampTo<uint8_t>(b.number(7, 0));
                        break;
                    case 6:
                        e.flags |= strEffect::kSound;
                        e.volume = clampTo<uint16_t>(b.number(1, 100));
                        e.frequency = clampTo<uint16_t>(b.number(2, 100));
                        e.balance = clampTo<uint16_t>(b.number(3, 100));
                        if (!in.next(line)) return missing(kPartEffectSound);
                        e.soundPath = textOf(line);
                        break;
                    case 7:
                        e.flags |= strEffect::kUserData;
                        if (!in.next(line)) return missing(kPartEffectUserData);
                        e.userData = textOf(line);
                        break;
                    default:
                        break; // consumed and counted
                    }
                }
                e.startFrame = clampTo<uint16_t>(f);
                if (e.flags && ++effects <= kMaxEffects && f < kMaxFrames) doc.addEffect(e);
                break;
            }
            case 1: {
                doc.setFrameInterval(f, clampTo<uint16_t>(r.number(1, 0)));
                if (f < std::numeric_limits<int>::max()) ++f;
                // The next frame starts as a copy of this one: cells carry over.
                if (const strFrame* previous = doc.frame(f - 1)) doc.replaceFrame(f, previous);
                break;
            }
            case 9:
                if (f > kMaxFrames) return fail(LimitMessage(kWhyTooManyFrames, f, kMaxFrames));
                if (effects > kMaxEffects)
                    return fail(LimitMessage(kWhyTooManyEffects, effects, kMaxEffects));
                doc.replaceFrame(f, nullptr); // the copy made by the last "1" line
                return 1;
            default:
                break; // other record types are ignored
            }
        }
    } catch (const std::bad_alloc&) {
        return fail(strMessage(kWhyOutOfMemory));
    }
}

} // namespace anime
