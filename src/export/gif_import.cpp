#include "export/gif_import.h"

#include "config/config.h"
#include "document/file_reason.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "image/gif_animation.h"
#include "platform/file_io.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace {

bool Fail(strMessage* error, strMessage why) {
    if (error) *error = std::move(why);
    return false;
}

constexpr int kFrameLimit = 1000; // frames a document holds

// A failed import: the result is emptied and says why, and so does error.
bool Failed(strGifImportResult& result, strMessage why, strMessage* error) {
    result = {};
    result.reason = why;
    return Fail(error, std::move(why));
}

} // namespace

std::vector<int> GifDelaysToTicks(const std::vector<int>& delays, int tickMilliseconds) {
    const int64_t tick = std::max(tickMilliseconds, 1);
    std::vector<int> ticks;
    ticks.reserve(delays.size());
    int64_t elapsed = 0; // milliseconds
    int64_t given = 0;   // ticks handed out so far
    for (int d : delays) {
        elapsed += int64_t(d < 2 ? 10 : d) * 10;
        const int64_t due = (elapsed + tick / 2) / tick;
        const int64_t t = std::clamp<int64_t>(due - given, 1, 65535);
        ticks.push_back(int(t));
        given += t;
    }
    return ticks;
}

namespace {

// Reads the GIF and lays out its sheet; the document is not touched.
bool PlanImport(std::span<const uint8_t> bytes, const strGifImportOptions& options,
                strGifImportResult& result, strMessage* error) {
    result = {};
    strGifAnimation gif;
    strMessage why;
    if (!ReadGifAnimation(bytes, gif, &why))
        return Fail(error, strMessage(kGifImportUnreadable, std::move(why)));
    const int n = int(gif.frames.size());
    if (n > kFrameLimit) return Fail(error, strMessage(kGifImportTooManyFrames, n, kFrameLimit));
    std::vector<const cDib*> images;
    std::vector<int> delays;
    for (const strGifAnimation::strFrame& f : gif.frames) {
        images.push_back(f.image.get());
        delays.push_back(f.delay);
    }
    strSheetOptions sheetOptions = options.sheet;
    sheetOptions.trim = false;
    strSheetResult sheet;
    if (!BuildPatternSheet(images, sheetOptions, sheet, &why)) return Fail(error, std::move(why));

    result.frames = n;
    result.patternSize = sheet.patternSize;
    result.screenWidth = gif.width;
    result.screenHeight = gif.height;
    result.ticks = GifDelaysToTicks(delays, options.tickMilliseconds);
    // Every frame has the screen's size, so all are scaled alike; magnify the cells back.
    const strPlacedFrame& first = sheet.frames.front();
    if (first.scaled)
        result.magnification =
            std::clamp(int(std::lround(100.0 * std::max(first.sourceWidth, first.sourceHeight) /
                                       std::max(first.width, first.height))),
                       1, 1000);
    std::map<int, int> uses;
    for (int t : result.ticks)
        ++uses[std::min(t, 255)];
    result.basicInterval = std::max_element(uses.begin(), uses.end(), [](const auto& a, const auto& b) {
                               return a.second < b.second;
                           })->first;
    result.sheet = std::move(sheet.sheet);
    result.ok = true;
    return true;
}

// Re-creates doc as the planned animation.
bool FillProject(const strGifImportOptions& options, const strGifImportResult& result, cProject& doc,
                 strMessage* error) {
    const int n = result.frames;
    if (!doc.create(n, 0, 1, 0)) return Fail(error, strMessage(kWhyOutOfMemory));
    doc.applyDefaults();
    doc.setSetting(kKeySplitFormat, 1); // divisions are the pattern size in pixels
    doc.setSetting(kKeyBasicInterval, result.basicInterval);
    doc.setText(kTextName, options.name);
    strPicture picture;
    picture.divX = picture.divY = uint16_t(result.patternSize);
    picture.path = options.pictureName;
    doc.setPicture(0, picture);
    for (int k = 0; k < n; ++k) {
        doc.frameOrCreate(k);
        const int t = result.ticks[size_t(k)];
        doc.setFrameInterval(k, uint16_t(t == result.basicInterval ? 0 : t));
        strCell cell;
        cell.pattern = uint16_t(k + 1);
        cell.mx = cell.my = int16_t(result.magnification);
        doc.setCell(k, 0, &cell);
    }
    doc.markModified();
    return true;
}

} // namespace

bool BuildAnimationFromGif(std::span<const uint8_t> bytes, const strGifImportOptions& options, cProject& doc,
                           strGifImportResult& result, strMessage* error) {
    strMessage why;
    if (PlanImport(bytes, options, result, &why) && FillProject(options, result, doc, &why)) return true;
    return Failed(result, std::move(why), error);
}

bool ImportGifFile(const std::string& gifPath, const std::string& sheetPath,
                   const strGifImportOptions& options, cProject& doc, strGifImportResult& result,
                   strMessage* error) {
    result = {};
    std::vector<uint8_t> bytes;
    std::string english;
    if (!platform::ReadWholeFile(gifPath, bytes, size_t(kMaxGifAnimationBytes), &english))
        return Failed(result, FileFailureMessage(english, size_t(kMaxGifAnimationBytes)), error);
    strMessage why;
    if (!PlanImport(bytes, options, result, &why))
        return Failed(result, strMessage(kWhyInFile, gifPath, std::move(why)), error);
    if (!WritePngFile(sheetPath, *result.sheet, true, &why))
        return Failed(result, strMessage(kWhyCannotWrite, sheetPath, std::move(why)), error);
    if (FillProject(options, result, doc, &why)) return true;
    return Failed(result, std::move(why), error);
}
