#pragma once
// The file lifecycle of a project, without windows: new documents, opening, the base and working
// folders, the backup copy, saving with what the format could not keep, clipboard imports and
// exports with what the product could not carry, and the pictures an export draws. The editor's
// session and the `pelko` tool both go through it, so that a file opened or an animation imported
// either way gives the same document and the same folders.
//
// Folders come in two forms: on disk (UTF-8, what the file system takes) and stored (the texts of
// a document, in the project code page named by "Locale"). One rule turns one into the other for
// every caller: storedFolder / diskFolder.

#include "document/media_files.h"
#include "document/messages.h"
#include "document/result.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class cConfig;
class cProject;
class cPictureSlotTable;
namespace platform {
class cClipboard;
}

// What a workspace call gives back.
struct strWorkResult : strResult {
    int statusMessage = 0; // clipboard commands: the outcome as an interchange message id and the
    int statusLabel = 0;   // product label it names, for a window that shows it in the user's language
    // ... and as English text ("" for none).
    std::string statusText() const;
};

// A picture or sound file a document names that is not on disk, and where it was looked for.
struct strMissingFile {
    bool sound = false;    // a sound effect's file (else a picture's)
    int index = 0;         // the picture number, or the effect's slot
    std::string stored;    // the path as the document stores it
    strMediaLookup lookup; // the folder and the names tried (on disk, UTF-8)
};

class cWorkspace {
  public:
    // The settings outlive the workspace. The working folder starts as config.workingFolder().
    explicit cWorkspace(const cConfig& config);

    const cConfig& config() const { return config_; }

    // ---- folders ----
    // The working folder on disk: the base folder of new and imported documents, and where the
    // backup copy goes.
    const std::string& workingFolder() const { return working_; }
    void setWorkingFolder(std::string diskFolder) { working_ = std::move(diskFolder); }
    // Start-up: the working folder "FolderName_C" beside the settings file. When it is missing,
    // create(folder) is asked; when that says no, or the folder cannot be made (*failed set), the
    // settings file's folder is used instead. The result becomes the working folder.
    std::string prepareWorkingFolder(const std::function<bool(const std::string&)>& create,
                                     bool* failed = nullptr);
    // A disk folder as a document stores it, and back.
    std::string storedFolder(const std::string& diskFolder) const;
    std::string diskFolder(const std::string& stored) const;

    // ---- documents ----
    // A new document with the configured defaults and one blank frame, untitled and unmodified; its
    // file name is "Init_FileName" and its base folder storedBase (the working folder when empty).
    std::unique_ptr<cProject> newDocument(const std::string& storedBase = std::string()) const;
    // Opens a project file (binary, text or legacy, by its magic). The base folder becomes the
    // file's folder (the current folder for a bare file name); the document is titled and
    // unmodified. Null with result.reason on failure (unreadable, not a project, above the limits).
    std::unique_ptr<cProject> open(const std::string& path, strWorkResult& result,
                                   int* format = nullptr) const;
    // The same into a document made by the caller (a new cProject on these settings).
    bool open(const std::string& path, cProject& doc, strWorkResult& result, int* format = nullptr) const;
    // Saves (saveFormat < 0: the document's own). On success the document is titled and unmodified
    // and result.losses says what the format could not keep; a failure leaves the file and the
    // document as they were. With rebasePaths (the editor's Save and Save as), a save into a folder
    // other than the base folder first rebases the document's picture and sound paths
    // (rebaseMediaPaths) as one step of its history, and the base folder becomes the file's folder;
    // without it (`pelko convert`) the paths are written as they are stored.
    strWorkResult save(cProject& doc, const std::string& path, int saveFormat = -1,
                       bool rebasePaths = false) const;
    // Rebases every picture and sound path of doc from its base folder onto newFolder (on disk) and
    // makes that the base folder: a file inside or below newFolder is stored relative to it, any
    // other absolute, so that every path names the file it named before. Records into the open
    // transaction, if any. Returns the number of paths changed.
    int rebaseMediaPaths(cProject& doc, const std::string& newFolder) const;
    // The folder a project file lies in, absolute (a bare or relative name is taken against the
    // current folder).
    static std::string fileFolder(const std::string& path);
    // The format a file of that name is saved in: ".dat" binary, ".txt" text (either case); any
    // other name takes fallback (the document's save format).
    static int saveFormatForPath(const std::string& path, int fallback);
    // The name proposed for saving a file named name in format: its stem with ".dat" or ".txt".
    static std::string nameForFormat(const std::string& name, int format);
    // Copies the file at path to "backup.dat" in the working folder.
    strWorkResult backup(const std::string& path) const;

    // ---- clipboard ----
    // Imports product's payload from the clipboard into a new document: titles resolved against the
    // image and sound folders, base folder the working folder, untitled and unmodified. Null on
    // failure; result.status is the command's status text either way, result.reason why it failed.
    std::unique_ptr<cProject> importClipboard(platform::cClipboard& clip, int product,
                                              strWorkResult& result) const;
    // Puts doc on the clipboard for product. result.losses lists what the product could not carry.
    strWorkResult exportClipboard(const cProject& doc, platform::cClipboard& clip, int product) const;

    // ---- pictures ----
    // Loads every picture of doc into slots (the target picture is not touched). result.losses has
    // one message for each picture that could not be loaded (its cells are left out of drawings).
    strWorkResult loadPictures(const cProject& doc, cPictureSlotTable& slots) const;
    // One message for each picture of doc that has no drawable slot in slots: what an image export
    // leaves out.
    std::vector<strMessage> missingPictures(const cProject& doc, const cPictureSlotTable& slots) const;

    // ---- files the document names ----
    // Every picture and sound file doc names that is not there (pictures first, by number; then
    // sounds, one per distinct stored path, by effect slot).
    std::vector<strMissingFile> missingFiles(const cProject& doc) const;
    // What a load reports of them: "2 pictures not found: a.png (/x/Pictures), ..." and the same for
    // sounds, one message per kind (none when everything is there).
    static std::vector<strMessage> missingFilesReport(const std::vector<strMissingFile>& missing);

  private:
    const cConfig& config_;
    std::string working_;
};
