#pragma once
// The picture slot table: one cPictureSlot per picture number, kept in step with the
// project's strPicture records, plus the built-in error picture (-10), the target picture (-11), the
// background colour and the label glyphs.
//
// Memory: every decoded picture and image texture of the table counts against one budget
// (kMemoryBudget, 1 GiB). Slots naming the same file, unchanged on disk since it was decoded, share
// one decoded picture, and slots that also agree in hue and transparency share one texture, so a
// file named in many slots costs as much as in one. A picture that would pass the budget is refused
// (checked from its header, before it is decoded) and failureText says so, naming the picture.
//
// For the compositor: Find(n) gives the slot of picture n (null when absent); a slot that isValid()
// offers imageTexture() (32-bit B, G, R, A, row 0 at the top, transparency and hue applied),
// grid() / getCellSize() / patternCount(), getPatternRect(k) for 0-based pattern k (a cell's pattern
// number minus 1) and two scratch cell textures. backgroundColour() is the canvas background.

#include "document/messages.h"
#include "document/picture.h"
#include "image/picture_slot.h"

#include "platform/file_io.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

class cConfig;
class cProject;
struct strPicture;

// What updatePicture takes from the document and the settings.
struct strSlotSource {
    std::string baseFolder;     // text key 16, project code page
    std::string locale = "jpn"; // "Locale": the code page of the stored paths
    int transType = 4;          // "TransType", 0..4
    bool splitByWidth = false;  // split format (key 6) is 1, "Specify width"

    static strSlotSource of(const cProject& doc);
};

class cPictureSlotTable {
  public:
    static constexpr int kErrorPicture = -10;
    static constexpr int kTargetPicture = -11;
    static constexpr uint64_t kMemoryBudget = uint64_t(1) << 30;

    // Start-up: background from "CGround", every slot cleared, the label glyphs and
    // the error picture (one pattern, Palette number 0) loaded. False when a built-in fails.
    bool initialise(const cConfig& config);

    cPictureSlot* find(int number) const;
    bool remove(int number);
    // Fails on a null slot; replaces any slot at that number.
    bool insert(std::unique_ptr<cPictureSlot> slot, int number);
    void clear();
    int slotCount() const { return int(slots_.size()); }

    // Brings slot n in step with the new record P. C is the record the slot was
    // built from (null when none); the file is reloaded when there is no slot or C, when forced, or
    // when the file names differ (bytes compared, case counts); otherwise a changed hue or division
    // only divides again. Division numbers 0 and 0 divide as 1 and 1. A null P removes the slot. On
    // failure the previous slot stays and false is returned.
    bool updatePicture(const strSlotSource& source, int n, const strPicture* P, const strPicture* C,
                       bool force, bool useFolder);
    bool updatePicture(const cProject& doc, int n, const strPicture* P, const strPicture* C, bool force,
                       bool useFolder);
    // What the last file load of updatePicture (or updateTarget) saw; LoadFailureText of it says why
    // a picture could not be loaded.
    const strLoadInfo& lastLoad() const { return lastLoad_; }
    // Why the last update of picture n failed ("" when it did not, or when n was never updated): the
    // loader's reason, the memory budget, or a division that does not fit the picture.
    std::string failureText(int n) const;
    // The same as a message of the reason table (none when it did not fail).
    strMessage failureMessage(int n) const;
    // Whether that failure was the memory budget's refusal.
    bool refusedByBudget(int n) const;

    // Bytes the slots hold: each decoded picture and image texture once, however many slots share it.
    uint64_t memoryInUse() const;
    uint64_t memoryBudget() const { return budget_; }
    void setMemoryBudget(uint64_t bytes) { budget_ = bytes; }
    // Stores an edited picture record as picture n of the document, the slot first: when the file
    // cannot be opened or divided the document's record and its slot stay as they were and false is
    // returned. Storing a record equal to the current one changes nothing.
    bool storePicture(cProject& doc, int n, const strPicture& edited);
    // Removes the slots of pictures 0 .. pictureCount-1; returns how many were removed.
    int removeAll(const cProject& doc);
    // Reloads every picture of the document (forced, base folder used); returns the successes.
    // Empty picture records lose their slot.
    int reloadAll(const cProject& doc);
    // Brings the slots in step with the document's picture records after a change (a command, an
    // undo): only the pictures whose record differs from the one their slot was built from are
    // loaded or divided again. A picture that cannot be loaded loses its slot (its cells show the
    // error picture) and is not tried again until its record changes. Returns how many changed.
    int syncPictures(const cProject& doc);
    // Slot -11 from "TargetPath" (a file-system path, UTF-8): one pattern, "TransType" transparency.
    // True when there is no target or it loaded.
    bool updateTarget(const cConfig& config);

    // The file-system path a stored picture name resolves to: converted from
    // the project code page to UTF-8, joined to the base folder when relative and useFolder is set,
    // canonicalised, with both separators accepted.
    static std::string resolvePicturePath(const strSlotSource& source, const std::string& name,
                                          bool useFolder);

    // Background colour 0x00RRGGBB (from the Windows colour value 0x00BBGGRR of "CGround").
    uint32_t backgroundColour() const { return background_; }
    void setBackgroundFromSetting(uint32_t windowsColour);
    // The label glyphs, digits 0..9 in cells of kLabelCellWidth x kLabelCellHeight (8-bit, palette
    // 0 black, 1 white).
    const cBMP& labelBitmap() const { return label_; }

    // The division flags of record P (transparency method, and by width unless the division is 0 x 0,
    // which is rewritten to 1 x 1 in P).
    static uint32_t divisionFlags(const strSlotSource& source, strPicture& P);

  private:
    // updatePicture without keeping the record.
    bool loadSlot(const strSlotSource& source, int n, const strPicture* P, const strPicture* C, bool force,
                  bool useFolder);
    std::map<int, std::unique_ptr<cPictureSlot>> slots_;
    // The record each document picture's slot was built from.
    std::map<int, strPicture> built_;
    // The file a slot's picture was decoded from, as it was then.
    struct strSource {
        std::string path;
        platform::strFileStamp stamp;
    };
    // The memory of every slot but `except`, plus candidate's picture and texture (when not null;
    // its texture as `texture` bytes).
    uint64_t memoryWith(int except, const cPictureSlot* candidate, uint64_t texture) const;
    // A decoded picture of the file at path held by a slot, when the file has not changed since.
    std::shared_ptr<const cBMP> sharedPicture(const std::string& path,
                                              const platform::strFileStamp& stamp) const;
    // A slot other than n whose texture `slot` can share under flags.
    const cPictureSlot* textureTwin(int n, const cPictureSlot& slot, uint32_t flags) const;
    bool refuse(int n, strMessage why, bool budget = false);

    std::map<int, strSource> sources_;
    struct strFailure {
        strMessage why;
        bool budget = false;
    };
    std::map<int, strFailure> failures_;
    uint64_t budget_ = kMemoryBudget;
    uint32_t background_ = 0x101010;
    strLoadInfo lastLoad_;
    cBMP label_;
};
