#include "interchange/mv_animation.h"

#include "interchange/angles.h"
#include "interchange/battle_position.h"

#include "config/config.h"
#include "document/limits.h"
#include "document/project.h"
#include "interchange/clip_stream.h"
#include "interchange/clipboard_formats.h"
#include "interchange/file_name_resolution.h"
#include "platform/clipboard.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace mv {

using json = nlohmann::json;

// ---- value maps --------------------------------------------------------------------------------

int FlashScopeToMv(int object) {
    switch (object) {
    case 0:
        return 2;
    case 1:
        return 1;
    default:
        return 3;
    }
}

int FlashObjectFromMv(int scope) {
    switch (scope) {
    case 1:
        return 1;
    case 2:
        return 0;
    case 3:
        return 2;
    default:
        return 0;
    }
}

int BlendToMv(int drawing) {
    switch (drawing) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 3:
        return 2;
    case 4:
        return 3;
    default:
        return 0;
    }
}

int BlendFromMv(int blend) {
    switch (blend) {
    case 0:
        return 0;
    case 1:
        return 1;
    case 2:
        return 3;
    case 3:
        return 4;
    default:
        return 0;
    }
}

namespace {

// A JSON number truncated toward zero and held to lo..hi (NaN gives 0).
int64_t Trunc(double v, int64_t lo, int64_t hi) {
    if (std::isnan(v)) return 0;
    v = std::trunc(v);
    if (v <= static_cast<double>(lo)) return lo;
    if (v >= static_cast<double>(hi)) return hi;
    return static_cast<int64_t>(v);
}

// The low 8 bits of a truncated number (as an integer conversion would keep them).
uint8_t Low8(double v) {
    return static_cast<uint8_t>(Trunc(v, INT64_MIN / 2, INT64_MAX / 2) & 0xFF);
}

int16_t To16(double v) {
    return static_cast<int16_t>(Trunc(v, -32767, 32767));
}

} // namespace

void CellToMv(const strCell& c, int v[8]) {
    v[0] = std::clamp(c.pattern - 1, 0, 99) + (c.picture != 0 ? 100 : 0);
    v[1] = c.x;
    v[2] = c.y;
    v[3] = std::max(std::abs(int(c.mx)), std::abs(int(c.my)));
    v[4] = interchange::RoundToDegrees(c.angle);
    v[5] = c.mx < 1 ? 1 : 0;
    v[6] = c.opacity;
    v[7] = BlendToMv(c.blend);
}

bool CellFromMv(const double v[8], const bool present[8], strCell& c) {
    c = strCell{};
    if (present[0]) {
        const int64_t p = Trunc(v[0], INT32_MIN, INT32_MAX);
        if (p < 0) return false;
        c.picture = p > 99 ? 1 : 0;
        c.pattern = static_cast<uint16_t>(std::min<int64_t>(p < 100 ? p + 1 : p - 100 + 1, 65535));
    }
    if (present[1]) c.x = To16(v[1]);
    if (present[2]) c.y = To16(v[2]);
    if (present[3]) c.mx = c.my = To16(v[3]);
    if (present[5] && Trunc(v[5], -1, 1) != 0) c.mx = static_cast<int16_t>(-c.mx);
    if (present[4])
        c.angle = static_cast<int16_t>(interchange::NormaliseTenths(Trunc(v[4], INT32_MIN, INT32_MAX) * 10));
    if (present[6]) c.opacity = Low8(v[6]);
    if (present[7]) c.blend = static_cast<uint8_t>(BlendFromMv(static_cast<int>(Trunc(v[7], -1, 4))));
    return true;
}

namespace {

// ---- export ------------------------------------------------------------------------------------

json TimingToMv(const strEffect& e, const std::string& locale) {
    json t = json::object();
    const bool flash = e.flags & strEffect::kFlash;
    json colour = json::array();
    if (flash) {
        for (int v : {int(e.flashRed), int(e.flashGreen), int(e.flashBlue), int(e.flashStrength)})
            colour.push_back(v);
    } else {
        for (int v : {255, 0, 0, 0})
            colour.push_back(v);
    }
    t["flashColor"] = std::move(colour);
    t["flashDuration"] = flash ? int(e.flashFrames) : 0;
    t["flashScope"] = flash ? FlashScopeToMv(e.flashObject) : 0;
    t["frame"] = int(e.startFrame);
    if (e.flags & strEffect::kSound) {
        json se = json::object();
        se["name"] = platform::ToUtf8(interchange::TitleOf(e.soundPath), locale);
        se["pan"] = int(e.balance) - 100;
        se["pitch"] = int(e.frequency);
        se["volume"] = int(e.volume);
        t["se"] = std::move(se);
    } else {
        t["se"] = nullptr;
    }
    return t;
}

json AnimationToMv(const cProject& doc, const std::string& locale) {
    json a = json::object();
    for (int i = 0; i < 2; ++i) {
        const strPicture* p = doc.picture(i);
        const std::string n = std::to_string(i + 1);
        a["animation" + n + "Hue"] = p ? int(p->hue) : 0;
        a["animation" + n + "Name"] =
            p ? platform::ToUtf8(interchange::TitleOf(p->path), locale) : std::string();
    }
    json frames = json::array();
    const int frameCount = std::clamp(doc.frameCount(), 0, kMaxFrames);
    for (int f = 0; f < frameCount; ++f) {
        // An empty frame slot is a frame without cells, so that the frames after it and the
        // timings keep their places.
        const strFrame* frame = doc.frame(f);
        int cells = 0;
        for (int c = 0; frame && c < std::min(frame->cells.capacity(), kMaxCells); ++c)
            if (frame->cells.get(c)) cells = c + 1;
        json row = json::array();
        for (int c = 0; c < cells; ++c) {
            json cell = json::array();
            if (const strCell* x = frame->cells.get(c)) {
                int v[8];
                CellToMv(*x, v);
                for (int k = 0; k < 8; ++k)
                    cell.push_back(v[k]);
            }
            row.push_back(std::move(cell));
        }
        frames.push_back(std::move(row));
    }
    a["frames"] = std::move(frames);
    a["id"] = 1;
    a["name"] = platform::ToUtf8(doc.text(kTextName), locale);
    a["position"] = interchange::PositionToProduct(doc.getSetting(kKeyCentrePosition));
    json timings = json::array();
    const int effectCount = std::clamp(doc.effectCount(), 0, kMaxTimings);
    for (int i = 0; i < effectCount; ++i)
        if (const strEffect* e = doc.effect(i)) timings.push_back(TimingToMv(*e, locale));
    a["timings"] = std::move(timings);
    return a;
}

// ---- import ------------------------------------------------------------------------------------

// The deepest nesting of arrays and objects in a JSON text (strings skipped), stopping early once
// it passes limit.
int NestingDepth(std::span<const uint8_t> text, int limit) {
    int depth = 0, deepest = 0;
    bool inString = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const uint8_t ch = text[i];
        if (inString) {
            if (ch == '\\')
                ++i;
            else if (ch == '"')
                inString = false;
        } else if (ch == '"') {
            inString = true;
        } else if (ch == '[' || ch == '{') {
            deepest = std::max(deepest, ++depth);
            if (deepest > limit) break;
        } else if (ch == ']' || ch == '}') {
            --depth;
        }
    }
    return deepest;
}

bool Number(const json& o, const char* key, double& out) {
    auto it = o.find(key);
    if (it == o.end() || !it->is_number()) return false;
    out = it->get<double>();
    return true;
}

const json* Member(const json& o, const char* key) {
    auto it = o.find(key);
    return it == o.end() ? nullptr : &*it;
}

// "not an RPG Maker MV animation: WHY"; a limit or a lack of memory is said as it is.
struct cFail {
    strMessage* error;
    int operator()(strMessage why) const {
        if (error) *error = strMessage(kWhyNotMv, std::move(why));
        return -1;
    }
    int operator()(eMessageId why) const { return (*this)(strMessage(why)); }
    int plain(strMessage why) const {
        if (error) *error = std::move(why);
        return -1;
    }
};
strMessage Missing(const char* field, eMessageId kind) {
    return strMessage(kMvFieldMissing, field, strMessage(kind));
}

int ReadTiming(const json& t, cProject& doc, const std::string& locale) {
    strEffect e;
    double v = 0;
    if (Number(t, "frame", v)) e.startFrame = static_cast<uint16_t>(Trunc(v, 0, 65535));
    if (Number(t, "flashScope", v) && Trunc(v, INT32_MIN, INT32_MAX) != 0) {
        e.flags |= strEffect::kFlash;
        e.flashDrawing = 0;
        e.flashObject = static_cast<uint8_t>(FlashObjectFromMv(static_cast<int>(Trunc(v, -1, 4))));
        if (Number(t, "flashDuration", v)) e.flashFrames = static_cast<uint16_t>(Trunc(v, 0, 65535));
        const json* colour = Member(t, "flashColor");
        if (colour && colour->is_array() && colour->size() == 4) {
            uint8_t* targets[4] = {&e.flashRed, &e.flashGreen, &e.flashBlue, &e.flashStrength};
            for (size_t k = 0; k < 4; ++k)
                if ((*colour)[k].is_number()) *targets[k] = Low8((*colour)[k].get<double>());
        }
    }
    const json* se = Member(t, "se");
    if (se && se->is_object()) {
        const json* name = Member(*se, "name");
        if (name && name->is_string()) {
            e.flags |= strEffect::kSound;
            e.soundPath = platform::FromUtf8(name->get_ref<const std::string&>(), locale);
        }
        if (Number(*se, "volume", v)) e.volume = static_cast<uint16_t>(Trunc(v, 0, 100));
        if (Number(*se, "pitch", v)) e.frequency = static_cast<uint16_t>(Trunc(v, 0, 200));
        if (Number(*se, "pan", v)) e.balance = static_cast<uint16_t>(Trunc(v, -100, 100) + 100);
    }
    doc.addEffect(e);
    return 1;
}

int ReadAnimation(const json& top, cProject& doc, const std::string& locale, const cFail& fail) {
    if (!top.is_array()) return fail(kMvTopNotArray);
    if (top.empty()) return fail(kMvTopEmpty);
    const json& a = top[0];
    if (!a.is_object()) return fail(kMvNotObject);

    if (!doc.create(0, kMaxCells, 0, 0)) return fail.plain(strMessage(kWhyOutOfMemory));
    doc.applyDefaults();
    doc.setSetting(kKeySplitFormat, 1);
    doc.setSetting(kKeyEditFormat, 2);
    doc.setSetting(kKeyLock, 0);
    doc.setSetting(kKeyBasicInterval, 1);

    const json* name = Member(a, "name");
    if (!name || !name->is_string()) return fail(Missing("name", kMvString));
    doc.setText(kTextName, platform::FromUtf8(name->get_ref<const std::string&>(), locale));

    double v = 0;
    if (!Number(a, "position", v)) return fail(Missing("position", kMvNumber));
    doc.setSetting(kKeyCentrePosition, interchange::PositionFromProduct(static_cast<int>(Trunc(v, -1, 4))));

    for (int i = 0; i < 2; ++i) {
        const std::string n = std::to_string(i + 1);
        strPicture p;
        p.divX = p.divY = kPatternSize;
        p.hue = 0;
        const json* title = Member(a, ("animation" + n + "Name").c_str());
        if (title && title->is_string())
            p.path = platform::FromUtf8(title->get_ref<const std::string&>(), locale);
        if (Number(a, ("animation" + n + "Hue").c_str(), v)) p.hue = static_cast<uint16_t>(Trunc(v, 0, 360));
        if (!p.path.empty()) doc.setPicture(i, &p);
    }

    const json* frames = Member(a, "frames");
    if (!frames || !frames->is_array()) return fail(Missing("frames", kMvArray));
    if (frames->empty()) return fail(kMvFramesEmpty);
    // An animation larger than a project is refused, not cut.
    if (frames->size() > size_t(::kMaxFrames))
        return fail.plain(
            LimitMessage(kWhyTooManyFrames, static_cast<long long>(frames->size()), ::kMaxFrames));
    const size_t frameSlots = std::min(frames->size(), static_cast<size_t>(doc.frameCapacity()));
    for (size_t f = 0; f < frameSlots; ++f)
        doc.frameOrCreate(static_cast<int>(f));
    for (size_t f = 0; f < frames->size(); ++f) {
        const json& row = (*frames)[f];
        if (!row.is_array()) return fail(strMessage(kMvFrameNotArray, static_cast<long long>(f)));
        for (size_t c = 0; c < row.size(); ++c) {
            const json& cell = row[c];
            if (!cell.is_array())
                return fail(
                    strMessage(kMvCellNotArray, static_cast<long long>(c), static_cast<long long>(f)));
            if (cell.size() < 8 || f >= frameSlots || c >= static_cast<size_t>(kMaxCells)) continue;
            double values[8] = {};
            bool present[8] = {};
            for (int k = 0; k < 8; ++k)
                if (cell[k].is_number()) {
                    values[k] = cell[k].get<double>();
                    present[k] = true;
                }
            strCell x;
            if (CellFromMv(values, present, x)) doc.setCell(static_cast<int>(f), static_cast<int>(c), &x);
        }
    }

    const json* timings = Member(a, "timings");
    if (!timings || !timings->is_array()) return fail(Missing("timings", kMvArray));
    if (timings->size() > size_t(kMaxEffects))
        return fail.plain(
            LimitMessage(kWhyTooManyEffects, static_cast<long long>(timings->size()), kMaxEffects));
    for (size_t k = 0; k < timings->size(); ++k) {
        const json& t = (*timings)[k];
        if (!t.is_object()) return fail(strMessage(kMvTimingNotObject, static_cast<long long>(k)));
        ReadTiming(t, doc, locale);
    }
    return 1;
}

} // namespace

// ---- payloads ----------------------------------------------------------------------------------

int BuildMvPayload(const cProject& doc, const std::string& locale, std::string& out) {
    out.clear();
    try {
        json top = json::array();
        top.push_back(AnimationToMv(doc, locale));
        out = top.dump(-1, ' ', false, json::error_handler_t::replace);
        return 1;
    } catch (const std::exception&) {
        out.clear();
        return -1;
    }
}

int ReadMvPayload(std::span<const uint8_t> payload, cProject& doc, const std::string& locale,
                  strMessage* error) {
    const cFail fail{error};
    if (payload.size() > kMaxPayload) return fail(kMvTooLarge);
    if (NestingDepth(payload, kMaxDepth) > kMaxDepth) return fail(kMvTooDeep);
    try {
        json top = json::parse(payload.begin(), payload.end(), nullptr, /*allow_exceptions=*/false);
        if (top.is_discarded()) return fail(kMvNotJson);
        return ReadAnimation(top, doc, locale, fail);
    } catch (const std::exception&) {
        // Typed access is checked before every use; this only catches what the library may still
        // raise (allocation failure included).
        return fail(kMvUnreadable);
    }
}

// ---- clipboard ---------------------------------------------------------------------------------

int ExportMv(const cProject& doc, platform::cClipboard& clip, const cConfig& config, strMessage* error) {
    std::string text;
    // Building fails only when the JSON library cannot allocate.
    if (BuildMvPayload(doc, config.Locale, text) != 1) {
        if (error) *error = strMessage(kWhyOutOfMemory);
        return -1;
    }
    const uint32_t format = clip.registerFormat(interchange::kFormatNameMV);
    if (format == 0) return -1;
    return clip.write(format, std::vector<uint8_t>(text.begin(), text.end())) ? 1 : -1;
}

int ImportMv(cProject& doc, platform::cClipboard& clip, const cConfig& config, strMessage* error) {
    cClipStream s;
    const uint32_t format = clip.registerFormat(interchange::kFormatNameMV);
    if (format == 0 || !s.readFromClipboard(clip, format)) {
        if (error) *error = strMessage(kWhyNoMvOnClipboard);
        return -1;
    }
    if (ReadMvPayload(std::span<const uint8_t>(s.buffer()), doc, config.Locale, error) != 1) return -1;
    return 1;
}

} // namespace mv
