// The GIF draft's timing and placement.

#include "tool_fixture.h"
#include "tools/gif_draft.h"

using namespace tools_test;

namespace {

TEST(GifDraft, FrameOfTheAnimationTick) {
    Doc d(4);
    d.doc.setSetting(kKeyBasicInterval, 3);
    ASSERT_TRUE(d.doc.setFrameInterval(1, 5)); // frames of 3, 5, 3, 3 ticks
    // {frame, ticks into it, tick}; the time into a frame is held within it.
    for (auto [frame, into, tick] : {std::array{2, 0, 8}, {3, 2, 13}, {1, 9, 7}, {2, -4, 8}, {9, 0, 14}})
        EXPECT_EQ(AnimationTick(d.doc, frame, into), tick) << frame << "+" << into;
    // {tick, start tick, speed, GIF frames, frame shown}: the offset is start x speed / 100.
    for (auto [tick, start, speed, count, frame] : {std::array{7, 0, 250, 30, 17},
                                                    {7, 3, 50, 10, 2},
                                                    {2, 3, 100, 10, 0},
                                                    {40, 0, 100, 10, 9},
                                                    {7, 0, -50, 10, 0},
                                                    {7, 0, 100, 0, -1}})
        EXPECT_EQ(GifDraftFrame(tick, start, speed, count), frame) << tick << " " << start << " " << speed;
}

TEST(GifDraft, DragTurnsAndScales) {
    // A GIF 80 pixels wide: {dx, dy, zoom, angle, scale x 100}.
    for (auto [dx, dy, zoom, angle, scale] : {std::array{0., 40., 1., 90., 100.},
                                              {-30., -1., 1., -179., 75.},
                                              {80., 0., 2., 0., 100.},
                                              {33., 0., 1., 0., 82.},
                                              {1., 0., 4., 0., 1.}}) {
        const strGifDraftPlacement p = PlaceGifDraft(-12, 30, 6, dx, dy, zoom, 80, true);
        EXPECT_EQ(p.angle, int(angle)) << dx << "," << dy;
        EXPECT_DOUBLE_EQ(p.scale, scale / 100) << dx << "," << dy;
    }
    const strGifDraftPlacement still = PlaceGifDraft(-12, 30, 6, 60, 60, 1, 80, false);
    EXPECT_EQ((std::array{still.x, still.y, still.scale, double(still.angle), double(still.startFrame)}),
              (std::array{-12., 30., 1., 0., 6.}));
}

} // namespace
