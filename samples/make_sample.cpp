// make_sample: writes the sample animation project and the sprite sheet it uses, both drawn by code
// (samples/sample_project.h; no picture from elsewhere). Usage: make_sample OUT_FOLDER
//
//   OUT_FOLDER/sample_sheet.png  the sprite sheet, 480 x 192, ten 96 x 96 patterns with alpha
//   OUT_FOLDER/sample.txt        the project in the text format (save format 1)
//   OUT_FOLDER/Audio/SE/*.wav    its two sound effects (samples/sample_sounds.h), through libsndfile

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/project.h"
#include "export/png_writer.h"
#include "platform/path.h"
#include "sample_project.h"

#include <cstdio>
#include <string>

#if PELKO_HAVE_AUDIO
#include <sndfile.h>
#endif

namespace {

// Writes the sample's sound effects below folder; false (why says what) when one cannot be written.
bool WriteSounds(const std::string& folder, std::string& why) {
#if PELKO_HAVE_AUDIO
    for (const sample::strSound& s : sample::Sounds()) {
        const std::string path = platform::JoinPath(folder, s.path);
        const std::string parent = path.substr(0, path.find_last_of('/'));
        if (!platform::MakeFolder(parent)) {
            why = "cannot create the folder " + parent;
            return false;
        }
        SF_INFO info{};
        info.samplerate = sample::kSoundRate;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
        if (!file) {
            why = "cannot write " + path + ": " + sf_strerror(nullptr);
            return false;
        }
        const auto count = sf_count_t(s.samples.size());
        const bool ok = sf_write_short(file, s.samples.data(), count) == count;
        sf_close(file);
        if (!ok) {
            why = "cannot write " + path;
            return false;
        }
        std::printf("%s\n", path.c_str());
    }
    return true;
#else
    (void)folder;
    why = "built without libsndfile: the sample has no sound files";
    return false;
#endif
}

} // namespace

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
    strMessage why;
    const std::string sheetPath = platform::JoinPath(folder, "sample_sheet.png");
    if (!sheet || !WritePngFile(sheetPath, *sheet, true, &why)) {
        std::fprintf(stderr, "make_sample: cannot write %s: %s\n", sheetPath.c_str(),
                     FormatMessage(why).c_str());
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
    anime::cAnimeFileDevice device;
    if (device.save(projectPath, doc, anime::kFormatText) != 1) {
        std::fprintf(stderr, "make_sample: cannot write %s: %s\n", projectPath.c_str(),
                     device.lastError().c_str());
        return 1;
    }
    std::printf("%s\n%s\n", sheetPath.c_str(), projectPath.c_str());
    if (std::string failure; !WriteSounds(folder, failure)) {
        std::fprintf(stderr, "make_sample: %s\n", failure.c_str());
        return 1;
    }
    return 0;
}
