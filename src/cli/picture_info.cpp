#include "cli/project_io.h"
#include "document/project.h"

namespace cli {

void PrintPictureInfo(Context& ctx, const cProject& doc, std::ostream& out) {
    for (int i = 0; i < doc.pictures().capacity(); ++i) {
        const strPicture* p = doc.picture(i);
        if (!p) continue;
        out << "picture " << i << ": " << ToUtf8(ctx, p->path) << " (divisions " << p->divX << " x " << p->divY
            << ", hue " << p->hue << ")\n";
    }
}

}  // namespace cli
