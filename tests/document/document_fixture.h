#pragma once
// The setup the document tests share: the editing layer with its history, and the file device's
// readers and writers by format.

#include "config/config.h"
#include "document/anime_file_device.h"
#include "document/edit_commands.h"
#include "document/history.h"
#include "document/project.h"
#include "document/transaction.h"
#include "support/document_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace document_testing {

using anime::cAnimeFileDevice;
using Bytes = std::vector<uint8_t>;

inline Bytes ToBytes(const std::string& s) {
    return Bytes(s.begin(), s.end());
}

using testing_support::CellAt;
using testing_support::FillXs;
using testing_support::kColumn;
using testing_support::kRow;
using testing_support::MakeFrames;
using testing_support::XsOf;

// Writes doc in a format (binary or text); the test fails when the writer does.
inline Bytes Write(const cProject& doc, int format, cAnimeFileDevice* device = nullptr) {
    cAnimeFileDevice own;
    cAnimeFileDevice& dev = device ? *device : own;
    Bytes out;
    EXPECT_EQ(format == anime::kFormatText ? dev.writeText(doc, out) : dev.writeBinary(doc, out), 1)
        << dev.lastError();
    return out;
}

// Reads data in a format (binary, text or legacy): 1 or -1; error gets the reason.
inline int Read(const Bytes& data, cProject& doc, int format, std::string* error = nullptr) {
    cAnimeFileDevice dev;
    const int r = format == anime::kFormatBinary ? dev.readBinary(data, doc)
                  : format == anime::kFormatText ? dev.readText(data, doc)
                                                 : dev.readLegacy(data, doc);
    if (error) *error = dev.lastError();
    return r;
}

// Positional strCell: picture, pattern, blend, x, y, mx, my, angle, opacity, red, green, blue, saturation.
// Positional strEffect: start, flags, flash frames, drawing, object, red, green, blue, strength, volume,
// frequency, balance, sound path, user data.

// The project of tests/data/text/small: pictures with a gap, the cell lock, effects sharing a
// frame, a cell that leaves and returns, and one that stays.
inline void BuildSmall(cProject& doc) {
    ASSERT_TRUE(MakeFrames(doc, 4, 3));
    doc.setText(kTextName, "Slash");
    doc.setText(kTextUserData, "demo");
    doc.setSetting(kKeyBasicInterval, 2);
    doc.setSetting(kKeyTotalInterval, 12);
    doc.setSetting(kKeyLock, 1);
    doc.setLockedPicture(1, 2);
    doc.setPicture(0, strPicture{5, 2, 0, "Attack1.png"});
    doc.setPicture(2, strPicture{4, 4, 180, "Sword.png"});
    doc.addEffect(strEffect(2, strEffect::kSound | strEffect::kFlash | strEffect::kUserData, 10, 0, 0, 128,
                            128, 128, 255, 100, 100, 100, "Slash1.wav", "hit"));
    doc.addEffect(strEffect{.flags = strEffect::kSound, .volume = 90, .soundPath = "Slash1.wav"});
    doc.addEffect(strEffect(0, strEffect::kFlash, 5, 0, 1, 255, 255, 200, 160, 100, 100, 100, "", ""));
    doc.setFrameInterval(1, 3);
    strCell c0{.x = -10, .y = 5}, c1{.pattern = 3, .mx = 150, .my = 150, .opacity = 200};
    strCell c2{.pattern = 2, .blend = 1, .opacity = 128};
    doc.setCell(0, 0, &c0);
    doc.setCell(0, 1, &c1);
    doc.setCell(1, 0, &c0);
    c1.x = 20;
    doc.setCell(1, 1, &c1);
    doc.setCell(1, 2, &c2);
    c1.angle = 450;
    c1.red = 150;
    doc.setCell(2, 1, &c1);
    doc.setCell(2, 2, &c2);
    doc.setCell(3, 0, &c0);
    doc.setCell(3, 1, &c1);
}

// A document of `frames` blank frames with `cells` cell numbers, a history of `depth` steps and
// the command layer. The clock is fixed at 7:05 so that "processing failed" is predictable.
struct Editor {
    explicit Editor(int frames = 5, int cells = 16, int depth = cHistory::kMaxDepth) {
        EXPECT_TRUE(MakeFrames(doc, frames, cells));
        history.clear(depth);
        ed.setDocument(doc);
        ed.setClock([](int& m, int& s) {
            m = 7;
            s = 5;
        });
    }
    void put(int frame, int cell, const strCell& c) { ASSERT_TRUE(doc.setCell(frame, cell, &c)); }
    void put(int frame, int cell, int x) { put(frame, cell, CellAt(x)); }
    // One committed step "Move 1 cell" that stores a cell with this x at (frame, cell).
    bool step(int frame, int cell, int x) {
        const strCell c = CellAt(x);
        cTransaction t(doc, Counted(kStepMoveCells, 1));
        doc.setCell(frame, cell, &c);
        return t.commit();
    }
    int x(int frame, int cell) const {
        const strCell* c = doc.cell(frame, cell);
        return c ? c->x : -9999;
    }
    std::string row(int f) const { return XsOf(doc, kRow, f); }
    // Undo and redo steps as one number: 201 is two undo steps and one redo step.
    size_t counts() const { return history.undoCount() * 100 + history.redoCount(); }

    cConfig config;
    cProject doc{&config};
    cHistory& history = doc.history();
    cEditCommands ed{doc, config};
};

} // namespace document_testing
