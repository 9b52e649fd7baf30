#pragma once
// The project file device: detects a project file's format and reads or writes it. Files are read
// whole into memory and parsed from there; saving builds the bytes first, then writes them to a
// temporary file beside the target and renames it over the target.

#include "document/messages.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class cProject;

namespace anime {

// What the last save had to leave out, so that the caller can say so.
struct strSaveLosses {
    int effects = 0;    // effects the text format has no place for (start frame >= frame count)
    int frameCount = 0; // the frame count of that save
    int texts = 0;      // texts shortened: past 255 bytes, at a zero byte, or (text) at a line break
    bool any() const { return effects > 0 || texts > 0; }
};

enum eFileFormat : int {
    kFormatUnknown = -1,
    kFormatBinary = 0,
    kFormatText = 1,
    kFormatLegacy = 3,
};

class cAnimeFileDevice {
  public:
    // 0 binary, 1 text, 3 legacy line file, -1 unknown (also for data shorter than 16 bytes).
    // version, when given, receives the number in the version field (binary and text), else 0.
    static int detectFormat(std::span<const uint8_t> head, int* version = nullptr);
    static int detectFormatFile(const std::string& path, int* version = nullptr);

    // 1 success, -1 cannot open or reading failed, -2 unknown format. On success the document's
    // file name becomes the path's name part.
    int load(const std::string& path, cProject& doc);
    // 1 success, -1 cannot write (or the document does not fit the format), -2 unknown save format.
    // saveFormat < 0 uses the document's save format.
    int save(const std::string& path, cProject& doc, int saveFormat = -1);

    // In-memory forms of the same readers and writers (1 success, -1 failure).
    int readBinary(std::span<const uint8_t> data, cProject& doc);
    int writeBinary(const cProject& doc, std::vector<uint8_t>& out);
    int readText(std::span<const uint8_t> data, cProject& doc);
    int writeText(const cProject& doc, std::vector<uint8_t>& out);
    int readLegacy(std::span<const uint8_t> data, cProject& doc); // read only: no writer

    // What the last save (or writeText / writeBinary) could not keep, and the same as messages of
    // the document table (kind kReport), one per kind of loss; none when nothing was lost. Every
    // caller that saves shows them.
    const strSaveLosses& losses() const { return losses_; }
    int lostEffects() const { return losses_.effects; }
    std::vector<strMessage> lossMessages() const;

    // Why the last load or save failed: a message of the reason table (reasons.h), and its English
    // text for the command-line tool.
    const strMessage& lastReason() const { return error_; }
    std::string lastError() const { return FormatMessage(error_); }

  private:
    int fail(strMessage why);
    // A centre position read from a file: 0..5, anything else (a damaged or foreign value) 0.
    static int centreFromFile(int64_t v) { return v >= 0 && v <= 5 ? static_cast<int>(v) : 0; }
    std::vector<std::string> soundPaths_; // index -> sound path, while a file is read or written
    strMessage error_;
    strSaveLosses losses_;
};

} // namespace anime
