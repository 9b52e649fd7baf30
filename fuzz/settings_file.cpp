// Fuzz target for the settings file: the bytes are an INI file, read through the profile reader and
// cConfig's reads (in memory and from a temporary file). Invariants checked:
//   - writing the record that was read back into the same profile and reading it again gives the
//     same record (every value a read can produce can be written and read back);
//   - reading the file from disk gives the same record as reading it in memory;
//   - a batch write (setStrings) gives the same bytes as setString key by key.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <unistd.h>

#include "config/config.h"
#include "platform/profile_file.h"

namespace {

const std::string& tempPath() {
    static const std::string path = [] {
        std::string folder = "/tmp/pelko-fuzz-settings-XXXXXX";
        if (!mkdtemp(folder.data())) std::abort();
        return folder + "/config.ini";
    }();
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Each of the ~80 keys is looked up by a scan of the whole file, so large inputs only slow every
    // run down; the reader's bound on file size is covered by the unit tests.
    if (size > 8192) return 0;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    platform::cProfileFile file(text);

    // Raw reads with the buffer sizes the settings use, and the edge sizes.
    for (size_t buffer : {size_t(0), size_t(1), size_t(8), size_t(16), size_t(260), size_t(512)}) {
        std::string v = file.getString("CONFIG", "Locale", "!", buffer);
        if (buffer > 0 && v.size() > buffer - 1) std::abort();
    }
    (void)file.hasKey("config", "undo");

    // A batch write gives the same bytes as writing key by key.
    {
        const platform::strProfileEntry batch[] = {{"Undo", "5"}, {"locale", ""}, {"Fresh", "x y"}, {"UNDO", "6"}};
        platform::cProfileFile one = file, all = file;
        for (const auto& e : batch) one.setString("CONFIG", e.key, e.value);
        all.setStrings("CONFIG", batch);
        if (one.text() != all.text()) std::abort();
    }

    cConfig inMemory;
    inMemory.readFrom(file);
    (void)inMemory.undoDepth();
    (void)inMemory.playRateIndex();
    (void)cConfig::workingFolderIn("/base", inMemory.FolderName_C);

    platform::cProfileFile rewritten = file;
    if (!inMemory.writeTo(rewritten)) std::abort();
    cConfig again;
    again.readFrom(rewritten);
    if (!(again == inMemory)) std::abort();

    const std::string& path = tempPath();
    // Plain write: the atomic writer's fsync would slow fuzzing down a hundredfold.
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    bool written = std::fwrite(data, 1, size, f) == size;
    if (std::fclose(f) != 0 || !written) return 0;
    cConfig fromDisk;
    fromDisk.filePath = path;
    if (!fromDisk.read()) std::abort();
    fromDisk.filePath.clear();
    if (!(fromDisk == inMemory)) std::abort();
    return 0;
}
