#include "export/sheet_file.h"

#include "export/png_writer.h"

#include <memory>

bool WritePatternSheet(const std::string& path, const cDib& sheet, eSheetProduct product,
                       strSheetWrite& written, strMessage* error) {
    written = {};
    std::unique_ptr<cDib> palette;
    if (SheetLimits(product).palette256) palette = SheetToPalette(sheet, &written.notPalette);
    if (palette) {
        written.palette = true;
        written.paletteEntries = int(palette->table().size());
        return WriteIndexedPngFile(path, *palette, error);
    }
    return WritePngFile(path, sheet, true, error);
}
