// make_sample: writes the sample animation project and the sprite sheet it uses, both drawn by code
// (samples/sample_project.h; no picture from elsewhere). Usage: make_sample OUT_FOLDER
//
//   OUT_FOLDER/sample_sheet.png  the sprite sheet, 480 x 192, ten 96 x 96 patterns with alpha
//   OUT_FOLDER/sample.txt        the project in the text format (save format 1)

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "platform/path.h"
#include "sample_project.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample OUT_FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    if (!platform::MakeFolder(folder)) {
        std::fprintf(stderr, "make_sample: cannot create the folder %s\n", folder.c_str());
        return 1;
    }
    auto sheet = sample::DrawSheet();
    std::string why;
    const std::string sheetPath = platform::JoinPath(folder, "sample_sheet.png");
    if (!sheet || !WritePngFile(sheetPath, *sheet, true, &why)) {
        std::fprintf(stderr, "make_sample: cannot write %s: %s\n", sheetPath.c_str(), why.c_str());
        return 1;
    }
    cConfig config;
    config.setDefaults();
    config.Locale = "UTF-8";
    cProject doc(&config);
    if (!sample::BuildProject(doc)) {
        std::fprintf(stderr, "make_sample: cannot build the project\n");
        return 1;
    }
    const std::string projectPath = platform::JoinPath(folder, "sample.txt");
    ANIME::cAnimeFile_Device device;
    if (device.save(projectPath, doc, ANIME::kFormatText) != 1) {
        std::fprintf(stderr, "make_sample: cannot write %s: %s\n", projectPath.c_str(), device.lastError().c_str());
        return 1;
    }
    std::printf("%s\n%s\n", sheetPath.c_str(), projectPath.c_str());
    return 0;
}
