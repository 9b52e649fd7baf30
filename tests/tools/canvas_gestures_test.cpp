// The canvas gestures fed with points, without a window: selection by click, the move / rotate /
// scale drags with snapping and Shift, the drag range, what records nothing, the Scale tool's band
// and pivot, the spline's three points, the GIF draft placement and panning.

#include "tools/canvas_gestures.h"

#include "config/config.h"
#include "document/edit_commands.h"
#include "document/project.h"
#include "support/document_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

namespace {

// Cells of 96 x 96 pixels (picture 0, any pattern from 1) on `frames` frames of 8 cell numbers, the
// view at a zoom with a drag threshold of 4 screen pixels, the position step 4, scale step 30 and
// angle step 300 switched on.
struct Canvas {
    explicit Canvas(std::vector<std::array<int, 3>> cells, int frames = 1, double zoom = 1) {
        config.setDefaults();
        testing_support::MakeFrames(doc, frames, 8);
        doc.setSetting(kKeyEditFormat, 0);
        for (int f = 0; f < frames; ++f) {
            for (const auto& [n, x, y] : cells) {
                const strCell c{.pattern = 1, .x = int16_t(x), .y = int16_t(y)};
                doc.setCell(f, n, &c);
            }
        }
        commands = std::make_unique<cEditCommands>(doc, config);
        ctx.doc = &doc;
        ctx.commands = commands.get();
        ctx.steps = {4, 30, 300};
        ctx.sizeOf = [](const strCell& c, int& w, int& h) {
            w = h = 96;
            return c.picture == 0 && c.pattern >= 1;
        };
        ctx.zoom = zoom;
    }
    strGestureEvent at(double x, double y, int button = kButtonLeft, strGestureKeys keys = {}) const {
        return {x, y, button, keys};
    }
    strGestureResult press(double x, double y, strGestureKeys keys = {}, int button = kButtonLeft) {
        return gestures.press(ctx, at(x, y, button, keys));
    }
    strGestureResult moveTo(double x, double y, strGestureKeys keys = {}) {
        return gestures.move(ctx, at(x, y, kButtonNone, keys));
    }
    strGestureResult release(double x, double y, strGestureKeys keys = {}, int button = kButtonLeft) {
        return gestures.release(ctx, at(x, y, button, keys));
    }
    // Press, four steps, release.
    strGestureResult drag(double x0, double y0, double x1, double y1, strGestureKeys keys = {}) {
        press(x0, y0, keys);
        for (int k = 1; k <= 4; ++k)
            moveTo(x0 + (x1 - x0) * k / 4, y0 + (y1 - y0) * k / 4, keys);
        return release(x1, y1, keys);
    }
    const strCell& cell(int n, int frame = 0) const { return *doc.cell(frame, n); }
    std::array<int, 5> fields(int n, int frame = 0) const {
        const strCell& c = cell(n, frame);
        return {c.x, c.y, c.angle, c.mx, c.my};
    }
    size_t steps() const { return doc.history().undoCount(); }

    cConfig config;
    cProject doc{&config};
    std::unique_ptr<cEditCommands> commands;
    cCanvasGestures gestures;
    strGestureContext ctx;
};

const strGestureKeys kShift{.shift = true}, kCtrl{.ctrl = true}, kRotate{.rotate = true},
    kScale{.scale = true}, kGif{.gifDraft = true};

TEST(CanvasGestures, ClicksSelect) {
    Canvas c({{2, 0, 0}, {5, 30, 0}, {1, -140, 0}, {3, 140, 60}, {4, 140, -60}});
    const struct {
        double x, y;
        strGestureKeys keys;
        std::vector<int> selection;
        int current;
    } clicks[] = {
        {20, 0, {}, {5}, 5},         // the overlap of 2 and 5: the higher number is on top
        {-140, 0, {}, {1}, 1},       // a click selects one
        {140, 60, kCtrl, {1, 3}, 3}, // Ctrl adds
        {140, -60, kCtrl, {1, 3, 4}, 4},
        {140, 60, {}, {3}, 3},  // a plain click on a selected cell keeps it alone
        {-60, 100, {}, {}, -1}, // nothing under the point
    };
    for (const auto& k : clicks) {
        c.press(k.x, k.y, k.keys);
        c.release(k.x, k.y, k.keys);
        EXPECT_EQ(c.commands->selection(), k.selection) << k.x << "," << k.y;
        EXPECT_EQ(c.commands->currentCell(), k.current) << k.x << "," << k.y;
        EXPECT_EQ(c.gestures.tool(), nullptr);
    }
    // The right button selects the same way and asks for the context menu; it starts no gesture.
    const strGestureResult r = c.press(30, 0, {}, kButtonRight);
    EXPECT_TRUE(r.selection && r.popup);
    EXPECT_EQ(c.commands->selection(), std::vector<int>{5});
    EXPECT_EQ(c.gestures.mode(), int(kDragIdle));
    EXPECT_EQ(c.steps(), 0u);
}

TEST(CanvasGestures, MoveSnapsUnlessShiftIsHeldAndShowsThePreview) {
    // At 200 %, the threshold is 2 document pixels; the moved x are 13 and -13 before snapping.
    for (bool shift : {false, true}) {
        Canvas c({{0, 8, -32}, {1, -18, 32}}, 1, 2);
        c.commands->selectAll();
        const strGestureKeys keys = shift ? kShift : strGestureKeys{.ctrl = true};
        c.press(-18, 32, kCtrl);
        c.moveTo(-17, 32, keys); // inside the threshold: nothing shown yet
        EXPECT_EQ(c.gestures.tool()->firstPreview(), -1);
        c.moveTo(-13, 32, keys);
        ASSERT_EQ(c.gestures.tool()->firstPreview(), 0);
        const int right = shift ? 13 : 12;
        EXPECT_EQ(c.gestures.tool()->preview(0)->x, right);
        EXPECT_EQ(c.cell(0).x, 8); // the document waits for the release
        // Shift pressed or let go without a move changes the preview at once.
        c.gestures.modifiers(c.ctx, shift ? strGestureKeys{} : kShift);
        EXPECT_EQ(c.gestures.tool()->preview(0)->x, shift ? 12 : 13);
        c.gestures.modifiers(c.ctx, keys);
        EXPECT_EQ(c.release(-13, 32, keys).stored, 2);
        EXPECT_EQ((std::array{c.cell(0).x, c.cell(1).x, c.cell(1).y}),
                  (std::array<int16_t, 3>{int16_t(right), int16_t(-right), 32}));
        EXPECT_EQ(c.steps(), 1u);
        EXPECT_EQ(c.gestures.tool(), nullptr);
    }
}

TEST(CanvasGestures, RotateAndScaleKeysTurnTheCurrentCellAboutItsPosition) {
    Canvas c({{0, 0, 0}, {1, 100, 0}});
    strCell turned = c.cell(0);
    turned.angle = 1700;
    c.doc.setCell(0, 0, &turned);
    c.commands->selectAll();
    // A quarter turn clockwise: 2600 brought into range, -1000, snapped to the 300 step; the other
    // selected cell is left out.
    c.drag(40, 0, 0, 40, kRotate);
    EXPECT_EQ(c.fields(0), (std::array{0, 0, -900, 100, 100}));
    EXPECT_EQ(c.commands->selection(), std::vector<int>{0});
    // Twice as far from the position doubles both magnifications (200 is off the 30 step: 180).
    c.drag(20, 0, 40, 0, kScale);
    EXPECT_EQ(c.fields(0), (std::array{0, 0, -900, 180, 180}));
    c.drag(20, 0, 30, 0, strGestureKeys{.shift = true, .scale = true});
    EXPECT_EQ(c.fields(0), (std::array{0, 0, -900, 270, 270}));
    EXPECT_EQ(c.steps(), 3u);
    EXPECT_EQ(c.fields(1), (std::array{100, 0, 0, 100, 100}));
    // A press closer to the position than the threshold starts nothing.
    c.press(1, 1, kRotate);
    EXPECT_EQ(c.gestures.tool(), nullptr);
}

TEST(CanvasGestures, DragsThatChangeNothingRecordNothing) {
    Canvas c({{0, 13, 0}, {1, 60, 60}});
    c.drag(13, 0, 13, 0); // a click
    c.drag(13, 0, 14, 1); // a jitter inside the threshold: no snap of the off-step x
    c.press(13, 0);       // cancelled by the right button
    c.moveTo(50, 30);
    c.release(50, 30, {}, kButtonRight);
    EXPECT_EQ(c.gestures.tool(), nullptr);
    c.release(50, 30);
    c.press(60, 60); // away and back
    c.moveTo(90, 20);
    c.moveTo(60, 60);
    EXPECT_EQ(c.release(60, 60).stored, 0);
    EXPECT_EQ((std::array{c.cell(0).x, c.cell(1).x}), (std::array<int16_t, 2>{13, 60}));
    EXPECT_EQ(c.steps(), 0u);
}

TEST(CanvasGestures, DragRangeMovesItsBlockInOneStep) {
    Canvas c({{0, -60, 0}, {1, 60, 0}}, 5);
    c.ctx.range = cTimelineRange::ofCells(1, 0, 3, 0);
    c.ctx.frame = 2;
    c.drag(-60, 0, -40, 8, kShift);
    for (int frame = 0; frame < 5; ++frame) {
        const bool in = frame >= 1 && frame <= 3;
        EXPECT_EQ((std::array{c.cell(0, frame).x, c.cell(0, frame).y, c.cell(1, frame).x}),
                  (std::array<int16_t, 3>{int16_t(in ? -40 : -60), int16_t(in ? 8 : 0), 60}))
            << frame;
    }
    EXPECT_EQ(c.steps(), 1u);
    // The arrow keys go the same way.
    EXPECT_EQ(NudgeCells(c.ctx, 1, 0), 3);
    EXPECT_EQ(c.cell(0, 3).x, -39);
    EXPECT_EQ(c.steps(), 2u);
}

TEST(CanvasGestures, ScaleToolBandThenPivot) {
    Canvas c({{0, 0, 0}});
    c.ctx.toolMode = kToolPivot;
    c.drag(20, 0, 22, 0); // shorter than the threshold: it selects, nothing more
    EXPECT_EQ(c.gestures.tool(), nullptr);
    EXPECT_EQ(c.commands->selection(), std::vector<int>{0});
    for (int button : {kButtonRight, kButtonLeft}) {
        c.drag(20, 0, 70, 0);
        ASSERT_EQ(c.gestures.mode(), int(kDragRotateScale));
        EXPECT_EQ(c.gestures.tool()->referenceX(), 70);
        c.moveTo(20, 100); // twice as far, a quarter turn on
        EXPECT_EQ(c.gestures.tool()->angleAndPercent(), std::pair(900, 180));
        EXPECT_EQ(c.gestures.tool()->preview(0)->angle, 900);
        c.press(20, 100, {}, button);
        EXPECT_EQ(c.gestures.tool(), nullptr);
    }
    // Scaled by 2 and turned about (20, 0): (-20, 0) from the pivot becomes (0, -40); 200 snaps to 180.
    EXPECT_EQ(c.fields(0), (std::array{20, -40, 900, 180, 180}));
    EXPECT_EQ(c.steps(), 1u);
}

TEST(CanvasGestures, SplineBandAndControlPoint) {
    Canvas c({{0, 5, 7}, {1, 200, 0}});
    c.ctx.toolMode = kToolSpline;
    c.commands->selectAll();
    c.drag(5, 7, 100, 100);
    ASSERT_EQ(c.gestures.mode(), int(kDragSpline));
    EXPECT_EQ(c.commands->selection(), std::vector<int>{0}); // the current cell alone
    EXPECT_EQ((std::array{c.gestures.tool()->pivotX(), c.gestures.tool()->pivotY()}), (std::array{5.0, 7.0}));
    c.moveTo(100.7, -0.5);
    const strGestureResult r = c.press(100.7, -0.5);
    ASSERT_TRUE(r.spline);
    EXPECT_EQ((std::array{r.spline->cell, r.spline->startX, r.spline->startY, r.spline->controlX,
                          r.spline->controlY, r.spline->endX, r.spline->endY}),
              (std::array{0, 5, 7, 100, 0, 100, 100}));
    EXPECT_EQ(c.gestures.tool(), nullptr);
    // Without a current cell under the press there is no band.
    c.press(-300, 0);
    EXPECT_EQ(c.gestures.tool(), nullptr);
    EXPECT_EQ(c.steps(), 0u);
}

TEST(CanvasGestures, GifDraftPlacementAndCancel) {
    Canvas c({}, 3, 2);
    strGifDraftPlacement draft{.x = 1, .y = 2, .angle = 5, .scale = 3, .startFrame = 0};
    c.ctx.frame = 2;
    c.press(10.6, 20, kGif); // without a draft the key changes nothing: the Move tool's press
    EXPECT_EQ(c.gestures.tool(), nullptr);
    c.ctx.gifDraft = &draft;
    c.ctx.gifWidth = 50;
    EXPECT_TRUE(c.press(10.6, 20, kGif).placement);
    EXPECT_EQ((std::array{draft.x, draft.y, double(draft.angle), draft.scale, double(draft.startFrame)}),
              (std::array{10.0, 20.0, 0.0, 1.0, 2.0}));
    c.moveTo(10.6, 21); // 2 screen pixels: inside the threshold
    EXPECT_EQ(draft.scale, 1);
    c.moveTo(10.6, 20 + 37.5); // a quarter turn; 37.5 x 2 / 50 = 1.5
    EXPECT_EQ((std::array{double(draft.angle), draft.scale}), (std::array{90.0, 1.5}));
    c.release(10.6, 57.5, {}, kButtonRight);
    EXPECT_EQ((std::array{draft.x, double(draft.angle), draft.scale}), (std::array{1.0, 5.0, 3.0}));
    c.drag(0, 0, 50, 0, kGif);
    EXPECT_EQ((std::array{draft.x, double(draft.angle), draft.scale}), (std::array{0.0, 0.0, 2.0}));
}

TEST(CanvasGestures, PanKeepsThePressedPointUnderThePointer) {
    Canvas c({{0, 0, 0}});
    c.press(40, 30, {}, kButtonMiddle);
    EXPECT_EQ(c.gestures.mode(), int(kDragPan));
    const strGestureResult r = c.moveTo(60, 40);
    EXPECT_EQ((std::array{r.panX, r.panY}), (std::array{-20.0, -10.0}));
    c.release(40, 30, {}, kButtonMiddle);
    EXPECT_EQ(c.gestures.tool(), nullptr);
    EXPECT_TRUE(c.commands->selection().empty()); // panning selects nothing
}

} // namespace

namespace {

TEST(CanvasGestures, ACancelFromTheChangeNoticeWaitsForTheCall) {
    // A view ends a running gesture when the cells change; the notice of the gesture's own store
    // comes while its release runs.
    Canvas c({{0, 0, 0}});
    int notices = 0;
    c.doc.setChangeListener([&](unsigned) {
        ++notices;
        c.gestures.cancel();
    });
    EXPECT_EQ(c.drag(0, 0, 20, 0).stored, 1);
    EXPECT_EQ(notices, 1);
    EXPECT_EQ(c.cell(0).x, 20);
    EXPECT_EQ(c.gestures.tool(), nullptr);
    // Outside a call the cancel is at once.
    c.press(20, 0);
    c.moveTo(40, 0);
    c.gestures.cancel();
    EXPECT_EQ(c.gestures.tool(), nullptr);
    EXPECT_EQ(c.cell(0).x, 20);
}

} // namespace

TEST(CanvasGestures, RotateAndScaleToolsTurnAndScaleWithoutKeysAndTheKeysStillWork) {
    Canvas c({{0, 0, 0}, {1, 100, 0}});
    c.commands->selectAll();
    c.ctx.toolMode = kToolRotate;
    // A quarter turn about the cell's position; the other selected cell is left out.
    c.drag(40, 0, 0, 40);
    EXPECT_EQ(c.fields(0), (std::array{0, 0, 900, 100, 100}));
    EXPECT_EQ(c.commands->selection(), std::vector<int>{0});
    // The scale key held in the Rotate tool scales.
    c.drag(20, 0, 40, 0, kScale);
    EXPECT_EQ(c.fields(0), (std::array{0, 0, 900, 180, 180}));
    c.ctx.toolMode = kToolResize;
    c.drag(20, 0, 40, 0);
    EXPECT_EQ(c.fields(0), (std::array{0, 0, 900, 360, 360}));
    // The rotate key held in the Scale tool rotates.
    c.drag(40, 0, 0, 40, kRotate);
    EXPECT_EQ(c.fields(0), (std::array{0, 0, -1800, 360, 360}));
    EXPECT_EQ(c.steps(), 4u);
    EXPECT_EQ(c.fields(1), (std::array{100, 0, 0, 100, 100}));
    // A press on empty canvas, or on the position itself, starts nothing.
    c.press(400, 400);
    EXPECT_EQ(c.gestures.tool(), nullptr);
    c.press(1, 1);
    EXPECT_EQ(c.gestures.tool(), nullptr);
}

TEST(CanvasGestures, StepCurrentCellWalksTheFrameAndStopsAtEitherEnd) {
    Canvas c({{2, 0, 0}, {5, 30, 0}, {1, -140, 0}});
    c.commands->selectAll();
    // No current cell: forward starts at the first cell, and the selection is that cell alone.
    EXPECT_EQ(StepCurrentCell(c.ctx, true), 1);
    EXPECT_EQ(c.commands->currentCell(), 1);
    EXPECT_EQ(c.commands->selection(), std::vector<int>{1});
    EXPECT_EQ(StepCurrentCell(c.ctx, true), 2);
    EXPECT_EQ(StepCurrentCell(c.ctx, true), 5);
    // Past the last cell: nothing changes, so the key can leave the canvas.
    EXPECT_EQ(StepCurrentCell(c.ctx, true), -1);
    EXPECT_EQ(c.commands->currentCell(), 5);
    EXPECT_EQ(c.commands->selection(), std::vector<int>{5});
    EXPECT_EQ(StepCurrentCell(c.ctx, false), 2);
    EXPECT_EQ(StepCurrentCell(c.ctx, false), 1);
    EXPECT_EQ(StepCurrentCell(c.ctx, false), -1);
    EXPECT_EQ(c.commands->currentCell(), 1);
    // The focus coming back starts from the edge whatever the current cell is.
    EXPECT_EQ(StepCurrentCell(c.ctx, false, true), 5);
    EXPECT_EQ(StepCurrentCell(c.ctx, true, true), 1);
    // Backward without a current cell starts at the last cell.
    c.commands->setCurrentCell(-1);
    EXPECT_EQ(StepCurrentCell(c.ctx, false), 5);
    // A frame without cells: nothing.
    Canvas empty({});
    EXPECT_EQ(StepCurrentCell(empty.ctx, true), -1);
    EXPECT_EQ(StepCurrentCell(empty.ctx, false, true), -1);
    EXPECT_EQ(empty.commands->currentCell(), -1);
}
