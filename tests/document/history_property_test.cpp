// Property test of the undo history: random sequences of every primitive and every editing command,
// with Undo and Redo mixed in, on random documents and at several depths. A model keeps the
// document state after every step that entered the history; each Undo and Redo must land exactly
// on the model's state, undoing everything must give back the oldest state the depth keeps, and
// redoing everything the last one.

#include "config/config.h"
#include "document/edit_commands.h"
#include "document/history.h"
#include "document/project.h"
#include "document/project_dump.h"
#include "document/restore.h"
#include "support/document_compare.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <vector>

using testing_support::FingerprintDifference;
using testing_support::ProjectFingerprint;

namespace {

class cRandom {
public:
    explicit cRandom(uint32_t seed) : rng_(seed) {}
    int range(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    bool chance(double p) { return std::bernoulli_distribution(p)(rng_); }

private:
    std::mt19937 rng_;
};

strCell RandomCell(cRandom& r) {
    strCell c;
    c.picture = static_cast<uint8_t>(r.range(0, 255));
    c.pattern = static_cast<uint16_t>(r.range(0, 65535));
    c.blend = static_cast<uint8_t>(r.range(0, 6));
    c.x = static_cast<int16_t>(r.range(-1200, 1200));
    c.y = static_cast<int16_t>(r.range(-1200, 1200));
    c.mx = static_cast<int16_t>(r.range(-1100, 1100));
    c.my = static_cast<int16_t>(r.range(-1100, 1100));
    c.angle = static_cast<int16_t>(r.range(-4000, 4000));
    c.opacity = static_cast<uint8_t>(r.range(0, 255));
    c.red = static_cast<uint8_t>(r.range(0, 255));
    c.green = static_cast<uint8_t>(r.range(0, 255));
    c.blue = static_cast<uint8_t>(r.range(0, 255));
    c.saturation = static_cast<uint8_t>(r.range(0, 255));
    return c;
}

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
    for (auto& v : doc.lockTable()) v = static_cast<uint8_t>(r.range(0, 5));
    doc.setSetting(kKeyBasicInterval, r.range(1, 4));
    const int frames = r.range(1, 25);
    for (int f = 0; f < frames; ++f) {
        doc.frames().setCopy(f, doc.blankFrame());
        doc.setFrameInterval(f, static_cast<uint16_t>(r.range(0, 9)));
        for (int c = 0; c < doc.cellNumber(); ++c)
            if (r.chance(0.45)) {
                strCell cell = RandomCell(r);
                doc.setCell(f, c, &cell);
            }
    }
    for (int p = 0; p < r.range(0, 3); ++p) doc.pictures().setCopy(r.range(0, 5), strPicture{});
    for (int e = 0; e < r.range(0, 3); ++e) {
        strEffect x;
        x.startFrame = static_cast<uint16_t>(r.range(0, frames));
        doc.addEffect(x);
    }
    doc.setText(kTextName, "random");
}

// One random primitive call; indices stray a little outside the document to reach the failures.
void RandomPrimitive(cProject& doc, cRandom& r) {
    const int n = std::max(doc.frames().count(), 1);
    const int cells = doc.cellNumber();
    auto frame = [&] { return r.range(-1, n + 2); };
    auto cell = [&] { return r.range(-1, cells); };
    switch (r.range(0, 8)) {
    case 0:
    case 1: {
        strCell c = RandomCell(r);
        doc.setCell(frame(), cell(), r.chance(0.8) ? &c : nullptr);
        break;
    }
    case 2: doc.setFrameInterval(frame(), static_cast<uint16_t>(r.range(0, 300))); break;
    case 3: doc.setLockedPicture(cell(), static_cast<uint8_t>(r.range(0, 6))); break;
    case 4: {
        // mostly slides inside the document, sometimes towards the last slots
        const int cap = doc.frames().capacity();
        const int from = r.chance(0.9) ? r.range(-1, n + 1) : r.range(cap - 5, cap);
        const int to = r.chance(0.9) ? r.range(-1, n + 3) : r.range(cap - 5, cap);
        doc.slideFrames(from, r.range(0, n + 1), to);
        break;
    }
    case 5: doc.exchangeCells(frame(), cell(), frame(), cell()); break;
    case 6: doc.exchangeFrames(frame(), frame()); break;
    case 7: {
        const int i = frame();
        if (r.chance(0.3)) {
            doc.replaceFrame(i, nullptr);
        } else if (r.chance(0.5)) {
            doc.replaceFrame(i, doc.frame(frame()));  // a copy of another frame (or none)
        } else {
            strFrame f = RandomFrame(doc, r, r.chance(0.8) ? cells : r.range(1, cells + 2));
            doc.replaceFrame(i, &f);
        }
        break;
    }
    default: doc.replaceFrame(frame(), &doc.blankFrame()); break;
    }
}

// Picks a random occupied current frame and selection, then runs one random command. Returns false
// (running nothing) when the document has no frame to stand on.
bool RandomCommand(cEditCommands& ed, cConfig& cfg, cRandom& r, strEditResult& out) {
    cProject& doc = ed.document();
    std::vector<int> occupied;
    for (int f = 0; f < doc.frames().count(); ++f)
        if (doc.frame(f)) occupied.push_back(f);
    if (occupied.empty()) return false;
    ed.setCurrentFrame(occupied[r.range(0, static_cast<int>(occupied.size()) - 1)]);
    ed.clearSelection();
    for (int c = 0; c < doc.cellNumber(); ++c)
        if (r.chance(0.35)) ed.select(c);
    cfg.CompType = r.range(0, 2);
    cfg.NewFrameFlag = r.chance(0.5);
    const int n = doc.frames().count();
    switch (r.range(0, 16)) {
    case 0: out = ed.insertFrame(); break;
    case 1: out = ed.deleteFrame(); break;
    case 2: out = ed.deleteFrames(r.range(-1, n), r.range(0, 4)); break;
    case 3: out = ed.clearFrame(); break;
    case 4: out = ed.clearFrames(r.range(-1, n), r.range(0, 4)); break;
    case 5: out = ed.copyFromPreviousFrame(); break;
    case 6: out = ed.copyFromNextFrame(); break;
    case 7: out = ed.completeFrame(); break;
    case 8: out = ed.nextFrame(); break;
    case 9: out = ed.previousFrame(); break;
    case 10: out = r.chance(0.5) ? ed.firstFrame() : ed.lastFrame(); break;
    case 11: out = ed.completeSelectedCells(); break;
    case 12: out = ed.deleteSelectedCells(); break;
    case 13: out = ed.toForeground(); break;
    case 14: out = ed.toBackground(); break;
    case 15: out = ed.selectAll(); break;
    default: out = ed.insertFrame(); break;
    }
    return true;
}

struct strModel {
    std::vector<std::string> done;    // states reachable by undo; back() is the current one
    std::vector<std::string> undone;  // states reachable by redo; back() is the next one
};

void RunSequence(uint32_t seed, int depth, int operations) {
    SCOPED_TRACE("seed " + std::to_string(seed) + " depth " + std::to_string(depth));
    cRandom r(seed);
    cConfig cfg;
    cProject doc(&cfg);
    BuildRandomDocument(doc, r);
    cHistory history(depth);
    cEditCommands ed(doc, history, cfg);

    strModel model;
    model.done.push_back(ProjectFingerprint(doc));
    const std::string startJson = DumpProjectJson(doc);

    for (int op = 0; op < operations; ++op) {
        SCOPED_TRACE("operation " + std::to_string(op));
        const int kind = r.range(0, 9);
        if (kind == 0) {  // Undo
            const strEditResult res = ed.undo();
            ASSERT_EQ(res.ok, model.done.size() > 1);
            if (res.ok) {
                model.undone.push_back(model.done.back());
                model.done.pop_back();
            }
            ASSERT_EQ(FingerprintDifference(model.done.back(), ProjectFingerprint(doc)), "");
            continue;
        }
        if (kind == 1) {  // Redo
            const strEditResult res = ed.redo();
            ASSERT_EQ(res.ok, !model.undone.empty());
            if (res.ok) {
                model.done.push_back(model.undone.back());
                model.undone.pop_back();
            }
            ASSERT_EQ(FingerprintDifference(model.done.back(), ProjectFingerprint(doc)), "");
            continue;
        }

        const cRestoreObj* newestBefore = history.undoStep(0);
        if (kind <= 5) {  // one step of raw primitives
            history.open();
            for (int k = r.range(1, 5); k > 0; --k) RandomPrimitive(doc, r);
            history.close(true);
        } else {
            strEditResult res;
            if (!RandomCommand(ed, cfg, r, res)) continue;
            ASSERT_TRUE(res.alert.none()) << "frame repair ran";
        }
        const bool committed = history.undoStep(0) != newestBefore;
        const std::string now = ProjectFingerprint(doc);
        if (committed) {
            model.done.push_back(now);
            model.undone.clear();
            if (model.done.size() > static_cast<size_t>(depth) + 1) model.done.erase(model.done.begin());
        } else if (depth == 0) {
            model.done.assign(1, now);  // nothing recorded: the change cannot be undone
        } else {
            // a step that did not enter the history changed nothing
            ASSERT_EQ(FingerprintDifference(model.done.back(), now), "");
        }
        ASSERT_LE(history.undoCount(), static_cast<size_t>(depth));
        ASSERT_EQ(history.undoCount(), model.done.size() - 1);
        ASSERT_EQ(history.redoCount(), model.undone.size());
    }

    // Undo everything: the oldest state the depth keeps; redo everything: the last state.
    const std::string last = depth == 0 ? model.done.back()
                              : model.undone.empty() ? model.done.back()
                                                     : model.undone.front();
    size_t undone = 0;
    while (ed.undo().ok) ++undone;
    EXPECT_EQ(undone, model.done.size() - 1);
    ASSERT_EQ(FingerprintDifference(model.done.front(), ProjectFingerprint(doc)), "");
    while (ed.redo().ok) {
    }
    ASSERT_EQ(FingerprintDifference(last, ProjectFingerprint(doc)), "");
    if (depth >= operations) {
        // nothing was pushed out: every step undoes back to the very start
        while (ed.undo().ok) {
        }
        EXPECT_EQ(DumpProjectJson(doc), startJson);
    }
}

// More seeds for a deeper local run: PELKO_PROPERTY_SEEDS=5000.
uint32_t SeedCount(uint32_t standard) {
    const char* env = std::getenv("PELKO_PROPERTY_SEEDS");
    const long n = env ? std::strtol(env, nullptr, 10) : 0;
    return n > 0 ? static_cast<uint32_t>(n) : standard;
}

}  // namespace

TEST(HistoryProperty, UndoAndRedoReplayEveryStepExactly) {
    for (uint32_t seed = 1; seed <= SeedCount(80); ++seed) {
        RunSequence(seed, cHistory::kMaxDepth, 30);
        if (testing::Test::HasFatalFailure()) return;
    }
}

TEST(HistoryProperty, LongSequencesAtSmallDepths) {
    const int depths[] = {0, 1, 2, 5, 32};
    for (uint32_t seed = 1000; seed < 1000 + SeedCount(80); ++seed) {
        RunSequence(seed, depths[seed % 5], 80);
        if (testing::Test::HasFatalFailure()) return;
    }
}
