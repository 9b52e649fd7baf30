#pragma once
// Writing a built pattern sheet: RPG Maker 2000 reads palette pictures, so for it the sheet is written
// as an 8-bit palette PNG when its colours allow (entry 0 transparent); every other product, and a 2000
// sheet whose colours do not fit a palette, gets a 32-bit PNG with alpha. Written through a temporary
// file and renamed over the target.

#include "image/bmp.h"
#include "image/pattern_sheet.h"

#include <string>

struct strSheetWrite {
    bool palette = false;    // written as a palette picture
    int paletteEntries = 0;  // entries of that palette
    strMessage notPalette{}; // 2000 written in full colour: why no palette
};

bool WritePatternSheet(const std::string& path, const cDib& sheet, eSheetProduct product,
                       strSheetWrite& written, strMessage* error = nullptr);
