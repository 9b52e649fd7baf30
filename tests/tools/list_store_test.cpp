// Committing an edited effect to the list, and a pattern dropped from the palette.

#include "tool_fixture.h"
#include "tools/effect_edit.h"
#include "tools/pattern_drop.h"

#include <gtest/gtest.h>

#include <vector>

using tools_test::Cell;
using tools_test::Doc;

namespace {

// Effects named by their user data, in list order.
std::vector<std::string> Names(const cProject& doc) {
    std::vector<std::string> out;
    for (int i = 0; i < doc.effectCount(); ++i)
        out.push_back(doc.effect(i) ? doc.effect(i)->userData : "-");
    return out;
}

strEffect Effect(int frame, const char* name) {
    return {.startFrame = static_cast<uint16_t>(frame), .userData = name};
}

} // namespace

TEST(EffectStore, AMovedEffectKeepsEveryOtherEffect) {
    struct strCase {
        int slot;
        int newFrame;
        int expectedSlot;
        std::vector<std::string> expected;
    };
    const strCase cases[] = {
        {0, 10, 3, {"b", "c", "d", "a"}},       // after those already at 10
        {3, 0, 1, {"a", "d", "b", "c"}},        // moved before its old place
        {1, 3, 1, {"a", "b", "c", "d"}},        // stays
        {4, 5, 2, {"a", "b", "new", "c", "d"}}, // the empty row: a new effect
    };
    for (const strCase& c : cases) {
        Doc d;
        d.doc.create(4, 4, 4, 8);
        for (const strEffect& e : {Effect(0, "a"), Effect(2, "b"), Effect(6, "c"), Effect(10, "d")})
            d.doc.addEffect(e);
        strEffect edited = d.doc.effect(c.slot) ? *d.doc.effect(c.slot) : Effect(0, "new");
        edited.startFrame = static_cast<uint16_t>(c.newFrame);
        EXPECT_EQ(StoreEditedEffect(d.doc, c.slot, edited), c.expectedSlot) << c.slot;
        EXPECT_EQ(Names(d.doc), c.expected) << c.slot;
        EXPECT_EQ(d.doc.effect(c.expectedSlot)->startFrame, c.newFrame);
    }
}

TEST(EffectStore, AFullListRefusesANewEffectAndKeepsAnEditedOne) {
    Doc d;
    d.doc.create(4, 4, 4, 2);
    d.doc.effects().allocate(2);
    d.doc.addEffect(Effect(1, "a"));
    d.doc.addEffect(Effect(2, "b"));
    EXPECT_EQ(StoreEditedEffect(d.doc, 2, Effect(0, "c")), -1);
    EXPECT_EQ(StoreEditedEffect(d.doc, 1, Effect(0, "b2")), 0);
    EXPECT_EQ(Names(d.doc), (std::vector<std::string>{"b2", "a"}));
}

TEST(PatternDrop, NewCellsGoToTheFirstNumberTheLockAllows) {
    struct strCase {
        bool lock;
        std::vector<int> occupied;
        int picture;
        int expected;
    };
    // Lock table: cell numbers 0..3 locked to pictures 0, 0, 1, 1.
    const strCase cases[] = {
        {false, {0, 1}, 1, 2},        {true, {}, 1, 2},  {true, {2}, 1, 3}, {true, {2, 3}, 1, -1},
        {false, {0, 1, 2, 3}, 0, -1}, {true, {}, 5, -1},
    };
    for (const strCase& c : cases) {
        Doc d;
        d.doc.lockTable() = {0, 0, 1, 1};
        d.doc.setSetting(kKeyLock, c.lock ? 1 : 0);
        for (int cell : c.occupied)
            d.put(2, cell, Cell(0));
        EXPECT_EQ(FreeCellFor(d.doc, 2, c.picture), c.expected) << c.lock << " " << c.picture;
    }
    Doc d;
    EXPECT_EQ(FreeCellFor(d.doc, 500, 0), -1);
}

TEST(PatternDrop, ADropCreatesOrChangesOneCellAsOneStep) {
    Doc d;
    const strCell old{.x = 40, .y = -8, .angle = 300, .opacity = 90};
    d.put(1, 0, old);
    d.put(1, 1, Cell(0));

    EXPECT_EQ(DropPattern(d.ctx, {.frame = 1, .target = -1, .picture = 1, .pattern = 3, .x = 12, .y = -7}),
              2);
    EXPECT_EQ(*d.at(1, 2), (strCell{.picture = 1, .pattern = 3, .x = 12, .y = -7}));

    EXPECT_EQ(DropPattern(d.ctx, {.frame = 1, .target = 0, .picture = 2, .pattern = 5, .x = 99, .y = 99}), 0);
    strCell changed = old;
    changed.picture = 2;
    changed.pattern = 5;
    EXPECT_EQ(*d.at(1, 0), changed);
    EXPECT_EQ(d.history.undoCount(), 2u);

    d.history.undo();
    EXPECT_EQ(*d.at(1, 0), old);
}
