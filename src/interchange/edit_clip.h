#pragma once
// The internal edit clipboard: the payload classes of Cut, Copy and Paste inside the
// program, their byte layouts, and the transfer through the system clipboard under the registered
// format "PELKO_EDIT", so that they also work between two running instances.
//
// Envelope of every payload (little-endian): u32 kind; u32 length = payload size - 8; body; one
// byte 0.
//
// Choices made here:
//   - The reserved u32 of a cClip_Mass body is written as 0 and ignored when read.
//   - Texts longer than 255 bytes are cut to 255 bytes (the one-byte length; paths and user data
//     are meant to fit in 255 bytes anyway).
//   - A cClip_Mass list longer than 65535 records (its u16 count) cannot be represented:
//     Serialize fails and nothing is put, rather than dropping records.
//   - The length word bounds the payload; bytes after it are padding (the system may hand back a
//     block rounded up) and are not read. Reading is otherwise strict: Get fails when the length
//     word points past the block, when the body is cut short, or when the counts promise more
//     records than the body holds. hasKind holds only for a payload that Get can read, so that
//     Paste is never offered for one that always fails; a payload of an unknown kind never matches.

#include "document/cell.h"
#include "document/effect.h"
#include "document/picture.h"
#include "interchange/clip_stream.h"

#include <cstdint>
#include <span>
#include <vector>

namespace platform {
class cClipboard;
}

// Payload kinds.
enum eEditClipKind : uint32_t {
    kClipPicture = 0x40001111, // cClip_Picture
    kClipEffect = 0x40002222,  // cClip_Effect
    kClipCells = 0x40003333,   // cClip_Mass: a block of cells (canvas selection, timeline block)
    kClipFrames = 0x40004444,  // cClip_Mass: a range of whole frames
    kClipRows = 0x40005555,    // cClip_Mass: whole cell rows across all frames
    kClipAnyKind = 0xFFFFFFFF, // hasKind: any payload
};

class cEditClip : public cClipStream {
  public:
    explicit cEditClip(uint32_t kind) : kind_(kind) {}
    ~cEditClip() override = default;
    uint32_t kind() const { return kind_; }

    // Appends the body; false when there is nothing to put.
    virtual bool serialize() = 0;
    // Reads the body from the position; false when it is malformed or cut short.
    virtual bool deserialize() = 0;

    // The whole payload in the buffer: Clear, 8 placeholder bytes, Serialize, the zero byte, then
    // the kind and the length word. False when Serialize has nothing to put.
    bool build();
    // Takes a whole payload (envelope included) and reads its body: the kind must be this
    // payload's and the length word must lie inside the block (the rest is padding), then seek(8)
    // and Deserialize.
    bool parse(std::span<const uint8_t> payload);
    // Whether a payload of the given kind parses (into scratch records).
    static bool readable(std::span<const uint8_t> payload, uint32_t kind);

  protected:
    // One length byte n (at most 255), then n bytes.
    void writeShortText(const std::string& text);
    // One length byte n, then n bytes that replace text when n > 0; false when cut short.
    bool readShortText(std::string& text);

  private:
    uint32_t kind_;
};

// One picture record (not owned).
class cClip_Picture : public cEditClip {
  public:
    explicit cClip_Picture(strPicture* picture = nullptr) : cEditClip(kClipPicture), picture_(picture) {}
    void attach(strPicture* picture) { picture_ = picture; }
    bool serialize() override;
    bool deserialize() override;

  private:
    strPicture* picture_;
};

// One effect record (not owned).
class cClip_Effect : public cEditClip {
  public:
    explicit cClip_Effect(strEffect* effect = nullptr) : cEditClip(kClipEffect), effect_(effect) {}
    void attach(strEffect* effect) { effect_ = effect; }
    bool serialize() override;
    bool deserialize() override;

  private:
    strEffect* effect_;
};

// A block of cells, a range of frames or whole cell rows: four record lists. Offsets are relative
// to the top-left corner of the copied area (first frame, first cell row). The lists hold the
// records in collection order; the body stores each list reversed, and reading restores the order.
class cClip_Mass : public cEditClip {
  public:
    struct strCellRecord {
        uint16_t frame = 0;
        uint16_t cell = 0;
        strCell value;
        bool operator==(const strCellRecord&) const = default;
    };
    struct strEmptyRecord {
        uint16_t frame = 0;
        uint16_t cell = 0;
        bool operator==(const strEmptyRecord&) const = default;
    };
    struct strFrameRecord {
        uint16_t frame = 0;
        uint16_t interval = 0;
        bool operator==(const strFrameRecord&) const = default;
    };
    struct strLockRecord {
        uint16_t cell = 0;
        uint16_t picture = 0;
        bool operator==(const strLockRecord&) const = default;
    };

    static constexpr uint32_t kCellRecordSize = 26;
    static constexpr uint32_t kShortRecordSize = 4;
    static constexpr size_t kMaxRecords = 65535; // per list

    // kind is kClipCells, kClipFrames or kClipRows.
    explicit cClip_Mass(uint32_t kind = kClipCells) : cEditClip(kind) {}

    void addCell(int frame, int cell, const strCell& value) {
        cells.push_back({static_cast<uint16_t>(frame), static_cast<uint16_t>(cell), value});
    }
    void addEmpty(int frame, int cell) {
        empties.push_back({static_cast<uint16_t>(frame), static_cast<uint16_t>(cell)});
    }
    void addFrame(int frame, int interval) {
        frames.push_back({static_cast<uint16_t>(frame), static_cast<uint16_t>(interval)});
    }
    void addLock(int cell, int picture) {
        locks.push_back({static_cast<uint16_t>(cell), static_cast<uint16_t>(picture)});
    }
    bool empty() const { return cells.empty() && empties.empty() && frames.empty() && locks.empty(); }
    void clearLists() {
        cells.clear();
        empties.clear();
        frames.clear();
        locks.clear();
    }

    bool serialize() override;
    bool deserialize() override;

    uint32_t reserved = 0;
    std::vector<strCellRecord> cells;
    std::vector<strEmptyRecord> empties;
    std::vector<strFrameRecord> frames;
    std::vector<strLockRecord> locks;
};

// The 22-byte cell of the binary project format.
void WriteCell22(cClipStream& s, const strCell& c);
strCell ReadCell22(cClipStream& s);

// The edit clipboard: "PELKO_EDIT" on a platform clipboard. The format number is registered once,
// when the object is made (the main window makes one for the whole run).
class cEditClipboard {
  public:
    explicit cEditClipboard(platform::cClipboard& clip);
    uint32_t format() const { return format_; }
    platform::cClipboard& clipboard() const { return clip_; }

    // Builds the payload and replaces the clipboard contents with it; false when there is nothing to
    // put or the clipboard refused.
    bool put(cEditClip& payload);
    // Clear; hasKind (the payload's kind) must hold; reads the block and the body. False when the
    // clipboard holds no payload of the expected kind or the payload is malformed.
    bool get(cEditClip& payload) const;
    // The clipboard holds a readable "PELKO_EDIT" payload whose first u32 is kind (kClipAnyKind
    // accepts any of the five kinds).
    bool hasKind(uint32_t kind) const;

  private:
    platform::cClipboard& clip_;
    uint32_t format_;
};
