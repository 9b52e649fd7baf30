// Property test of the undo history: random sequences of every primitive and every editing command,
// with Undo, Redo, saves and failing (rolled back) transactions mixed in, on random documents and
// at several depths. A model keeps the document state after every step that entered the history;
// each Undo and Redo must land exactly on the model's state, a rollback on the state before, the
// modified flag must say whether the state is the saved one, undoing everything must give back the
// oldest state the depth keeps, and redoing everything the last one.

#include "document/project_dump.h"
#include "document/restore.h"
#include "document/transaction.h"
#include "document_fixture.h"
#include "support/document_compare.h"
#include "support/random_document.h"

#include <functional>

using testing_support::cRandom;
using testing_support::ProjectFingerprint;
using testing_support::RandomCell;

namespace {

// A frame as a command would hand it to replace-frame: its cells normalised like every cell that the
// document holds.
strFrame RandomFrame(const cProject& doc, cRandom& r, int cells) {
    strFrame f;
    f.interval = static_cast<uint16_t>(r.range(0, 9));
    f.cells.allocate(cells);
    for (int c = 0; c < cells; ++c)
        if (r.chance(0.4)) {
            strCell cell = RandomCell(r);
            doc.normaliseCell(cell, c);
            f.cells.setCopy(c, cell);
        }
    return f;
}

// Random document: 1..10 cell numbers, 1..25 packed frames, lock and edit format at random (the
// cells are stored through set-cell, so they agree with both), a few pictures and effects.
void BuildRandomDocument(cProject& doc, cRandom& r) {
    doc.create(0, r.range(1, 10), 0, 0);
    doc.setSetting(kKeyEditFormat, r.range(0, 4));
    doc.setSetting(kKeyLock, r.chance(0.3) ? 1 : 0);
    for (int c = 0; c < doc.cellNumber(); ++c)
        doc.setLockedPicture(c, static_cast<uint8_t>(r.range(0, 5)));
    doc.setSetting(kKeyBasicInterval, r.range(1, 4));
    const int frames = r.range(1, 25);
    for (int f = 0; f < frames; ++f) {
        doc.frameOrCreate(f);
        doc.setFrameInterval(f, static_cast<uint16_t>(r.range(0, 9)));
        for (int c = 0; c < doc.cellNumber(); ++c)
            if (r.chance(0.45)) {
                strCell cell = RandomCell(r);
                doc.setCell(f, c, &cell);
            }
    }
    for (int p = 0; p < r.range(0, 3); ++p)
        doc.setPicture(r.range(0, 5), strPicture{});
    for (int e = 0; e < r.range(0, 3); ++e) {
        strEffect x;
        x.startFrame = static_cast<uint16_t>(r.range(0, frames));
        doc.addEffect(x);
    }
    doc.setText(kTextName, "random");
}

// One random primitive call; indices stray a little outside the document to reach the failures.
void RandomPrimitive(cProject& doc, cRandom& r) {
    const int n = std::max(doc.frameCount(), 1);
    const int cells = doc.cellNumber();
    auto frame = [&] { return r.range(-1, n + 2); };
    auto cell = [&] { return r.range(-1, cells); };
    const int kind = r.range(0, 12);
    if (kind == 9) {
        strPicture p{static_cast<uint16_t>(r.range(0, 9)), 2, static_cast<uint16_t>(r.range(0, 400)),
                     "p.png"};
        if (r.chance(0.5))
            doc.setPicture(r.range(-1, 6), r.chance(0.7) ? &p : nullptr);
        else
            doc.exchangePictures(r.range(-1, 6), r.range(0, 6));
    } else if (kind == 10) {
        strEffect e{.startFrame = static_cast<uint16_t>(r.range(0, n)), .flags = strEffect::kUserData};
        e.userData = std::to_string(r.range(0, 99));
        const int i = r.range(-1, doc.effectCount());
        const int which = r.range(0, 3);
        if (which == 0)
            doc.addEffect(e);
        else if (which == 1)
            doc.insertEffect(i, e);
        else if (which == 2)
            doc.removeEffect(i);
        else
            doc.changeEffect(i, e);
    } else if (kind == 11) {
        if (r.chance(0.5))
            doc.setSetting(r.range(kKeyEditFormat, kKeyLock + 1), r.range(0, 5));
        else
            doc.setText(r.chance(0.5) ? kTextName : kTextUserData, r.chance(0.5) ? "a" : "bb");
    } else if (kind == 12) {
        doc.setCellNumber(r.range(0, 11));
    } else if (kind <= 1) {
        strCell c = RandomCell(r);
        doc.setCell(frame(), cell(), r.chance(0.8) ? &c : nullptr);
    } else if (kind == 2) {
        doc.setFrameInterval(frame(), static_cast<uint16_t>(r.range(0, 300)));
    } else if (kind == 3) {
        doc.setLockedPicture(cell(), static_cast<uint8_t>(r.range(0, 6)));
    } else if (kind == 4) { // mostly slides inside the document, sometimes towards the last slots
        const int cap = doc.frameCapacity();
        const int from = r.chance(0.9) ? r.range(-1, n + 1) : r.range(cap - 5, cap);
        const int to = r.chance(0.9) ? r.range(-1, n + 3) : r.range(cap - 5, cap);
        doc.slideFrames(from, r.range(0, n + 1), to);
    } else if (kind == 5) {
        doc.exchangeCells(frame(), cell(), frame(), cell());
    } else if (kind == 6) {
        doc.exchangeFrames(frame(), frame());
    } else if (kind == 7 && r.chance(0.3)) {
        doc.replaceFrame(frame(), nullptr);
    } else if (kind == 7 && r.chance(0.5)) {
        doc.replaceFrame(frame(), doc.frame(frame())); // a copy of another frame (or none)
    } else if (kind == 7) {
        strFrame f = RandomFrame(doc, r, r.chance(0.8) ? cells : r.range(1, cells + 2));
        doc.replaceFrame(frame(), &f);
    } else {
        doc.replaceFrame(frame(), &doc.blankFrame());
    }
}

// Picks a random occupied current frame and selection, then runs one random command. Returns false
// (running nothing) when the document has no frame to stand on.
bool RandomCommand(cEditCommands& ed, cConfig& cfg, cRandom& r, strEditResult& out) {
    cProject& doc = ed.document();
    std::vector<int> occupied;
    for (int f = 0; f < doc.frameCount(); ++f)
        if (doc.frame(f)) occupied.push_back(f);
    if (occupied.empty()) return false;
    ed.setCurrentFrame(occupied[r.range(0, static_cast<int>(occupied.size()) - 1)]);
    ed.clearSelection();
    for (int c = 0; c < doc.cellNumber(); ++c)
        if (r.chance(0.35)) ed.select(c);
    cfg.CompType = r.range(0, 2);
    cfg.NewFrameFlag = r.chance(0.5);
    const int n = doc.frameCount();
    const std::function<strEditResult()> commands[] = {
        [&] { return ed.insertFrame(); },
        [&] { return ed.deleteFrame(); },
        [&] { return ed.deleteFrames(r.range(-1, n), r.range(0, 4)); },
        [&] { return ed.clearFrame(); },
        [&] { return ed.clearFrames(r.range(-1, n), r.range(0, 4)); },
        [&] { return ed.copyFromPreviousFrame(); },
        [&] { return ed.copyFromNextFrame(); },
        [&] { return ed.completeFrame(); },
        [&] { return ed.nextFrame(); },
        [&] { return ed.previousFrame(); },
        [&] { return r.chance(0.5) ? ed.firstFrame() : ed.lastFrame(); },
        [&] { return ed.completeSelectedCells(); },
        [&] { return ed.deleteSelectedCells(); },
        [&] { return ed.toForeground(); },
        [&] { return ed.toBackground(); },
        [&] { return ed.selectAll(); },
    };
    out = commands[r.range(0, static_cast<int>(std::size(commands)) - 1)]();
    return true;
}

// A document state: its fingerprint and the number naming it (a state reached again by new
// changes gets a new number, as the history gives it).
struct strState {
    std::string print;
    int id = 0;
};

void RunSequence(uint32_t seed, int depth, int operations) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " depth " + std::to_string(depth));
    cRandom r(seed);
    cConfig cfg;
    cProject doc(&cfg);
    BuildRandomDocument(doc, r);
    doc.history().clear(depth);
    cHistory& history = doc.history();
    cEditCommands ed(doc, cfg);

    int ids = 0;
    std::vector<strState> done{{ProjectFingerprint(doc), 0}}; // states undo reaches; back() is now
    std::vector<strState> undone;                             // states redo reaches; back() is next
    int saved = 0;
    const std::string startJson = DumpProjectJson(doc);

    for (int op = 0; op < operations; ++op) {
        SCOPED_TRACE("operation " + std::to_string(op));
        const int kind = r.range(0, 10);
        if (kind <= 1) { // Undo or Redo
            auto& from = kind == 0 ? done : undone;
            auto& to = kind == 0 ? undone : done;
            const strEditResult res = kind == 0 ? ed.undo() : ed.redo();
            ASSERT_EQ(res.ok, from.size() > (kind == 0 ? 1u : 0u));
            if (res.ok) {
                to.push_back(from.back());
                from.pop_back();
            }
            ASSERT_EQ(done.back().print, ProjectFingerprint(doc));
            ASSERT_EQ(doc.modified(), done.back().id != saved);
            continue;
        }
        if (kind == 10) { // Save
            doc.markSaved();
            saved = done.back().id;
            ASSERT_FALSE(doc.modified());
            continue;
        }
        const cRestoreObj* newestBefore = history.undoStep(0);
        if (kind <= 5) { // one transaction of raw primitives, committed or failing
            cTransaction t(doc, strMessage(kStepBatch));
            for (int k = r.range(1, 5); k > 0; --k)
                RandomPrimitive(doc, r);
            if (r.chance(0.2)) {
                t.rollback();
                ASSERT_EQ(done.back().print, ProjectFingerprint(doc)) << "rollback";
                continue;
            }
            t.commit();
        } else {
            strEditResult res;
            if (!RandomCommand(ed, cfg, r, res)) continue;
            ASSERT_TRUE(res.alert.none()) << "frame repair ran";
        }
        const bool committed = history.undoStep(0) != newestBefore;
        const std::string now = ProjectFingerprint(doc);
        if (committed) {
            done.push_back({now, ++ids});
            undone.clear();
            if (done.size() > static_cast<size_t>(depth) + 1) done.erase(done.begin());
        } else if (depth == 0) {
            // Nothing is kept: a change leaves a state no undo reaches (a change the fingerprint
            // cannot see, two empty slots exchanged, only the flag tells).
            if (now != done.back().print || doc.modified() != (done.back().id != saved))
                done.assign(1, {now, ++ids});
        } else {
            // a step that did not enter the history changed nothing
            ASSERT_EQ(done.back().print, now);
        }
        ASSERT_LE(history.undoCount(), static_cast<size_t>(depth));
        ASSERT_EQ(history.undoCount(), done.size() - 1);
        ASSERT_EQ(history.redoCount(), undone.size());
        ASSERT_EQ(doc.modified(), done.back().id != saved);
    }

    // Undo everything: the oldest state the depth keeps; redo everything: the last state.
    const std::string last = depth == 0       ? done.back().print
                             : undone.empty() ? done.back().print
                                              : undone.front().print;
    size_t steps = 0;
    while (ed.undo().ok)
        ++steps;
    EXPECT_EQ(steps, done.size() - 1);
    ASSERT_EQ(done.front().print, ProjectFingerprint(doc));
    while (ed.redo().ok) {
    }
    ASSERT_EQ(last, ProjectFingerprint(doc));
    if (depth >= operations) {
        // nothing was pushed out: every step undoes back to the very start
        while (ed.undo().ok) {
        }
        EXPECT_EQ(DumpProjectJson(doc), startJson);
    }
}

} // namespace

// Short sequences at the full depth and long ones at small depths.
TEST(HistoryProperty, UndoAndRedoReplayEveryStepExactly) {
    const int depths[] = {0, 1, 2, 5, 32};
    for (uint32_t seed = 1; seed <= testing_support::PropertySeeds(80); ++seed) {
        RunSequence(seed, cHistory::kMaxDepth, 30);
        RunSequence(1000 + seed, depths[seed % 5], 80);
        if (testing::Test::HasFatalFailure()) return;
    }
}
