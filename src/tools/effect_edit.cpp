#include "tools/effect_edit.h"

#include "config/config.h"
#include "document/project.h"
#include "platform/path.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {

std::string cut(const std::string& s, size_t n) {
    return s.size() > n ? s.substr(0, n) : s;
}

} // namespace

void cEffectEdit::load(const strEffect& e, int frameCapacity) {
    startFrame = std::clamp<int>(e.startFrame, 0, std::max(frameCapacity, 0));
    sound = (e.flags & strEffect::kSound) != 0;
    soundPath = cut(e.soundPath, kMaxText);
    volume = std::clamp<int>(e.volume, 1, 100);
    frequency = std::clamp<int>(e.frequency, 1, 200);
    balance = std::clamp<int>(e.balance, 0, 200);
    flash = (e.flags & strEffect::kFlash) != 0;
    flashFrames = flash ? std::clamp<int>(e.flashFrames, 0, 255) : kFlashFramesWhenOff;
    object = std::clamp<int>(e.flashObject, 0, 2);
    drawing = std::clamp<int>(e.flashDrawing, 0, 3);
    red = e.flashRed;
    green = e.flashGreen;
    blue = e.flashBlue;
    strength = e.flashStrength;
    userDataOn = (e.flags & strEffect::kUserData) != 0;
    userData = cut(e.userData, kMaxText);
}

void cEffectEdit::apply(strEffect& e) const {
    auto u8 = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };

    e.startFrame = static_cast<uint16_t>(std::clamp(startFrame, 0, 0xFFFF));

    if (sound) {
        e.flags |= strEffect::kSound;
        e.volume = static_cast<uint16_t>(std::clamp(volume, 1, 100));
        e.frequency = static_cast<uint16_t>(std::clamp(frequency, 1, 200));
        e.balance = static_cast<uint16_t>(std::clamp(balance, 0, 200));
        e.soundPath = cut(soundPath, kMaxText);
    } else {
        e.flags &= static_cast<uint8_t>(~strEffect::kSound);
    }

    if (flash) {
        e.flags |= strEffect::kFlash;
        e.flashObject = static_cast<uint8_t>(std::clamp(object, 0, 2));
        e.flashFrames = static_cast<uint16_t>(std::clamp(flashFrames, 0, 255));
        if (e.flashObject != 2) {
            e.flashDrawing = static_cast<uint8_t>(std::clamp(drawing, 0, 3));
            e.flashRed = u8(red);
            e.flashGreen = u8(green);
            e.flashBlue = u8(blue);
            e.flashStrength = u8(strength);
        } else {
            e.flashDrawing = 0;
            e.flashRed = 128;
            e.flashGreen = 128;
            e.flashBlue = 128;
            e.flashStrength = 255;
        }
    } else {
        e.flags &= static_cast<uint8_t>(~strEffect::kFlash);
    }

    if (userDataOn) {
        e.flags |= strEffect::kUserData;
        e.userData = cut(userData, kMaxText);
    } else {
        e.flags &= static_cast<uint8_t>(~strEffect::kUserData);
    }
    e.resetClearedBlocks(); // the blocks switched off keep nothing
}

void cEffectEdit::clearColour() {
    red = 128;
    green = 128;
    blue = 128;
    strength = 255;
}

std::string cEffectEdit::title(int index) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "Effect : %d", index);
    return buf;
}

std::pair<int, int> cPictureEdit::newDivisions(const cConfig& config, int splitFormat, bool rm2000) {
    constexpr int kSheetSize = 192, kSheetSize2000 = 96, kSheetPatterns = 5;
    const bool bySize = splitFormat != 0;
    int x = std::clamp(config.Init_CutX, 1, 1024);
    int y = std::clamp(config.Init_CutY, 1, 1024);
    if ((config.Init_Div != 0) != bySize) x = y = bySize ? kSheetSize : kSheetPatterns;
    if (bySize && rm2000 && x == kSheetSize && y == kSheetSize) x = y = kSheetSize2000;
    return {x, y};
}

void cPictureEdit::load(const strPicture& p, int projectSplitFormat) {
    path = cut(p.path, cEffectEdit::kMaxText);
    divX = std::clamp<int>(p.divX, 1, 1024);
    divY = std::clamp<int>(p.divY, 1, 1024);
    hue = std::clamp<int>(p.hue, 0, 360);
    splitFormat = projectSplitFormat;
}

void cPictureEdit::apply(strPicture& p) const {
    p.divX = static_cast<uint16_t>(std::clamp(divX, 1, 1024));
    p.divY = static_cast<uint16_t>(std::clamp(divY, 1, 1024));
    p.hue = static_cast<uint16_t>(std::clamp(hue, 0, 360));
    p.path = cut(path, cEffectEdit::kMaxText);
}

std::string cPictureEdit::title(int index) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "Image : %d", index);
    return buf;
}

std::string DroppedFilePath(const std::string& given, const std::string& baseFolder) {
    if (given.empty()) return given;
    std::string file = given;
    if (!platform::IsAbsolute(file)) {
        // A file named relative to the current folder is stored by where it is.
        std::error_code ec;
        const std::string here = std::filesystem::current_path(ec).string();
        if (!ec) file = platform::Canonicalise(platform::JoinPath(here, file));
    }
    if (baseFolder.empty()) return file;
    auto unify = [](std::string s) {
        std::replace(s.begin(), s.end(), '\\', '/');
        return s;
    };
    const std::string canonical = platform::Canonicalise(file);
    const std::string f = unify(canonical);
    std::string b = unify(platform::Canonicalise(baseFolder));
    if (b.empty() || b == ".") return file;
    if (b.back() != '/') b += '/';
    if (f.size() <= b.size() || f.compare(0, b.size(), b) != 0) return file;
    return canonical.substr(b.size()); // the separators as the file gave them
}
