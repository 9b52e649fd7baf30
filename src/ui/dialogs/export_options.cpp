#include "ui/dialogs/export_options.h"

#include "export/sequence_path.h"

#include <algorithm>

strCaptureArea CaptureArea(const strCutRange& cut) {
    return {cut.left, cut.top, cut.left + cut.width, cut.top + cut.height};
}

uint32_t RgbOfWindowsColour(uint32_t c) {
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

strCaptureRequest PngRequest(const strPngExportOptions& o, const std::string& path, uint32_t backgroundRgb) {
    strCaptureRequest r;
    r.outputPath = o.sheet ? path : InsertSequenceField(path);
    r.area = CaptureArea(o.cut);
    r.background = backgroundRgb;
    r.flags = kExportPng | (o.alpha ? kExportAlpha : 0) | (o.interval ? kExportInterval : 0);
    if (o.sheet) {
        r.flags |= kExportSheet | (o.fixRows ? kExportFixRows : 0) | (o.columnFirst ? kExportColumnFirst : 0);
        r.division = o.division;
    }
    return r;
}

strCaptureRequest GifRequest(const strGifExportOptions& o, const std::string& path, uint32_t backgroundRgb) {
    strCaptureRequest r;
    r.outputPath = path;
    r.area = CaptureArea(o.cut);
    r.background = backgroundRgb;
    const uint32_t format = o.format == eAnimationFormat::kApng   ? kExportApng
                            : o.format == eAnimationFormat::kWebp ? kExportWebp
                                                                  : kExportGif;
    r.flags = format | (o.limit6 ? kExportLimit6 : 0) | (o.transparent ? kExportAlpha : 0) |
              (o.flash ? kExportFlash : 0) | (o.target ? kExportTarget : 0);
    r.fps = o.fps;
    r.zoomPercent = o.zoom;
    r.gifWholeFrames = o.wholeFrames;
    r.webpQuality = o.webpLossy ? std::clamp(o.webpQuality, 0, 100) : -1;
    return r;
}
