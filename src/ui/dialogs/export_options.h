#pragma once
// The options of the PNG and GIF export windows, kept between openings, and the capture request
// they make (the same request `pelko export` makes from its options).

#include "export/capture_image.h"
#include "export/cut_range.h"

#include <QString>

#include <string>

// The cut range of a window before it is first opened: the RPG Maker 2000 battle screen around the
// origin. The first opening runs "Auto" over it.
inline constexpr strCutRange kDefaultCutRange{-160, -120, 320, 240};

struct strPngExportOptions {
    bool sheet = true;        // "1 connect to"
    bool fixRows = false;     // "vertical fixed" (else "horizontal fixed")
    int division = 5;         // "Nb div:", 1..999
    bool columnFirst = false; // "Ver" (else "Hor")
    bool interval = false;    // "Interval"
    bool alpha = true;        // "Alpha value"
    strCutRange cut = kDefaultCutRange;
    bool cutChosen = false; // the range was set (by hand or by "Auto") at least once
};

// The file an animation export writes.
enum class eAnimationFormat : int { kGif = 0, kApng = 1, kWebp = 2 };

struct strGifExportOptions {
    eAnimationFormat format = eAnimationFormat::kGif;
    bool webpLossy = false;   // WebP: lossy at webpQuality (else lossless)
    int webpQuality = 80;     // 0..100
    int fps = 60;             // "Animation FPS", 1..1000
    bool limit6 = true;       // "6/100s limit"
    bool transparent = false; // "Trans. color" (animated PNG and WebP: keep the alpha channel)
    int zoom = 100;           // "Zoom image", 1..200 percent
    bool flash = false;       // "Flash fx effect"
    bool target = false;      // "Target image"
    bool wholeFrames = false; // "Write whole frames" (else each frame after the first as what changed)
    strCutRange cut = kDefaultCutRange;
    bool cutChosen = false;
};

struct strExportSettings {
    strPngExportOptions png;
    strGifExportOptions gif;
    QString folder; // the folder of the last exported file ("" until the first export)
};

// The capture area of a cut range (negative sizes mirror or flip).
strCaptureArea CaptureArea(const strCutRange& cut);
// 0x00RRGGBB of a Windows colour value 0x00BBGGRR (the setting "CTrans").
uint32_t RgbOfWindowsColour(uint32_t windowsColour);

// The request of an export to the chosen path (UTF-8). A PNG sequence gets the "%05d" field before
// the extension of the chosen name. project and slots are left for the caller.
strCaptureRequest PngRequest(const strPngExportOptions& o, const std::string& path, uint32_t backgroundRgb);
strCaptureRequest GifRequest(const strGifExportOptions& o, const std::string& path, uint32_t backgroundRgb);
