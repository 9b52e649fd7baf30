#pragma once
// Per-picture load report for the command-line tool ("pelko info"): every picture record of a
// document is loaded and divided the way the picture slots do it, and the outcome is described.

#include "image/picture_loader.h"

#include <string>
#include <vector>

class cProject;

struct strPictureInfo {
    int number = 0;           // picture number (0-based)
    std::string storedPath;   // the record's path as stored (project code page)
    std::string resolvedPath; // the file-system path tried (UTF-8)
    // 1 loaded and divided; -1 the file could not be loaded; -2 it loaded but the division failed.
    int result = 0;
    bool fileFound = false; // the resolved path names an existing regular file
    eImageFormat format = kImageUnknown;
    int width = 0, height = 0;
    int depth = 0;       // bits per pixel as loaded (8 or 32)
    int sourceDepth = 0; // bits per pixel of the file's pixel data
    std::string failure; // why the load failed (LoadFailureText), "" otherwise
    int columns = 0, rows = 0, count = 0;
    int cellWidth = 0, cellHeight = 0;
};

// One entry per occupied picture record, in number order. Records are not changed (division numbers
// 0 and 0 are reported as one pattern).
std::vector<strPictureInfo> DescribePictures(const cProject& doc);

// "loaded", "load failed" or "division failed".
const char* PictureResultText(int result);
