#include "workspace/gif_document.h"

#include "config/config.h"
#include "document/project.h"
#include "platform/code_page.h"
#include "platform/path.h"
#include "playback/play_clock.h"
#include "workspace/workspace.h"

std::unique_ptr<cProject> ImportGifDocument(const cWorkspace& workspace, const std::string& gifPath,
                                            const std::string& sheetPath, strGifImportOptions options,
                                            strGifImportResult& result, strMessage* why) {
    const cConfig& config = workspace.config();
    std::unique_ptr<cProject> doc =
        workspace.newDocument(workspace.storedFolder(platform::FolderPart(sheetPath)));
    if (!doc) return nullptr;
    // The import makes the document anew: keep what the workspace gave it.
    const std::string base = doc->text(kTextBaseFolder);
    const std::string name = platform::FromUtf8(platform::StemPart(gifPath), config.Locale);
    const std::string fileName = name + platform::Extension(doc->text(kTextFileName));
    if (options.tickMilliseconds <= 0)
        options.tickMilliseconds =
            int(cPlayClock::periodOfRate(cPlayClock::rateOfIndex(config.playRateIndex())));
    options.pictureName = platform::FromUtf8(platform::FileNamePart(sheetPath), config.Locale);
    options.name = name;
    if (!ImportGifFile(platform::ToDiskSeparators(gifPath), platform::ToDiskSeparators(sheetPath), options,
                       *doc, result, why))
        return nullptr;
    doc->setText(kTextBaseFolder, base);
    doc->setText(kTextFileName, fileName);
    return doc;
}
