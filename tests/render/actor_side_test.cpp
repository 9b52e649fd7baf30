// The actor-side view: a mirrored composition is the plain one flipped left to right, pixel for pixel,
// and the cell transform holds its fields to their ranges.

#include "render/actor_side.h"
#include "render/frame_composer.h"
#include "render_fixture.h"

#include "config/config.h"
#include "image/picture_slot_table.h"
#include "support/document_builder.h"

#include <gtest/gtest.h>

#include <climits>
#include <vector>

using namespace render_fixture;

namespace {

// Every row of a w x h target, read left to right (or right to left).
std::vector<std::vector<uint32_t>> Rows(const cTexture& t, bool reversed) {
    std::vector<std::vector<uint32_t>> rows;
    for (int y = 0; y < t.height(); ++y) {
        std::vector<uint32_t> row;
        for (int x = 0; x < t.width(); ++x)
            row.push_back(t.pixel(reversed ? t.width() - 1 - x : x, y));
        rows.push_back(row);
    }
    return rows;
}

} // namespace

TEST(ActorSide, CellTransformNegatesXMagnificationAndAngleOnly) {
    struct strRow {
        strCell in, out;
    };
    const strRow rows[] = {
        {{.x = 30, .y = -7, .mx = 150, .my = 80, .angle = 450},
         {.x = -30, .y = -7, .mx = -150, .my = 80, .angle = -450}},
        {{.x = -12, .mx = -100, .angle = -900}, {.x = 12, .mx = 100, .angle = 900}},
        {{.x = INT16_MIN, .mx = INT16_MIN, .angle = INT16_MIN},
         {.x = INT16_MAX, .mx = INT16_MAX, .angle = INT16_MAX}},
    };
    for (const strRow& r : rows) {
        strCell c = r.in;
        c.opacity = 77;
        c.red = 20;
        MirrorCellForActorSide(c);
        strCell want = r.out;
        want.opacity = 77;
        want.red = 20;
        EXPECT_EQ(c, want) << r.in.x;
    }
    EXPECT_EQ(MirrorAreaForActorSide({-10, -5, 30, 8}), (strCaptureArea{-30, -5, 10, 8}));
}

TEST(ActorSide, MirroredRenderIsThePlainRenderFlipped) {
    cConfig config;
    config.setDefaults();
    cProject doc(&config);
    ASSERT_TRUE(testing_support::MakeFrames(doc, 1, 4));
    cPictureSlotTable slots;
    // An asymmetric 8 x 6 pattern: every texel its own colour.
    slots.insert(MakeSlot(8, 6, Distinct), 0);
    // The target picture, asymmetric too, offset to the right.
    slots.insert(MakeSlot(6, 4, [](int x, int y) { return Argb(255, 40 * x, 10, 60 * y); }),
                 cPictureSlotTable::kTargetPicture);
    const strCell cells[] = {
        {.x = 9, .y = -3},                                  // plain, right of the centre
        {.x = -14, .y = 5, .mx = 200, .my = 100},           // stretched
        {.x = 3, .y = 8, .mx = -100, .angle = 900},         // mirrored in the document and turned
        {.x = -20, .y = -10, .angle = 300, .opacity = 180}, // turned by 30 degrees, translucent
    };
    for (int c = 0; c < 4; ++c)
        ASSERT_TRUE(doc.setCell(0, c, &cells[c]));

    const strCaptureArea area{-32, -20, 32, 20};
    cSpriteDrawer drawer;
    cTexture plain = MakeTarget(64, 40), mirrored = MakeTarget(64, 40);
    strFrameScene scene{.background = 0xFF102030, .drawTarget = true, .targetOffsetX = 7, .targetOffsetY = 2};
    ASSERT_EQ(ComposeFrame(drawer, plain, slots, doc, 0, area, scene), 4);
    scene.actorSide = true;
    ASSERT_EQ(ComposeFrame(drawer, mirrored, slots, doc, 0, area, scene), 4);
    EXPECT_NE(Rows(plain, false), Rows(plain, true)); // the picture is not symmetric by itself
    EXPECT_EQ(Rows(mirrored, false), Rows(plain, true));
    // The document keeps its cells.
    EXPECT_EQ(*doc.cell(0, 2), cells[2]);
}
