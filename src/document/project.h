#pragma once
// The animation document: header settings and texts, pictures, frames of cell slots, timed effects
// and the cell-to-picture lock table. Every change goes through the primitives below, which
// normalise cells, record undo entries into the open step and mark the document modified.

#include "document/effect.h"
#include "document/frame.h"
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

// The plain fields the Project dialog edits; see cProject::applyStructural.
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
    explicit cProject(const cConfig* config = nullptr);
    ~cProject();
    cProject(const cProject&) = delete;
    cProject& operator=(const cProject&) = delete;

    const cConfig& config() const { return *config_; }

    // (Re)initialises the whole document. Counts are raised to the configured minimum capacities,
    // then cut to 1000; cells < 1 takes "Init_Cell"; the cell number is held to 1..255.
    bool create(int frames, int cells, int pictures, int effects);
    // Sets basic interval, centre position, split format, lock, edit and save format from the
    // configured initial state of a project.
    void applyDefaults();

    int getSetting(int key) const;
    bool setSetting(int key, int value);
    // Text keys 16..19. getText returns false for an empty text.
    bool getText(int key, std::string& out) const;
    const std::string& text(int key) const;
    bool setText(int key, const std::string& value);

    // Slot access; null when empty or out of range.
    strFrame* frame(int i) const { return frames_.get(i); }
    strCell* cell(int frame, int cell) const;
    strPicture* picture(int i) const { return pictures_.get(i); }
    strEffect* effect(int i) const { return effects_.get(i); }

    cPtrArray<strFrame>& frames() { return frames_; }
    const cPtrArray<strFrame>& frames() const { return frames_; }
    cPtrArray<strPicture>& pictures() { return pictures_; }
    const cPtrArray<strPicture>& pictures() const { return pictures_; }
    cPtrArray<strEffect>& effects() { return effects_; }
    const cPtrArray<strEffect>& effects() const { return effects_; }
    const strFrame& blankFrame() const { return blank_; }

    // Frame slot i, created as a blank frame (interval 0, an empty row of cell-number slots) when
    // empty; null when out of range. For loaders and the frame commands.
    strFrame* frameOrCreate(int i);

    // Counts as the formats use them: highest occupied slot + 1.
    int frameCount() const { return frames_.count(); }
    int pictureCount() const { return pictures_.count(); }
    int effectCount() const { return effects_.count(); }
    int cellNumber() const { return cellNumber_; }
    // One picture number per cell number; loaders fill it directly (no rewrite, no undo).
    const std::vector<uint8_t>& lockTable() const { return lockTable_; }
    std::vector<uint8_t>& lockTable() { return lockTable_; }

    // --- primitives (record undo entries while a step is open, mark modified) ---

    // Stores a normalised copy of *c in slot (frame, cell), or deletes the cell when c is null.
    bool setCell(int frame, int cell, const strCell* c);
    bool setFrameInterval(int frame, uint16_t interval);
    int frameInterval(int frame, bool resolve) const;
    uint32_t totalDuration() const;
    int lockedPicture(int cell) const;
    bool setLockedPicture(int cell, uint8_t picture);
    bool slideFrames(int from, int count, int to);
    bool exchangeCells(int frameA, int cellA, int frameB, int cellB);
    bool exchangeFrames(int a, int b);
    // Replaces frame slot i with a copy of *f, or empties it when f is null.
    bool replaceFrame(int i, const strFrame* f);
    // Resizes every cell row; clears the undo history through the history hook.
    bool setCellNumber(int n);
    // Applies the Project dialog's values. confirm is asked when a structural value changes; when
    // it answers false nothing is applied and false is returned.
    bool applyStructural(const strProjectSettings& s, const std::function<bool()>& confirm);
    // Inserts a copy keeping the effects sorted by start frame (stable); outIndex gets its slot.
    bool addEffect(const strEffect& e, int* outIndex = nullptr);

    // Cell normalisation for cell number c under the current lock and edit format.
    void normaliseCell(strCell& c, int cellNumber) const;
    // Clamps divisions to 1..1024 and hue to 0..360; with an image size, divisions are also
    // limited to the image's width and height.
    static void normalisePicture(strPicture& p, int imageWidth = 0, int imageHeight = 0);

    // --- state flags ---
    bool modified() const { return modified_; }
    void setModified(bool m) { modified_ = m; }
    bool untitled() const { return untitled_; }
    void setUntitled(bool u) { untitled_ = u; }

    // --- undo hook ---
    // The open step, if any; primitives append their records to it.
    cRestoreObj* pendingStep() const { return pending_.get(); }
    void setPendingStep(std::unique_ptr<cRestoreObj> step);
    std::unique_ptr<cRestoreObj> takePendingStep();
    // Called when the document must drop its undo history (cell number change, create). The
    // history installs this; it does nothing by default.
    void setHistoryClearHook(std::function<void()> hook) { clearHistory_ = std::move(hook); }

private:
    void record(std::unique_ptr<cRestore> r);
    void clearHistory();
    void rewriteLockedPicture(int cell, uint8_t picture);

    const cConfig* config_;
    bool modified_ = false;
    bool untitled_ = true;
    std::string texts_[4];  // base folder, name, file name, user data
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
    std::unique_ptr<cRestoreObj> pending_;
    strFrame blank_;
    std::function<void()> clearHistory_;
};
