#include "document/anime_file_device.h"

#include "document/file_reason.h"
#include "document/project.h"
#include "platform/file_io.h"

#include <cstring>

namespace anime {

namespace {

constexpr size_t kDetectBytes = 16;
constexpr size_t kMaxFileBytes = size_t(256) << 20; // the largest project file read

std::string nameOf(const std::string& path) {
    size_t p = path.find_last_of("/\\");
    return p == std::string::npos ? path : path.substr(p + 1);
}

} // namespace

int cAnimeFileDevice::fail(strMessage why) {
    error_ = std::move(why);
    return -1;
}

int cAnimeFileDevice::detectFormat(std::span<const uint8_t> head, int* version) {
    if (version) *version = 0;
    if (head.size() < kDetectBytes) return kFormatUnknown;
    const char* p = reinterpret_cast<const char*>(head.data());
    int format = kFormatUnknown;
    if (std::memcmp(p, "PELK_BIN", 8) == 0)
        format = kFormatBinary;
    else if (std::memcmp(p, "PELK_TEX", 8) == 0)
        format = kFormatText;
    else if (std::memcmp(p, "nani", 4) == 0)
        return kFormatLegacy;
    if (format != kFormatUnknown && version) {
        int v = 0;
        for (int i = 8; i < 12 && p[i] >= '0' && p[i] <= '9'; ++i)
            v = v * 10 + (p[i] - '0');
        *version = v;
    }
    return format;
}

int cAnimeFileDevice::detectFormatFile(const std::string& path, int* version) {
    std::vector<uint8_t> bytes;
    if (!platform::ReadWholeFile(path, bytes)) return kFormatUnknown;
    return detectFormat(bytes, version);
}

int cAnimeFileDevice::load(const std::string& path, cProject& doc) {
    error_ = {};
    std::vector<uint8_t> bytes;
    std::string why;
    if (!platform::ReadWholeFile(path, bytes, kMaxFileBytes, &why))
        return fail(FileFailureMessage(why, kMaxFileBytes));
    int result;
    switch (detectFormat(bytes)) {
    case kFormatBinary:
        result = readBinary(bytes, doc);
        break;
    case kFormatText:
        result = readText(bytes, doc);
        break;
    case kFormatLegacy:
        result = readLegacy(bytes, doc);
        break;
    default:
        error_ = strMessage(kWhyUnknownFormat);
        return -2;
    }
    soundPaths_.clear();
    if (result >= 0) doc.setText(kTextFileName, nameOf(path));
    return result;
}

int cAnimeFileDevice::save(const std::string& path, cProject& doc, int saveFormat) {
    error_ = {};
    losses_ = {};
    if (saveFormat < 0) saveFormat = doc.getSetting(kKeySaveFormat);
    std::vector<uint8_t> bytes;
    int result;
    switch (saveFormat) {
    case kFormatBinary:
        result = writeBinary(doc, bytes);
        break;
    case kFormatText:
        result = writeText(doc, bytes);
        break;
    default:
        error_ = strMessage(kWhyUnknownSaveFormat, saveFormat);
        return -2;
    }
    if (result != 1) return result;
    std::string why;
    if (!platform::WriteFileAtomically(path, bytes, &why)) return fail(FileFailureMessage(why));
    doc.setText(kTextFileName, nameOf(path));
    doc.markSaved();
    doc.setUntitled(false);
    return 1;
}

std::vector<strMessage> cAnimeFileDevice::lossMessages() const {
    std::vector<strMessage> out;
    if (losses_.effects == 1) out.emplace_back(kMsgSaveLostEffect, losses_.frameCount);
    if (losses_.effects > 1) out.emplace_back(kMsgSaveLostEffects, losses_.effects, losses_.frameCount);
    if (losses_.texts == 1) out.emplace_back(kMsgSaveCutText);
    if (losses_.texts > 1) out.emplace_back(kMsgSaveCutTexts, losses_.texts);
    return out;
}

} // namespace anime
