#include "image/picture_info.h"

#include "document/project.h"
#include "image/picture_slot_table.h"
#include "platform/path.h"

const char* PictureResultText(int result) {
    switch (result) {
    case 1:
        return "loaded";
    case -1:
        return "load failed";
    case -2:
        return "division failed";
    default:
        return "empty";
    }
}

std::vector<strPictureInfo> DescribePictures(const cProject& doc) {
    std::vector<strPictureInfo> out;
    strSlotSource source = strSlotSource::of(doc);
    for (int i = 0; i < doc.pictureCount(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) continue;
        strPictureInfo info;
        info.number = i;
        info.storedPath = p->path;
        info.resolvedPath = cPictureSlotTable::resolvePicturePath(source, p->path, true);
        info.fileFound = platform::IsRegularFile(info.resolvedPath);
        cPictureSlot slot;
        strLoadInfo load;
        if (slot.loadFromFile(info.resolvedPath, &load) != 1) {
            info.result = -1;
            info.format = load.format;
            info.failure = LoadFailureText(load);
            out.push_back(info);
            continue;
        }
        info.format = load.format;
        info.sourceDepth = load.sourceDepth;
        slot.getSize(info.width, info.height);
        info.depth = slot.picture()->getBitCount();
        strPicture division = *p;
        const uint32_t flags = cPictureSlotTable::divisionFlags(source, division);
        slot.setHsv(p->hue);
        strPatternGrid grid;
        if (ComputePatternGrid(info.width, info.height, division.divX, division.divY,
                               (flags & kDivideByWidth) != 0, grid)) {
            info.result = 1;
            info.columns = grid.columns;
            info.rows = grid.rows;
            info.count = grid.count;
            info.cellWidth = grid.cellWidth;
            info.cellHeight = grid.cellHeight;
        } else {
            info.result = -2;
        }
        out.push_back(info);
    }
    return out;
}
