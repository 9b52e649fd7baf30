// A pattern dropped from the palette.

#include "tool_fixture.h"
#include "tools/pattern_drop.h"

#include <gtest/gtest.h>

using tools_test::CellAt;
using tools_test::Doc;

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
        d.doc.setLockedPicture(2, 1);
        d.doc.setLockedPicture(3, 1);
        d.doc.setSetting(kKeyLock, c.lock ? 1 : 0);
        for (int cell : c.occupied)
            d.put(2, cell, CellAt(0));
        EXPECT_EQ(FreeCellFor(d.doc, 2, c.picture), c.expected) << c.lock << " " << c.picture;
    }
    Doc d;
    EXPECT_EQ(FreeCellFor(d.doc, 500, 0), -1);
}

TEST(PatternDrop, ADropCreatesOrChangesOneCellAsOneStep) {
    Doc d;
    const strCell old{.x = 40, .y = -8, .angle = 300, .opacity = 90};
    d.put(1, 0, old);
    d.put(1, 1, CellAt(0));

    EXPECT_EQ(DropPattern(d.ctx, {.frame = 1, .target = -1, .picture = 1, .pattern = 3, .x = 12, .y = -7}),
              2);
    EXPECT_EQ(*d.at(1, 2), (strCell{.picture = 1, .pattern = 3, .x = 12, .y = -7}));

    EXPECT_EQ(DropPattern(d.ctx, {.frame = 1, .target = 0, .picture = 2, .pattern = 5, .x = 99, .y = 99}), 0);
    strCell changed = old;
    changed.picture = 2;
    changed.pattern = 5;
    EXPECT_EQ(*d.at(1, 0), changed);
    EXPECT_EQ(d.history.undoCount(), 2u);
    EXPECT_EQ(FormatMessage(*d.history.undoLabel()), "Pattern 5 of picture 2 on cell 0");

    d.history.undo();
    EXPECT_EQ(*d.at(1, 0), old);
}
