#pragma once
// An animated GIF as a new document, made the same way for the editor's "Import animated GIF..." and
// for `pelko import gif`: the pattern sheet is written to sheetPath, the document lives in the
// sheet's folder (its base folder) and names the sheet by its file name, its name and file name come
// from the GIF's, and it is untitled and modified (nothing on disk holds it yet).

#include "export/gif_import.h"

#include <memory>
#include <string>

class cProject;
class cWorkspace;

// options.sheet says the product and the pattern layout; the picture name, the animation's name and
// (when tickMilliseconds is 0 or less) the tick of the "PlayRate" rate are filled in here. Null
// with *why set when the GIF cannot be read or laid out; then no sheet is written.
std::unique_ptr<cProject> ImportGifDocument(const cWorkspace& workspace, const std::string& gifPath,
                                            const std::string& sheetPath, strGifImportOptions options,
                                            strGifImportResult& result, strMessage* why);
