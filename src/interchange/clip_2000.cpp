#include "interchange/clip_2000.h"

#include "config/config.h"
#include "document/project.h"
#include "interchange/clip_stream.h"
#include "interchange/file_name_resolution.h"
#include "interchange/lcf_animation_check.h"
#include "interchange/lcf_codec.h"
#include "platform/clipboard.h"
#include "platform/path.h"

#include <algorithm>
#include <climits>

namespace lcf {

// ---- value maps --------------------------------------------------------------------------------

void CentreToScopePosition(int centre, int& scope, int& position) {
    scope = 0;
    position = 1;
    switch (centre) {
    case 1:
        scope = 1;
        position = 1;
        break; // Whole
    case 2:
        position = 2;
        break; // Down
    case 3:
        position = 0;
        break; // Up
    default:
        break; // Center, Right, Left
    }
}

int CentreFromScopePosition(int scope, int position) {
    if (scope != 0) return 1;
    switch (position) {
    case 0:
        return 3;
    case 1:
        return 0;
    default:
        return 2;
    }
}

int FlashObjectToScope(int object) {
    switch (object) {
    case 1:
        return 1;
    case 0:
        return 2;
    default:
        return 0;
    }
}

void FlashScopeToObject(int scope, strEffect& e) {
    if (scope == 1)
        e.flashObject = 1;
    else if (scope == 2)
        e.flashObject = 0;
}

int ColourTo5(int v) {
    v = std::clamp(v, 0, 255);
    return static_cast<int>((static_cast<float>(v) * 31.0f + 127.5f) / 255.0f);
}

int ColourFrom5(int v) {
    v = std::clamp(v, 0, 31);
    return static_cast<int>((static_cast<float>(v) * 255.0f + 15.5f) / 31.0f);
}

int OpacityToTransparency(int opacity) {
    return (255 - std::clamp(opacity, 0, 255)) * 100 / 255;
}

int TransparencyToOpacity(int transparency) {
    return (100 - std::clamp(transparency, 0, 100)) * 255 / 100;
}

int ZoomOf(int mx, int my) {
    return std::max(std::max(mx, my), 20);
}

namespace {

// ---- export ------------------------------------------------------------------------------------

void WriteIntChunkIf(cWrite& w, uint32_t id, int value, int defaultValue) {
    if (value != defaultValue) w.writeIntChunk(id, value);
}

void WriteTiming(cWrite& w, const strEffect& e) {
    w.writeIntChunk(1, e.startFrame + 1);

    std::string title = "(OFF)";
    int volume = 100, tempo = 100, balance = 50;
    if (e.flags & strEffect::kSound) {
        title = interchange::TitleOf(e.soundPath);
        volume = std::clamp<int>(e.volume, 0, 100);
        tempo = std::clamp<int>(e.frequency, 50, 150);
        balance = std::min(e.balance >> 1, 100);
    }
    cWrite se;
    if (!title.empty()) se.writeStringChunk(1, title);
    WriteIntChunkIf(se, 3, volume, 100);
    WriteIntChunkIf(se, 4, tempo, 100);
    WriteIntChunkIf(se, 5, balance, 50);
    se.writeEnd();
    w.writeInnerChunk(2, se);

    int scope = 0, red = 31, green = 31, blue = 31, power = 31;
    if (e.flags & strEffect::kFlash) {
        scope = FlashObjectToScope(e.flashObject);
        red = ColourTo5(e.flashRed);
        green = ColourTo5(e.flashGreen);
        blue = ColourTo5(e.flashBlue);
        power = ColourTo5(e.flashStrength);
    }
    WriteIntChunkIf(w, 3, scope, 0);
    WriteIntChunkIf(w, 4, red, 31);
    WriteIntChunkIf(w, 5, green, 31);
    WriteIntChunkIf(w, 6, blue, 31);
    WriteIntChunkIf(w, 7, power, 31);
    w.writeEnd();
}

void WriteCell(cWrite& w, const strCell& c) {
    WriteIntChunkIf(w, 2, c.pattern - 1, 0);
    WriteIntChunkIf(w, 3, c.x, 0);
    WriteIntChunkIf(w, 4, c.y, 0);
    WriteIntChunkIf(w, 5, ZoomOf(c.mx, c.my), 100);
    WriteIntChunkIf(w, 6, c.red, 100);
    WriteIntChunkIf(w, 7, c.green, 100);
    WriteIntChunkIf(w, 8, c.blue, 100);
    WriteIntChunkIf(w, 9, c.saturation, 100);
    WriteIntChunkIf(w, 10, OpacityToTransparency(c.opacity), 0);
}

// ---- import ------------------------------------------------------------------------------------

// The data of a sub-record or array chunk as a stream of its own; s moves past the chunk.
cClipStream Window(cClipStream& s) {
    const uint32_t end = ReadFieldEnd(s);
    cClipStream w;
    w.write(s.current(), end - s.position());
    w.seek(0);
    s.seek(end);
    return w;
}

int32_t Clamp32(int64_t v, int64_t lo, int64_t hi) {
    return static_cast<int32_t>(std::clamp(v, lo, hi));
}
int16_t Clamp16(int32_t v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}
// A 1-based element index as a 0-based slot (INT_MAX for indices beyond the int range).
int SlotOf(uint32_t index) {
    return static_cast<int>(std::min<uint32_t>(index, INT_MAX)) - 1;
}

struct strSound {
    std::string title = "(OFF)";
    int32_t volume = 100, tempo = 100, balance = 50;
};

strSound ReadSound(cClipStream& s) {
    strSound se;
    cReadClass rc(kChunkLimit, s);
    while (uint32_t id = rc.next()) {
        switch (id) {
        case 1:
            ReadStringField(s, se.title, kNameCapacity);
            break;
        case 3:
            se.volume = ReadSignedIntField(s);
            break;
        case 4:
            se.tempo = ReadSignedIntField(s);
            break;
        case 5:
            se.balance = ReadSignedIntField(s);
            break;
        default:
            SkipField(s);
            break;
        }
    }
    return se;
}

void ReadTiming(cClipStream& s, cProject& doc) {
    int64_t frame = 0;
    strSound se;
    int32_t scope = 0, red = 31, green = 31, blue = 31, power = 31;
    cReadClass rc(kChunkLimit, s);
    while (uint32_t id = rc.next()) {
        switch (id) {
        case 1:
            frame = ReadSignedIntField(s);
            break;
        case 2: {
            cClipStream w = Window(s);
            se = ReadSound(w);
            break;
        }
        case 3:
            scope = ReadSignedIntField(s);
            break;
        case 4:
            red = ReadSignedIntField(s);
            break;
        case 5:
            green = ReadSignedIntField(s);
            break;
        case 6:
            blue = ReadSignedIntField(s);
            break;
        case 7:
            power = ReadSignedIntField(s);
            break;
        default:
            SkipField(s);
            break; // 8: screen shake (2003)
        }
    }
    strEffect e;
    e.startFrame = static_cast<uint16_t>(Clamp32(frame - 1, 0, 65535));
    if (se.title != "(OFF)") {
        e.flags |= strEffect::kSound;
        e.soundPath = se.title;
        e.volume = static_cast<uint16_t>(std::clamp(se.volume, 0, 100));
        e.frequency = static_cast<uint16_t>(std::clamp(se.tempo, 50, 150));
        e.balance = static_cast<uint16_t>(std::clamp(se.balance, 0, 100) * 2);
    }
    if (scope != 0) {
        e.flags |= strEffect::kFlash;
        FlashScopeToObject(scope, e);
        e.flashRed = static_cast<uint8_t>(ColourFrom5(red));
        e.flashGreen = static_cast<uint8_t>(ColourFrom5(green));
        e.flashBlue = static_cast<uint8_t>(ColourFrom5(blue));
        e.flashStrength = static_cast<uint8_t>(ColourFrom5(power));
        e.flashFrames = 8;
    }
    doc.addEffect(e);
}

void ReadTimings(cClipStream& s, cProject& doc) {
    const uint32_t count = ReadVarint(s);
    cReadArray arr(static_cast<int32_t>(std::min<uint32_t>(count, INT32_MAX)), s);
    while (arr.next())
        ReadTiming(s, doc);
}

void ReadCell(cClipStream& s, cProject& doc, int frame, int slot) {
    bool visible = true;
    int32_t id = 0, x = 0, y = 0, zoom = 100, red = 100, green = 100, blue = 100, saturation = 100;
    int32_t transparency = 0;
    cReadClass rc(kChunkLimit, s);
    while (uint32_t chunk = rc.next()) {
        switch (chunk) {
        case 1:
            visible = ReadBoolField(s);
            break;
        case 2:
            id = ReadSignedIntField(s);
            break;
        case 3:
            x = ReadSignedIntField(s);
            break;
        case 4:
            y = ReadSignedIntField(s);
            break;
        case 5:
            zoom = ReadSignedIntField(s);
            break;
        case 6:
            red = ReadSignedIntField(s);
            break;
        case 7:
            green = ReadSignedIntField(s);
            break;
        case 8:
            blue = ReadSignedIntField(s);
            break;
        case 9:
            saturation = ReadSignedIntField(s);
            break;
        case 10:
            transparency = ReadSignedIntField(s);
            break;
        default:
            SkipField(s);
            break;
        }
    }
    if (!visible) return;
    strCell c;
    c.picture = 0;
    c.pattern = static_cast<uint16_t>(Clamp32(int64_t(id) + 1, 1, 65535));
    c.blend = 0;
    c.x = Clamp16(x);
    c.y = Clamp16(y);
    c.mx = c.my = Clamp16(zoom);
    c.angle = 0;
    c.opacity = static_cast<uint8_t>(TransparencyToOpacity(transparency));
    c.red = static_cast<uint8_t>(std::clamp(red, 0, 255));
    c.green = static_cast<uint8_t>(std::clamp(green, 0, 255));
    c.blue = static_cast<uint8_t>(std::clamp(blue, 0, 255));
    c.saturation = static_cast<uint8_t>(std::clamp(saturation, 0, 255));
    doc.setCell(frame, slot, &c); // slots beyond the cell number are refused by the project
}

void ReadFrames(cClipStream& s, cProject& doc) {
    const uint32_t count = ReadVarint(s);
    // Each frame element takes at least two bytes (its index and the end of its record).
    const uint32_t frames = std::min({count, s.remaining() / 2, static_cast<uint32_t>(doc.frameCapacity())});
    for (uint32_t f = 0; f < frames; ++f)
        doc.frameOrCreate(static_cast<int>(f));
    cReadArray arr(static_cast<int32_t>(std::min<uint32_t>(count, INT32_MAX)), s);
    while (uint32_t k = arr.next()) {
        cReadClass rc(kChunkLimit, s);
        while (uint32_t id = rc.next()) {
            if (id != 1) {
                SkipField(s);
                continue;
            }
            cClipStream cells = Window(s);
            const uint32_t n = ReadVarint(cells);
            cReadArray ca(static_cast<int32_t>(std::min<uint32_t>(n, INT32_MAX)), cells);
            while (uint32_t j = ca.next())
                ReadCell(cells, doc, SlotOf(k), SlotOf(j));
        }
    }
}

// The payload: the two header words, then one animation record. Both words need only be positive:
// the record is read up to its end marker, bounded by the block and never by the length word, which
// writers fill in differently and which the system's rounding of clipboard blocks makes unreliable.
// A block that ends before the record does fails.
int ReadRecord(cClipStream& r, cProject& doc, strMessage* error) {
    auto fail = [error](strMessage why) {
        if (error) *error = std::move(why);
        return -1;
    };
    // Only a block that is an animation record to its end is imported.
    if (!CheckLcfAnimationPayload(r.buffer(), error)) return -1;
    const int32_t length = static_cast<int32_t>(r.readU32());
    const int32_t records = static_cast<int32_t>(r.readU32());
    if (length <= 0 || records <= 0) return fail(strMessage(kWhyNot2000, strMessage(kLcfHeaderWords), 0));

    if (!doc.create(0, kMaxCells, 0, 0)) return fail(strMessage(kWhyOutOfMemory));
    doc.applyDefaults();
    doc.setSetting(kKeySplitFormat, 1);
    doc.setSetting(kKeyEditFormat, 2);
    doc.setSetting(kKeyBasicInterval, 1);

    std::string name, title;
    int32_t scope = 0, position = 2; // the LCF defaults when the chunks are absent
    cReadClass rc(kChunkLimit, r);
    for (;;) {
        if (r.atEnd()) // the block ends inside the record
            return fail(
                strMessage(kWhyNot2000, strMessage(kLcfEndsInRecord), static_cast<long long>(r.position())));
        const uint32_t id = rc.next();
        if (id == 0) break;
        switch (id) {
        case 1:
            ReadStringField(r, name, kNameCapacity);
            break;
        case 2:
            ReadStringField(r, title, kNameCapacity);
            break;
        case 6: {
            cClipStream w = Window(r);
            ReadTimings(w, doc);
            break;
        }
        case 9:
            scope = ReadSignedIntField(r);
            break;
        case 10:
            position = ReadSignedIntField(r);
            break;
        case 11:
            ReadBoolField(r);
            break;
        case 12: {
            cClipStream w = Window(r);
            ReadFrames(w, doc);
            break;
        }
        default:
            SkipField(r);
            break;
        }
    }

    doc.setText(kTextName, name);
    doc.setSetting(kKeyCentrePosition, CentreFromScopePosition(scope, position));
    strPicture p;
    p.divX = p.divY = kPatternSize;
    p.hue = 0;
    p.path = title;
    doc.setPicture(0, &p);
    return 1;
}

} // namespace

// ---- payloads ----------------------------------------------------------------------------------

int BuildLcfPayload(const cProject& doc, std::vector<uint8_t>& out) {
    out.clear();
    const strPicture* picture = nullptr;
    for (int i = 0; i < doc.pictureCount() && !picture; ++i)
        picture = doc.picture(i);
    if (!picture) return -1;

    cWrite w;
    w.writeU32(0);
    w.writeU32(0);
    const std::string& name = doc.text(kTextName);
    if (!name.empty()) w.writeStringChunk(1, name);
    const std::string title = interchange::TitleOf(picture->path);
    if (!title.empty()) w.writeStringChunk(2, title);

    cWrite elements;
    uint32_t timings = 0;
    for (int i = 0; i < doc.effectCount(); ++i) {
        const strEffect* e = doc.effect(i);
        if (!e) continue;
        elements.writeVarint(++timings);
        WriteTiming(elements, *e);
    }
    cWrite array;
    array.writeVarint(timings);
    array.append(elements);
    w.writeInnerChunk(6, array);

    int scope = 0, position = 1;
    CentreToScopePosition(doc.getSetting(kKeyCentrePosition), scope, position);
    w.writeIntChunk(9, scope);
    w.writeIntChunk(10, position);

    const int frames = std::clamp(doc.frameCount(), 1, kMaxFrames);
    const int cellLimit = std::clamp(doc.cellNumber(), 1, kMaxCells);
    cWrite frameArray;
    frameArray.writeVarint(static_cast<uint32_t>(frames));
    for (int f = 0; f < frames; ++f) {
        frameArray.writeVarint(static_cast<uint32_t>(f + 1));
        int n = 0;
        for (int c = 0; c < cellLimit; ++c)
            if (doc.cell(f, c)) n = c + 1;
        cWrite cells;
        cells.writeVarint(static_cast<uint32_t>(n));
        for (int c = 0; c < n; ++c) {
            cells.writeVarint(static_cast<uint32_t>(c + 1));
            if (const strCell* cell = doc.cell(f, c))
                WriteCell(cells, *cell);
            else
                cells.writeIntChunk(1, 0); // not visible
            cells.writeEnd();
        }
        frameArray.writeInnerChunk(1, cells);
        frameArray.writeEnd();
    }
    w.writeInnerChunk(12, frameArray);
    w.writeEnd();

    const uint32_t length = w.size() - 8;
    const uint8_t header[8] = {
        uint8_t(length), uint8_t(length >> 8), uint8_t(length >> 16), uint8_t(length >> 24), 1, 0, 0, 0};
    w.writeAt(0, header, 8);
    out = w.buffer();
    return 1;
}

int ReadLcfPayload(std::span<const uint8_t> payload, cProject& doc, strMessage* error) {
    cClipStream s;
    s.assign(std::vector<uint8_t>(payload.begin(), payload.end()));
    return ReadRecord(s, doc, error);
}

// ---- clipboard ---------------------------------------------------------------------------------

int ExportLcf(const cProject& doc, platform::cClipboard& clip, const cConfig&, strMessage* error) {
    std::vector<uint8_t> bytes;
    if (BuildLcfPayload(doc, bytes) != 1) {
        if (error) *error = strMessage(kWhy2000NeedsPicture);
        return -1;
    }
    return clip.write(platform::cClipboard::kFormat2000, bytes) ? 1 : -1;
}

int ImportLcf(cProject& doc, platform::cClipboard& clip, const cConfig&, strMessage* error) {
    cClipStream s;
    if (!s.readFromClipboard(clip, platform::cClipboard::kFormat2000)) {
        if (error) *error = strMessage(kWhyNo2000OnClipboard);
        return -1;
    }
    if (ReadRecord(s, doc, error) != 1) return -1;
    return 1;
}

} // namespace lcf
