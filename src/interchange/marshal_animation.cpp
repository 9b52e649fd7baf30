#include "interchange/marshal_animation.h"

#include "interchange/angles.h"
#include "interchange/battle_position.h"

#include "config/config.h"
#include "document/limits.h"
#include "document/project.h"
#include "interchange/clipboard_formats.h"
#include "interchange/file_name_resolution.h"
#include "interchange/ruby_read.h"
#include "interchange/ruby_write.h"
#include "platform/clipboard.h"
#include "platform/code_page.h"
#include "platform/path.h"

#include <algorithm>
#include <cstdlib>

namespace ruby {

namespace {

// ---- the schema: name tables and their identifiers ---------------------------------------------

enum eName : int {
    // class names
    kClsAnimation = 1,
    kClsFrame,
    kClsTiming,
    kClsSE,
    kClsAudioFile,
    kClsTable,
    kClsColor,
    kClsE,
    // RPG::Animation
    kAnimId = 20,
    kAnimName,
    kAnim1Name,
    kAnim1Hue,
    kAnim2Name,
    kAnim2Hue,
    kAnimPosition,
    kAnimFrameMax,
    kAnimFrames,
    kAnimTimings,
    kAnimXPName,
    kAnimXPHue,
    // RPG::Animation::Frame
    kFrameCellMax = 40,
    kFrameCellData,
    // RPG::Animation::Timing
    kTimingFrame = 50,
    kTimingSE,
    kTimingFlashScope,
    kTimingFlashColor,
    kTimingFlashDuration,
    kTimingCondition,
    // sound effect
    kSEName = 60,
    kSEVolume,
    kSEPitch,
};

struct strNameTables {
    cNameTable classes{{"RPG::Animation", kClsAnimation},
                       {"RPG::Animation::Frame", kClsFrame},
                       {"RPG::Animation::Timing", kClsTiming},
                       {"RPG::SE", kClsSE},
                       {"RPG::AudioFile", kClsAudioFile},
                       {"Table", kClsTable},
                       {"Color", kClsColor},
                       {"E", kClsE}};
    cNameTable animation{{"@id", kAnimId},
                         {"@name", kAnimName},
                         {"@animation1_name", kAnim1Name},
                         {"@animation1_hue", kAnim1Hue},
                         {"@animation2_name", kAnim2Name},
                         {"@animation2_hue", kAnim2Hue},
                         {"@position", kAnimPosition},
                         {"@frame_max", kAnimFrameMax},
                         {"@frames", kAnimFrames},
                         {"@timings", kAnimTimings},
                         {"@animation_name", kAnimXPName},
                         {"@animation_hue", kAnimXPHue}};
    cNameTable frame{{"@cell_max", kFrameCellMax}, {"@cell_data", kFrameCellData}};
    cNameTable timing{{"@frame", kTimingFrame},
                      {"@se", kTimingSE},
                      {"@flash_scope", kTimingFlashScope},
                      {"@flash_color", kTimingFlashColor},
                      {"@flash_duration", kTimingFlashDuration},
                      {"@condition", kTimingCondition}};
    cNameTable sound{{"@name", kSEName}, {"@volume", kSEVolume}, {"@pitch", kSEPitch}};
};

template <class T> T ClampTo(int64_t v, int64_t lo, int64_t hi) {
    return static_cast<T>(std::clamp(v, lo, hi));
}

// Drops a UTF-8 sequence cut off at the end (a text kept to its first 254 bytes may end inside one).
std::string TrimCutUtf8(std::string s) {
    size_t n = s.size();
    size_t i = n;
    while (i > 0 && n - i < 4 && (static_cast<uint8_t>(s[i - 1]) & 0xC0) == 0x80)
        --i;
    if (i == 0) return s;
    auto lead = static_cast<uint8_t>(s[i - 1]);
    size_t want = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (want > 1 && n - (i - 1) < want) s.resize(i - 1);
    return s;
}

std::string Narrow(const std::string& utf8, const std::string& locale) {
    return platform::FromUtf8(TrimCutUtf8(utf8), locale);
}

// ---- export -------------------------------------------------------------------------------------

class cExporter {
  public:
    cExporter(const cProject& doc, int product, const std::string& locale)
        : doc_(doc), product_(product), locale_(locale) {}

    int run(std::vector<uint8_t>& out);

  private:
    std::string utf8(const std::string& narrow) const { return platform::ToUtf8(narrow, locale_); }
    bool writeFrame(cWrite& parent, int index);
    void writeTiming(cWrite& parent, const strEffect& e);

    const cProject& doc_;
    int product_;
    const std::string& locale_;
    cWriteSymbols symbols_;
};

int cExporter::run(std::vector<uint8_t>& out) {
    const bool xp = product_ == interchange::kProductXP;
    symbols_.clear();
    cWrite w0(&symbols_, xp ? kStringPlain : kStringEncoded);
    w0.writeU32(0);
    w0.writeVersion();
    w0.writeArrayHeader(1);
    cWrite w1;
    strObjectScope anim = BeginObject(&w0, &w1, "RPG::Animation");

    w1.writeFixnumIvar("@id", 1);
    w1.writeStringIvar("@name", utf8(doc_.text(kTextName)));
    const strPicture* pic0 = doc_.picture(0);
    const strPicture* pic1 = doc_.picture(1);
    auto title = [&](const strPicture* p) { return p ? utf8(interchange::TitleOf(p->path)) : std::string(); };
    auto hue = [](const strPicture* p) { return p ? static_cast<int32_t>(p->hue) : 0; };
    if (xp) {
        w1.writeStringIvar("@animation_name", title(pic0));
        w1.writeFixnumIvar("@animation_hue", hue(pic0));
    } else {
        w1.writeStringIvar("@animation1_name", title(pic0));
        w1.writeFixnumIvar("@animation1_hue", hue(pic0));
        w1.writeStringIvar("@animation2_name", title(pic1));
        w1.writeFixnumIvar("@animation2_hue", hue(pic1));
    }
    w1.writeFixnumIvar("@position", interchange::PositionToProduct(doc_.getSetting(kKeyCentrePosition)));

    const int frames = std::clamp(doc_.frameCount(), 0, kMaxFrames);
    w1.writeFixnumIvar("@frame_max", frames);
    w1.writeIvarName("@frames");
    w1.writeArrayHeader(frames);
    for (int i = 0; i < frames; ++i)
        if (!writeFrame(w1, i)) return -1;

    std::vector<const strEffect*> timings;
    const auto& effects = doc_.effects();
    for (int i = 0; i < effects.capacity() && static_cast<int>(timings.size()) < kMaxTimings; ++i)
        if (const strEffect* e = effects.get(i)) timings.push_back(e);
    w1.writeIvarName("@timings");
    w1.writeArrayHeader(static_cast<int32_t>(timings.size()));
    for (const strEffect* e : timings)
        writeTiming(w1, *e);

    EndObject(anim);
    const uint32_t size = w0.size();
    const uint8_t word[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
    w0.writeAt(0, word, 4);
    out = w0.buffer();
    symbols_.clear();
    return 1;
}

bool cExporter::writeFrame(cWrite& parent, int index) {
    cWrite w2;
    strObjectScope scope = BeginObject(&parent, &w2, "RPG::Animation::Frame");
    const strFrame* f = doc_.frame(index);
    // An empty frame slot becomes a frame with one row whose pattern is -1.
    const int cells = f ? std::max(f->cells.count(), 1) : 1;
    strTable table;
    if (!table.allocate(cells, 8, 1)) return false;
    for (int x = 0; x < cells; ++x) {
        const strCell* c = f ? f->cells.get(x) : nullptr;
        int16_t row[8] = {-1, 0, 0, 0, 0, 0, 0, 0};
        if (c) CellToRow(*c, product_, row);
        for (int y = 0; y < 8; ++y)
            table.set(x, y, 0, row[y]);
    }
    w2.writeIvarName("@cell_data");
    w2.writeTable(table);
    w2.writeFixnumIvar("@cell_max", cells);
    EndObject(scope);
    return true;
}

void cExporter::writeTiming(cWrite& parent, const strEffect& e) {
    const bool flash = e.flags & strEffect::kFlash;
    cWrite w3;
    strObjectScope scope = BeginObject(&parent, &w3, "RPG::Animation::Timing");
    w3.writeFixnumIvar("@frame", e.startFrame);
    w3.writeFixnumIvar("@flash_duration", flash ? e.flashFrames : 0);
    w3.writeFixnumIvar("@flash_scope", FlashScopeToRuby(e));
    w3.writeIvarName("@flash_color");
    if (flash)
        w3.writeColor(e.flashRed, e.flashGreen, e.flashBlue, e.flashStrength);
    else
        w3.writeColor(100.0, 0.0, 0.0, 0.0);

    w3.writeIvarName("@se");
    cWrite w4;
    strObjectScope se =
        BeginObject(&w3, &w4, product_ == interchange::kProductXP ? "RPG::AudioFile" : "RPG::SE");
    w4.writeStringIvar("@name", utf8(interchange::TitleOf(e.soundPath)));
    w4.writeFixnumIvar("@volume", e.volume);
    w4.writeFixnumIvar("@pitch", e.frequency);
    EndObject(se);

    if (product_ == interchange::kProductXP) w3.writeFixnumIvar("@condition", ConditionToRuby(e));
    EndObject(scope);
}

// ---- import -------------------------------------------------------------------------------------

class cImporter {
  public:
    cImporter(cProject& doc, const std::string& locale) : doc_(doc), locale_(locale), reader_(&symbols_) {}

    int run(std::span<const uint8_t> payload, strMessage* error);

  private:
    // "not an RPG Maker XP, VX or VX Ace animation: WHY (byte N)".
    int fail(strMessage* error, eMessageId why, uint32_t at = 0) {
        if (error) *error = strMessage(kWhyNotMarshal, strMessage(why), static_cast<long long>(at));
        return -1;
    }
    int fail(strMessage* error, strMessage why) {
        if (error) *error = std::move(why);
        return -1;
    }
    void readAnimationIvar(int id);
    void readFrames();
    void readFrame(int index);
    void applyTable(int index, const strTable& table);
    void readTimings();
    void readTiming(int32_t count);
    void readSound(strEffect& e);
    std::string readText() {
        std::string s;
        return reader_.readString(s) > 0 ? Narrow(s, locale_) : std::string();
    }

    cProject& doc_;
    const std::string& locale_;
    cReadSymbols symbols_;
    cRead reader_;
    strNameTables names_;
    std::string pictureName_[2];
    int pictureHue_[2] = {0, 0};
    bool xp_ = false; // an XP animation (its one picture named before its frames, as XP writes it)
    long long frames_ = 0, effects_ = 0; // as many as the payload holds, past the limits too
};

int cImporter::run(std::span<const uint8_t> payload, strMessage* error) {
    if (!doc_.create(cConfig::kMinFrameCapacity, kImportCells, cConfig::kMinPictureCapacity,
                     cConfig::kMinEffectCapacity))
        return fail(error, strMessage(kWhyOutOfMemory));
    doc_.applyDefaults();
    doc_.setSetting(kKeySplitFormat, 1);
    doc_.setSetting(kKeyEditFormat, 2);
    doc_.setSetting(kKeyLock, 0);
    doc_.setSetting(kKeyBasicInterval, 1);

    if (payload.size() < 6) return fail(error, kRubyShort);
    if (payload.size() > UINT32_MAX) return fail(error, kRubyLarge);
    // The length word is not read: writers disagree on what it counts, and a clipboard block may
    // be longer than its data. The dump runs to the end of the block; bytes after it are not read.
    reader_.assign(std::vector<uint8_t>(payload.begin(), payload.end()));
    reader_.skip(4);
    if (reader_.readByte() != kMajorVersion || reader_.readByte() > kMinorVersion)
        return fail(error, kRubyVersion, 4);
    if (reader_.readArrayLength() <= 0) return fail(error, kRubyNoArray, 6);

    reader_.pushNames(&names_.classes);
    const int found = reader_.readObject({kClsAnimation}, [&](int32_t count) {
        reader_.pushNames(&names_.animation);
        for (int32_t k = 0; k < count && !reader_.failed(); ++k)
            readAnimationIvar(reader_.readSymbolId());
        reader_.popNames();
    });
    reader_.popNames();
    if (reader_.failed()) return fail(error, reader_.error(), reader_.errorPosition());
    if (!found) return fail(error, kRubyNoAnimation, 6);
    // An animation larger than a project is refused, not cut.
    if (frames_ > ::kMaxFrames) return fail(error, LimitMessage(kWhyTooManyFrames, frames_, ::kMaxFrames));
    if (effects_ > kMaxEffects) return fail(error, LimitMessage(kWhyTooManyEffects, effects_, kMaxEffects));

    for (int slot = 0; slot < 2; ++slot) {
        if (pictureName_[slot].empty()) continue;
        strPicture p;
        p.divX = p.divY = kImportDivisions;
        p.hue = ClampTo<uint16_t>(pictureHue_[slot], 0, 360);
        p.path = pictureName_[slot];
        doc_.setPicture(slot, &p);
    }
    return 1;
}

void cImporter::readAnimationIvar(int id) {
    switch (id) {
    case kAnimName: {
        std::string s;
        if (reader_.readString(s) > 0) doc_.setText(kTextName, Narrow(s, locale_));
        break;
    }
    case kAnimXPName:
        xp_ = true;
        [[fallthrough]];
    case kAnim1Name:
        if (std::string s = readText(); !s.empty()) pictureName_[0] = s;
        break;
    case kAnim2Name:
        if (std::string s = readText(); !s.empty()) pictureName_[1] = s;
        break;
    case kAnimXPHue:
        xp_ = true;
        [[fallthrough]];
    case kAnim1Hue:
        pictureHue_[0] = reader_.readFixnum();
        break;
    case kAnim2Hue:
        pictureHue_[1] = reader_.readFixnum();
        break;
    case kAnimPosition:
        doc_.setSetting(kKeyCentrePosition, interchange::PositionFromProduct(reader_.readFixnum()));
        break;
    case kAnimFrames:
        readFrames();
        break;
    case kAnimTimings:
        readTimings();
        break;
    case kAnimId:
    case kAnimFrameMax:
        reader_.readFixnum();
        break;
    default:
        reader_.skipValue();
        break;
    }
}

void cImporter::readFrames() {
    reader_.readArray([&](int32_t n) {
        frames_ = std::max<long long>(frames_, n);
        for (int i = 0; i < n && i < doc_.frameCapacity(); ++i)
            doc_.replaceFrame(i, &doc_.blankFrame());
        reader_.pushNames(&names_.frame);
        for (int32_t i = 0; i < n && !reader_.failed(); ++i)
            readFrame(i);
        reader_.popNames();
    });
}

void cImporter::readFrame(int index) {
    reader_.readObject({kClsFrame}, [&](int32_t count) {
        for (int32_t k = 0; k < count && !reader_.failed(); ++k) {
            switch (reader_.readSymbolId()) {
            case kFrameCellMax:
                reader_.readFixnum();
                break;
            case kFrameCellData: {
                strTable table;
                if (reader_.readTable(table, kClsTable) != 0) applyTable(index, table);
                break;
            }
            default:
                reader_.skipValue();
                break;
            }
        }
    });
}

void cImporter::applyTable(int index, const strTable& table) {
    if (!doc_.frame(index)) return;
    const int cells = std::min(table.xsize, doc_.cellNumber());
    for (int x = 0; x < cells; ++x) {
        int16_t row[8];
        for (int y = 0; y < 8; ++y)
            row[y] = table.at(x, y, 0); // outside the data: 0
        strCell c;
        if (CellFromRow(row, c, xp_)) doc_.setCell(index, x, &c);
    }
}

void cImporter::readTimings() {
    reader_.readArray([&](int32_t n) {
        reader_.pushNames(&names_.timing);
        for (int32_t i = 0; i < n && !reader_.failed(); ++i)
            reader_.readObject({kClsTiming}, [&](int32_t count) { readTiming(count); });
        reader_.popNames();
    });
}

void cImporter::readTiming(int32_t count) {
    strEffect e;
    e.flags = 0;
    for (int32_t k = 0; k < count && !reader_.failed(); ++k) {
        switch (reader_.readSymbolId()) {
        case kTimingFrame:
            e.startFrame = ClampTo<uint16_t>(reader_.readFixnum(), 0, 65535);
            break;
        case kTimingSE:
            readSound(e);
            break;
        case kTimingFlashScope:
            FlashScopeFromRuby(reader_.readFixnum(), e);
            break;
        case kTimingFlashColor: {
            uint32_t c = reader_.readColor(kClsColor);
            e.flashRed = uint8_t(c);
            e.flashGreen = uint8_t(c >> 8);
            e.flashBlue = uint8_t(c >> 16);
            e.flashStrength = uint8_t(c >> 24);
            break;
        }
        case kTimingFlashDuration:
            e.flashFrames = ClampTo<uint16_t>(reader_.readFixnum(), 0, 65535);
            break;
        case kTimingCondition:
            ConditionFromRuby(reader_.readFixnum(), e);
            break;
        default:
            reader_.skipValue();
            break;
        }
    }
    e.resetClearedBlocks();
    if ((e.flags & (strEffect::kFlash | strEffect::kSound | strEffect::kUserData)) &&
        ++effects_ <= kMaxEffects)
        doc_.addEffect(e);
}

void cImporter::readSound(strEffect& e) {
    reader_.readObject({kClsSE, kClsAudioFile}, [&](int32_t count) {
        reader_.pushNames(&names_.sound);
        for (int32_t k = 0; k < count && !reader_.failed(); ++k) {
            switch (reader_.readSymbolId()) {
            case kSEName:
                if (std::string s = readText(); !s.empty()) {
                    e.soundPath = s;
                    e.flags |= strEffect::kSound;
                }
                break;
            case kSEVolume:
                e.volume = ClampTo<uint16_t>(reader_.readFixnum(), 0, 65535);
                break;
            case kSEPitch:
                e.frequency = ClampTo<uint16_t>(reader_.readFixnum(), 0, 65535);
                break;
            default:
                reader_.skipValue();
                break;
            }
        }
        reader_.popNames();
    });
}

} // namespace

// ---- value maps ---------------------------------------------------------------------------------

int BlendToRuby(int drawing) {
    return drawing >= 0 && drawing <= 2 ? drawing : 0;
}
int BlendFromRuby(int blend) {
    return blend >= 0 && blend <= 2 ? blend : 0;
}

int FlashScopeToRuby(const strEffect& e) {
    if (!(e.flags & strEffect::kFlash)) return 0;
    switch (e.flashObject) {
    case 0:
        return 2;
    case 1:
        return 1;
    case 2:
        return 3;
    default:
        return 0;
    }
}

void FlashScopeFromRuby(int scope, strEffect& e) {
    e.flags |= strEffect::kFlash;
    switch (scope) {
    case 1:
        e.flashObject = 1;
        e.flashDrawing = 0;
        break;
    case 2:
        e.flashObject = 0;
        e.flashDrawing = 0;
        break;
    case 3:
        e.flashObject = 2;
        break;
    default:
        e.flags &= static_cast<uint8_t>(~strEffect::kFlash);
        break;
    }
}

int ConditionToRuby(const strEffect& e) {
    if (!(e.flags & strEffect::kUserData)) return 0;
    if (e.userData == "HIT") return 1;
    if (e.userData == "MISS") return 2;
    return 0;
}

void ConditionFromRuby(int condition, strEffect& e) {
    if (condition == 1) {
        e.userData = "HIT";
        e.flags |= strEffect::kUserData;
    } else if (condition == 2) {
        e.userData = "MISS";
        e.flags |= strEffect::kUserData;
    }
}

void CellToRow(const strCell& c, int product, int16_t row[8]) {
    const int pattern = static_cast<int>(c.pattern) - 1;
    if (product == interchange::kProductXP)
        row[0] = ClampTo<int16_t>(pattern, 0, 32767);
    else
        row[0] = static_cast<int16_t>(std::clamp(pattern, 0, 99) + (c.picture != 0 ? 100 : 0));
    row[1] = c.x;
    row[2] = c.y;
    row[3] = ClampTo<int16_t>(std::max(std::abs(int(c.mx)), std::abs(int(c.my))), 20, 800);
    // Whole degrees 0..359, turning the other way.
    row[4] = static_cast<int16_t>((interchange::RoundToDegrees(-int(c.angle)) % 360 + 360) % 360);
    row[5] = c.mx < 1 ? 1 : 0;
    row[6] = c.opacity;
    row[7] = static_cast<int16_t>(BlendToRuby(c.blend));
}

bool CellFromRow(const int16_t row[8], strCell& c, bool onePicture) {
    const int p = row[0];
    if (p < 0) return false;
    c = strCell{};
    c.picture = !onePicture && p >= 100 ? 1 : 0;
    c.pattern = static_cast<uint16_t>((onePicture ? p : p % 100) + 1);
    c.x = row[1];
    c.y = row[2];
    // Held to the document's ranges here so that the 16-bit fields cannot wrap.
    const int zoom = std::min(std::abs(int(row[3])), 1000);
    c.mx = static_cast<int16_t>(row[5] >= 1 ? -zoom : zoom);
    c.my = static_cast<int16_t>(zoom);
    c.angle = static_cast<int16_t>(interchange::NormaliseTenths(int64_t(row[4]) * -10));
    c.opacity = static_cast<uint8_t>(row[6] & 0xFF);
    c.blend = static_cast<uint8_t>(BlendFromRuby(row[7]));
    return true;
}

// ---- payloads -----------------------------------------------------------------------------------

int BuildMarshalPayload(const cProject& doc, int product, const std::string& locale,
                        std::vector<uint8_t>& out) {
    out.clear();
    if (!interchange::MarshalFormatName(product)) return -1;
    cExporter exporter(doc, product, locale);
    return exporter.run(out);
}

int ReadMarshalPayload(std::span<const uint8_t> payload, cProject& doc, const std::string& locale,
                       strMessage* error) {
    cImporter importer(doc, locale);
    return importer.run(payload, error);
}

int ExportMarshal(const cProject& doc, int product, platform::cClipboard& clip, const cConfig& config,
                  strMessage* error) {
    std::vector<uint8_t> bytes;
    if (BuildMarshalPayload(doc, product, config.Locale, bytes) != 1) {
        if (error)
            *error = strMessage(interchange::MarshalFormatName(product) ? kWhyOutOfMemory : kWhyNoExport);
        return -1;
    }
    cClipStream stream;
    stream.assign(std::move(bytes));
    return stream.writeToClipboard(clip, clip.registerFormat(interchange::MarshalFormatName(product))) ? 1
                                                                                                       : -1;
}

int ImportMarshal(cProject& doc, platform::cClipboard& clip, const cConfig& config, strMessage* error) {
    cClipStream stream;
    bool found = false;
    for (const char* name :
         {interchange::kFormatNameVXAce, interchange::kFormatNameVX, interchange::kFormatNameXP}) {
        uint32_t format = clip.registerFormat(name);
        if (format != 0 && clip.isAvailable(format)) {
            found = stream.readFromClipboard(clip, format);
            break;
        }
    }
    if (!found) {
        if (error) *error = strMessage(kWhyNoMarshalOnClipboard);
        return -1;
    }
    if (ReadMarshalPayload(stream.buffer(), doc, config.Locale, error) != 1) return -1;
    return 1;
}

} // namespace ruby
