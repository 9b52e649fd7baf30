#pragma once
// The Apply rules of the "Screen Effect" dialog (cDlg_SetEffect) and the "Image settings" dialog
// (cDlg_SetPicture). Each holds the values of its controls; load() fills them from the
// record handed over by the opener, apply() writes them back into that record. Committing the record
// to the document is the opener's business (cEditClipCommands::storeEffect, cPictureSlotTable::
// storePicture). The "Play" preview is cSoundPreview (src/playback).

#include "document/effect.h"
#include "document/picture.h"

#include <cstdint>
#include <string>
#include <utility>

class cConfig;

class cEffectEdit {
  public:
    static constexpr const char* kObjectList = "Screen,Target";
    static constexpr const char* kDrawingList = "Normal,Add,Subtract,Multiply";
    static constexpr const char* kSoundFilter = "Sound effect(*.wmv,wav,ogg,mp3)";
    static constexpr int kFlashFramesWhenOff = 10;
    static constexpr size_t kMaxText = 255;

    // Control values.
    int startFrame = 0; // "Start-up frame", 0..frame capacity
    bool sound = false; // "Sound effect"
    std::string soundPath{};
    int volume = 100;                                       // 1..100
    int frequency = 100;                                    // "Frequence", 1..200
    int balance = 100;                                      // 0..200
    bool flash = false;                                     // "Flash fx effect"
    int flashFrames = kFlashFramesWhenOff;                  // "Frame:", 0..255
    int object = 0;                                         // 0 "Screen", 1 "Target", 2 none
    int drawing = 0;                                        // 0..3
    int red = 128, green = 128, blue = 128, strength = 255; // 0..255 each
    bool userDataOn = false;                                // "User data (255byte)"
    std::string userData{};

    // Fills the controls from the record. Each value is limited to its control's range (a slider and
    // its number always agree); "Frame:" shows 10 when the flash is off; the capacity bounds the
    // start frame.
    void load(const strEffect& e, int frameCapacity = 1000);
    // "Apply", in the specified order: start frame; the sound bit, and when set volume, frequency,
    // balance and sound path, else the sound block's defaults; the flash bit, and when set object and
    // flash frames, then drawing and colour for objects 0 and 1, or drawing 0, colour 128, 128, 128
    // and strength 255 for object 2; when clear the flash block's defaults; the user-data bit and its
    // text, else an empty text. Texts are cut to 255 bytes.
    void apply(strEffect& e) const;

    // "Clear": red, green, blue 128 and strength 255.
    void clearColour();
    // The drawing list and the four colour controls are usable only with the flash on and an object
    // other than 2.
    bool colourEnabled() const { return flash && object != 2; }
    bool soundEnabled() const { return sound; }
    // "Effect : %d".
    static std::string title(int index);
};

class cPictureEdit {
  public:
    static constexpr const char* kDivisionList = "By number of patterns,By pattern size";
    static constexpr const char* kImageFilter = "Image(*.bmp,gif,png,xyz)";

    std::string path{}; // "File path", at most 255 bytes
    int divX = 1;       // "Nbr div (H , V)", 1..1024 each
    int divY = 1;
    int hue = 0;         // "Hue (degrees)", 0..360
    int splitFormat = 0; // "Division method": shows the project's split format; never written

    // The divisions of a new picture in a project split by splitFormat: the configured ones
    // ("Init_CutX", "Init_CutY") when they were given for that split format ("Init_Div"); else an
    // RPG Maker sheet's: five patterns across and down, or patterns of 192 x 192 pixels. A sheet
    // of RPG Maker 2000 (rm2000) has patterns of 96 x 96 pixels: so are the configured 192 x 192.
    static std::pair<int, int> newDivisions(const cConfig& config, int splitFormat, bool rm2000);

    void load(const strPicture& p, int projectSplitFormat);
    // "Apply": the two divisions, the hue and the path, each limited to its control's range.
    void apply(strPicture& p) const;
    // "Image : %d".
    static std::string title(int index);
};

// A file dropped on either dialog: made relative to the document's base folder when it lies inside
// or below it (compared lexically after canonicalising both; "\" and "/" both separate), else made
// absolute (a relative file is taken against the current folder), so that it still resolves when
// the project's folder moves. Works on paths as the file system gives them (UTF-8); the caller
// converts to the project code page.
std::string DroppedFilePath(const std::string& file, const std::string& baseFolder);
