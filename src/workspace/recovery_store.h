#pragma once
// Recovery copies: what an editor keeps of each modified document so that a crash, a killed
// process or a power cut loses at most a minute or so of work.
//
// The folder ("recovery" beside the settings file) holds, per running editor, a lock file
// "OWNER.lock" (OWNER: 16 random hexadecimal digits; the file says the process id and the host) that
// the editor keeps locked while it runs, and per document a copy "OWNER-SLOT.dat" (the binary
// project format, the text format when the binary one cannot hold the document) with its
// description "OWNER-SLOT.json" (what the document was, when the copy was made, the last change).
// Both are written atomically, the copy first.
//
// Copies of an editor that still runs (its lock file is locked) are never listed, recovered or
// discarded by another. Copies of an editor that is gone are listed; a copy that cannot be read is
// moved to "damaged/" and reported, never loaded. Recovering a copy takes it over by renaming it
// into this editor's names, so two editors starting at once cannot both take the same copy, and
// the copy stays on disk until the recovered document is saved or closed.

#include "document/messages.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

class cProject;

// What a document was before it was copied.
enum class eRecoveryOrigin : int {
    kUntitled = 0, // a new or imported document that has no file yet
    kFile = 1,     // a project file: path
    kGame = 2,     // an animation of a game: path is the game's folder, id the animation's id
};

// The description kept beside a copy.
struct strRecoveryInfo {
    eRecoveryOrigin origin = eRecoveryOrigin::kUntitled;
    std::string path;       // disk form (UTF-8 on Linux)
    std::string id;         // kGame: the animation's id
    std::string baseFolder; // the document's base folder and file name, as the document stores
    std::string fileName;   //   them (project code page)
    int saveFormat = 0;     // the format Save writes (the copy's own format says nothing of it)
    int64_t savedAt = 0;    // when the copy was made, seconds since 1970-01-01 UTC
    // The label of the last change (the undo step that led to the copied state). A label this
    // program does not know (a copy of another version) comes back as kMsgNone with its English
    // text in lastChangeText.
    strMessage lastChange;
    std::string lastChangeText;

    bool operator==(const strRecoveryInfo&) const = default;
};

// A copy left by an editor that is gone.
struct strRecoveryEntry {
    std::string name;     // "OWNER-SLOT", the file names without their extensions
    std::string copyPath; // the project copy
    strRecoveryInfo info;
};

// A copy that could not be read, and where it was put.
struct strRecoveryProblem {
    std::string file;    // the copy (or description) as it was named in the folder
    strMessage reason;   // why it could not be read
    std::string movedTo; // its place in "damaged/" ("" when it could not be moved)
};

class cRecoveryStore {
  public:
    // The recovery folder for a settings file: "recovery" in the settings file's folder.
    static std::string folderFor(const std::string& settingsFile);

    explicit cRecoveryStore(std::string folder);
    ~cRecoveryStore();
    cRecoveryStore(const cRecoveryStore&) = delete;
    cRecoveryStore& operator=(const cRecoveryStore&) = delete;

    // Makes the folder and this editor's lock file, locked until close(). False with the reason
    // when the folder or the lock file cannot be made (no copies can be written then).
    bool open(strMessage* error = nullptr);
    // Removes this editor's lock file: what is left of its copies is offered at the next start.
    void close();
    const std::string& folder() const { return folder_; }
    std::string damagedFolder() const;
    // This editor's name in the folder (empty before open).
    const std::string& owner() const { return owner_; }

    // ---- this editor's copies; these touch only its own files and may run on another thread ----
    std::string copyPath(int slot) const;
    std::string infoPath(int slot) const;
    // Writes the copy and its description atomically. False with the reason when either fails.
    bool writeCopy(int slot, std::span<const uint8_t> project, const strRecoveryInfo& info,
                   strMessage* error = nullptr) const;
    // Removes the copy of slot (nothing to remove is no failure).
    bool removeCopy(int slot) const;
    bool hasCopy(int slot) const;

    // ---- copies of editors that are gone ----
    // The copies of every editor that no longer runs, oldest first. Copies that cannot be read are
    // moved to "damaged/" and described in *problems; lock files of gone editors without copies are
    // removed.
    std::vector<strRecoveryEntry> list(std::vector<strRecoveryProblem>* problems = nullptr);
    // Takes the copy over as this editor's copy of slot and loads it into doc (a fresh document on
    // the editor's settings): modified, with the base folder and file name it had, titled when it
    // came from a file. False with the reason when another editor took it first or it cannot be
    // read (then it is moved to "damaged/").
    bool recover(const strRecoveryEntry& entry, int slot, cProject& doc, strMessage* error = nullptr);
    // Removes the copy for good.
    bool discard(const strRecoveryEntry& entry, strMessage* error = nullptr);

    // The project bytes kept for doc: the binary format, or the text format when the binary one
    // cannot hold it. False with the reason when neither can.
    static bool serialise(const cProject& doc, std::vector<uint8_t>& out, strMessage* error = nullptr);
    // Loads project bytes of either format into doc. False with the reason.
    static bool deserialise(std::span<const uint8_t> bytes, cProject& doc, strMessage* error = nullptr);

  private:
    // Whether open() holds the lock file: every call on this editor's copies checks it.
    bool isOpen() const { return lockFd_ >= 0; }
    std::string pathOf(const std::string& name, const char* extension) const;
    bool ownerAlive(const std::string& owner) const;
    strRecoveryProblem moveAside(const std::string& name, const strMessage& reason) const;
    void removeGoneLocks(const std::vector<std::string>& owners) const;

    std::string folder_;
    std::string owner_;
    int lockFd_ = -1;
};
