#pragma once
// The animation document: header settings and texts, pictures, frames of cell slots, timed effects
// and the cell-to-picture lock table, with its undo history.
//
// Every change goes through the primitives below. Inside a transaction (cTransaction) they record
// what they change, so the transaction can be undone, rolled back and announced; outside one they
// record nothing, which is how loaders and importers build a fresh document. The document is
// modified exactly when its history is away from the clean point (cHistory).

#include "document/effect.h"
#include "document/frame.h"
#include "document/history.h"
#include "document/picture.h"
#include "document/ptr_array.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class cConfig;
class cRestore;
class cRestoreObj;
class cTransaction;

// Setting keys.
enum eProjectKey : int {
    kKeyFrameCount = 1,
    kKeyCellNumber = 2,
    kKeyPictureCount = 3,
    kKeyEffectCount = 4,
    kKeyEditFormat = 5,
    kKeySplitFormat = 6,
    kKeySaveFormat = 7,
    kKeyCentrePosition = 8,
    kKeyBasicInterval = 9,
    kKeyTotalInterval = 10,
    kKeyLock = 11,
};
// Text keys.
enum eProjectText : int {
    kTextBaseFolder = 16,
    kTextName = 17,
    kTextFileName = 18,
    kTextUserData = 19,
};

// The fields the Project dialog edits; see cProject::applySettings.
struct strProjectSettings {
    std::string name{};
    std::string userData{};
    int centrePosition = 0;
    int saveFormat = 0;
    int basicInterval = 1;
    int totalInterval = 0;
    int cellNumber = 16;
    int splitFormat = 0;
    int lock = 0;
    int editFormat = 0;
};

class cProject {
  public:
    static constexpr int kMaxFrames = 1000;

    // The history's depth is the configured "Undo".
    explicit cProject(const cConfig* config = nullptr);
    ~cProject();
    cProject(const cProject&) = delete;
    cProject& operator=(const cProject&) = delete;

    const cConfig& config() const { return *config_; }

    // (Re)initialises the whole document and empties its history (the new state is clean). Counts
    // are raised to the configured minimum capacities, then cut to 1000; cells < 1 takes
    // "Init_Cell"; the cell number is held to 1..255. Refused (false) while a transaction is open.
    bool create(int frames, int cells, int pictures, int effects);
    // Sets basic interval, centre position, split format, lock, edit and save format from the
    // configured initial state of a project.
    void applyDefaults();

    int getSetting(int key) const;
    // Keys 5..11; key 11 stores value != 0.
    bool setSetting(int key, int value);
    // Text keys 16..19. getText returns false for an empty text.
    bool getText(int key, std::string& out) const;
    const std::string& text(int key) const;
    bool setText(int key, const std::string& value);

    // Slot access; null when empty or out of range.
    const strFrame* frame(int i) const { return frames_.get(i); }
    const strCell* cell(int frame, int cell) const;
    const strPicture* picture(int i) const { return pictures_.get(i); }
    const strEffect* effect(int i) const { return effects_.get(i); }
    const strFrame& blankFrame() const { return blank_; }
    // The tables, read only (change them through the primitives).
    const cPtrArray<strFrame>& frames() const { return frames_; }
    const cPtrArray<strPicture>& pictures() const { return pictures_; }
    const cPtrArray<strEffect>& effects() const { return effects_; }

    int frameCapacity() const { return frames_.capacity(); }
    int pictureCapacity() const { return pictures_.capacity(); }
    int effectCapacity() const { return effects_.capacity(); }
    // Counts as the formats use them: highest occupied slot + 1.
    int frameCount() const { return frames_.count(); }
    int pictureCount() const { return pictures_.count(); }
    int effectCount() const { return effects_.count(); }
    int cellNumber() const { return cellNumber_; }
    // One picture number per cell number.
    const std::vector<uint8_t>& lockTable() const { return lockTable_; }

    // --- primitives (record while a transaction is open) ---

    // Stores a normalised copy of *c in slot (frame, cell), or deletes the cell when c is null.
    // False only when the slot is outside the document; storing what the slot already holds (or
    // emptying an empty slot) succeeds and records nothing.
    bool setCell(int frame, int cell, const strCell* c);
    // setCell that says whether the slot changed: false when it is outside the document or already
    // held the result. Commands that count the cells they changed count these.
    bool changeCell(int frame, int cell, const strCell* c);
    bool setFrameInterval(int frame, uint16_t interval);
    int frameInterval(int frame, bool resolve) const;
    uint32_t totalDuration() const;
    int lockedPicture(int cell) const;
    // Stores the entry and, with the lock on, rewrites the picture of the column's cells.
    bool setLockedPicture(int cell, uint8_t picture);
    bool slideFrames(int from, int count, int to);
    bool exchangeCells(int frameA, int cellA, int frameB, int cellB);
    bool exchangeFrames(int a, int b);
    // Replaces frame slot i with a copy of *f, or empties it when f is null.
    bool replaceFrame(int i, const strFrame* f);
    // Frame slot i, stored as a blank frame when empty; null when out of range.
    const strFrame* frameOrCreate(int i);
    // Resizes every cell row and the lock table (n is held to 1..255); the cells and lock entries
    // a smaller number removes are recorded, so undo brings them back.
    bool setCellNumber(int n);
    // Stores the Project dialog's values as one step "Project settings"; a changed lock or edit
    // format normalises every cell again (recorded). False when nothing changed.
    bool applySettings(const strProjectSettings& s);
    // The values applySettings takes, as the document holds them.
    strProjectSettings settings() const;

    // Stores a copy of *p in picture slot i (normalised), or empties the slot when p is null.
    bool setPicture(int i, const strPicture* p);
    bool setPicture(int i, const strPicture& p) { return setPicture(i, &p); }
    bool exchangePictures(int a, int b);
    // Inserts a copy keeping the effects sorted by start frame (stable); outIndex gets its slot.
    // False when the table is full.
    bool addEffect(const strEffect& e, int* outIndex = nullptr);
    // Inserts a copy at place i of the packed table (0..effect count); later effects move up.
    bool insertEffect(int i, const strEffect& e);
    // Removes effect i; later effects move down.
    bool removeEffect(int i);
    // Replaces effect i by e, moving it to its place by start frame (after those with the same
    // start frame when it moves). Returns the slot it now stands in, or -1.
    int changeEffect(int i, const strEffect& e);

    // Cell normalisation for cell number c under the current lock and edit format.
    void normaliseCell(strCell& c, int cellNumber) const;
    // Clamps divisions to 1..1024 and hue to 0..360; with an image size, divisions are also
    // limited to the image's width and height.
    static void normalisePicture(strPicture& p, int imageWidth = 0, int imageHeight = 0);

    // The frame repair: compacts the frames (each empty slot receives the next occupied frame after
    // it, so occupied frames keep their order and move to the front) and puts one blank frame at 0
    // when none is left. The change is not recorded: the history is emptied and the document
    // counts as modified. Refused (-1) while a transaction is open; else the number of frames moved.
    int repairFrames();

    // --- history and state ---
    cHistory& history() { return history_; }
    const cHistory& history() const { return history_; }
    bool modified() const { return !history_.isClean(); }
    // The current state is the saved one (after a save or a load).
    void markSaved();
    // No reachable state is the saved one any more (a document built from an import).
    void markModified();
    bool untitled() const { return untitled_; }
    void setUntitled(bool u) { untitled_ = u; }
    // Whether a transaction is open.
    bool inTransaction() const { return pending_ != nullptr; }
    // The open transaction's records so far; null when none is open.
    const cRestoreObj* pendingStep() const { return pending_.get(); }

    // Called with eDocChange bits after each committed, undone or redone step and when the clean
    // point moves.
    void setChangeListener(std::function<void(unsigned)> listener) { listener_ = std::move(listener); }
    void announce(unsigned changes) const {
        if (listener_) listener_(changes);
    }

  private:
    friend class cTransaction;
    friend class cHistory;
    friend class cRest_Cell_Number;
    friend class cRest_Update_Cell;

    bool recording() const { return pending_ && !replaying_; }
    void record(std::unique_ptr<cRestore> r);
    void rewriteLockedPicture(int cell, uint8_t picture);
    void resizeCells(int n);

    const cConfig* config_;
    bool untitled_ = true;
    std::string texts_[4]; // base folder, name, file name, user data
    cPtrArray<strFrame> frames_;
    cPtrArray<strPicture> pictures_;
    cPtrArray<strEffect> effects_;
    std::vector<uint8_t> lockTable_;
    int saveFormat_ = 0;
    int centrePosition_ = 0;
    int splitFormat_ = 0;
    int editFormat_ = 0;
    int lock_ = 0;
    int basicInterval_ = 1;
    int totalInterval_ = 0;
    int cellNumber_ = 16;
    strFrame blank_;
    // The open transaction's step.
    std::unique_ptr<cRestoreObj> pending_;
    bool replaying_ = false;
    cHistory history_;
    std::function<void(unsigned)> listener_;
};
