#include "image/picture_info.h"
#include "cli/project_io.h"
#include "document/project.h"

namespace cli {

void PrintPictureInfo(Context& ctx, const cProject& doc, std::ostream& out) {
    for (const strPictureInfo& p : DescribePictures(doc)) {
        out << "picture " << p.number << ": " << ToUtf8(ctx, p.storedPath) << ": "
            << PictureResultText(p.result);
        if (p.result != -1)
            out << ", " << p.width << " x " << p.height << ", " << p.sourceDepth << " bits (loaded as "
                << p.depth << "), " << p.columns << " x " << p.rows << " patterns of " << p.cellWidth << " x "
                << p.cellHeight;
        else if (!p.fileFound)
            out << " (no file at " << p.resolvedPath << ")";
        else if (!p.failure.empty())
            out << " (" << p.failure << ")";
        out << "\n";
    }
}

} // namespace cli
