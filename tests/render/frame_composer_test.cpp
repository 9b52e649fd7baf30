// Frame composition, the target offset and the running flashes.

#include "render/flash_state.h"
#include "render/frame_composer.h"
#include "render_fixture.h"

#include "config/config.h"
#include "document/effect.h"
#include "image/picture_slot_table.h"
#include "support/document_builder.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace render_fixture;

namespace {

strEffect Flash(int object, int drawing, int frames, uint8_t r, uint8_t g, uint8_t b, uint8_t strength) {
    return {.flags = strEffect::kFlash,
            .flashFrames = uint16_t(frames),
            .flashDrawing = uint8_t(drawing),
            .flashObject = uint8_t(object),
            .flashRed = r,
            .flashGreen = g,
            .flashBlue = b,
            .flashStrength = strength};
}

class ComposeTest : public ::testing::Test {
  protected:
    void SetUp() override {
        config.setDefaults();
        doc = std::make_unique<cProject>(&config);
        ASSERT_TRUE(testing_support::MakeFrames(*doc, 1, 4));
        slots.insert(
            MakeSlot(
                8, 4, [](int x, int) { return x < 4 ? Argb(255, 255, 0, 0) : Argb(255, 0, 0, 255); }, 2, 1),
            0);
    }
    void putCell(int c, int pattern, int x, int y, int blend = 0, int picture = 0) {
        const strCell cell{.picture = uint8_t(picture),
                           .pattern = uint16_t(pattern),
                           .blend = uint8_t(blend),
                           .x = int16_t(x),
                           .y = int16_t(y)};
        ASSERT_TRUE(doc->setCell(0, c, &cell));
    }
    // Composes `frame` of the document into the 16 x 8 target; the number of cells drawn.
    int compose(const strFrameScene& scene, int frame = 0) {
        return ComposeFrame(drawer, target, slots, *doc, frame, area, scene);
    }

    cConfig config;
    std::unique_ptr<cProject> doc;
    cPictureSlotTable slots;
    cSpriteDrawer drawer;
    strCaptureArea area{-8, -4, 8, 4};
    cTexture target = MakeTarget(16, 8);
};

} // namespace

TEST_F(ComposeTest, CellsInListOrderOverTheBackground) {
    putCell(0, 1, 0, 0); // red 4 x 4 at the centre
    putCell(1, 2, 2, 0); // blue, 2 pixels to the right, covering half of the red one
    EXPECT_EQ(compose({.background = 0x00123456}), 2);
    EXPECT_EQ(target.pixel(0, 0), 0x00123456u); // background, alpha 0
    EXPECT_EQ(target.pixel(6, 2), Argb(255, 255, 0, 0));
    EXPECT_EQ(target.pixel(8, 2), Argb(255, 0, 0, 255)); // the later cell covers the earlier one
    EXPECT_EQ(target.pixel(11, 5), Argb(255, 0, 0, 255));
    EXPECT_EQ(target.pixel(12, 2), 0x00123456u);
}

// That a refused sprite draws nothing, and pattern 0, are the sprite drawer tests' business.
TEST_F(ComposeTest, InvalidCellsAreSkipped) {
    putCell(0, 3, 0, 0);       // pattern 3 of a 2-pattern picture
    putCell(1, 1, 0, 0, 0, 7); // picture 7 has no slot
    EXPECT_EQ(compose({}), 0);
    EXPECT_EQ(compose({}, 5), 0); // no such frame
}

TEST_F(ComposeTest, TargetPictureWithItsOffset) {
    slots.insert(SolidSlot(4, 2, Argb(255, 0, 255, 0)), cPictureSlotTable::kTargetPicture);
    doc->setSetting(kKeyCentrePosition, 2); // Down: (0, -(h / 2))
    config.TargetPostX = 3;
    auto offset = [&] {
        int ox = 0, oy = 0;
        ComputeTargetOffset(*doc, slots, config, ox, oy);
        return std::pair(ox, oy);
    };
    EXPECT_EQ(offset(), std::pair(3, -1));
    doc->setSetting(kKeyCentrePosition, 5); // Left: (w / 2, 0)
    EXPECT_EQ(offset(), std::pair(5, 0));

    compose({.drawTarget = true, .targetOffsetX = 4, .targetOpacity = 255});
    EXPECT_EQ(target.pixel(10, 3), Argb(255, 0, 255, 0));
    EXPECT_EQ(target.pixel(13, 4), Argb(255, 0, 255, 0));
    EXPECT_EQ(target.pixel(9, 3), 0u);
    // Without a target picture only the settings count.
    slots.remove(cPictureSlotTable::kTargetPicture);
    EXPECT_EQ(offset(), std::pair(3, 0));
}

TEST(FlashState, ScreenAlphaSequenceToneFormAndObjects) {
    cFlashState flashes;
    EXPECT_TRUE(flashes.start(Flash(0, 0, 10, 255, 255, 255, 255)));
    std::vector<int> alphas;
    while (flashes.screen().active()) {
        alphas.push_back(flashes.screen().screenForm()[3]);
        flashes.tick();
    }
    EXPECT_EQ(alphas, (std::vector<int>{255, 229, 204, 178, 153, 127, 102, 76, 51, 25}));
    EXPECT_FALSE(flashes.tick()); // nothing runs any more

    ASSERT_TRUE(flashes.start(Flash(1, 1, 4, 255, 0, 128, 200)));
    auto tone = [&] { return flashes.target().toneForm(); };
    EXPECT_EQ(tone(), (std::array<int, 4>{255, 0, 128, 200}));
    flashes.tick(); // r = 3 of 4; truncation toward zero
    EXPECT_EQ(tone(), (std::array<int, 4>{223, 32, 128, 182}));
    // Object 2 replaces the running target flash; other objects and zero frames start nothing.
    EXPECT_TRUE(flashes.start(Flash(2, 0, 6, 1, 2, 3, 4)));
    EXPECT_EQ(flashes.target().object, 2);
    EXPECT_EQ(flashes.target().remaining, 6);
    EXPECT_FALSE(flashes.start(Flash(3, 0, 6, 1, 2, 3, 4)));
    EXPECT_FALSE(flashes.start(Flash(0, 0, 0, 1, 2, 3, 4)));
    strEffect soundOnly = Flash(0, 0, 5, 1, 2, 3, 4);
    soundOnly.flags = strEffect::kSound;
    EXPECT_FALSE(flashes.start(soundOnly));
    EXPECT_FALSE(flashes.screen().active());
}

TEST_F(ComposeTest, ScreenFlashCoversTheFrame) {
    putCell(0, 1, 0, 0);
    cFlashState flashes;
    flashes.start(Flash(0, 1, 2, 0, 255, 0, 255)); // additive green, alpha 255 then 127
    const strFrameScene scene{.background = 0xFF000000, .flashes = &flashes};
    compose(scene);
    EXPECT_EQ(target.pixel(0, 0), Argb(255, 0, 255, 0));
    EXPECT_EQ(target.pixel(7, 3), Argb(255, 255, 255, 0));
    flashes.tick();
    compose(scene);
    EXPECT_EQ(target.pixel(0, 0), Argb(255, 0, 127, 0)); // alpha 255 x 1 / 2
}

TEST_F(ComposeTest, TargetFlashes) {
    slots.insert(SolidSlot(2, 2, Argb(255, 100, 100, 100)), cPictureSlotTable::kTargetPicture);
    cFlashState flashes;
    const struct {
        strEffect flash;
        uint32_t pixel;
    } cases[] = {
        {Flash(1, 1, 10, 255, 128, 0, 255), Argb(255, 200, 100, 0)}, // tone form: red doubled, blue removed
        {Flash(1, 0, 10, 0, 0, 255, 255), Argb(255, 0, 0, 255)},     // colour form: all blue
        {Flash(2, 0, 10, 0, 0, 0, 0), 0u},                           // hides the target
    };
    for (const auto& c : cases) {
        flashes.start(c.flash);
        compose({.drawTarget = true, .flashes = &flashes});
        EXPECT_EQ(target.pixel(8, 4), c.pixel) << int(c.flash.flashObject);
    }
}

TEST_F(ComposeTest, EditorLayersAndCompositionInSteps) {
    putCell(0, 1, -6, 0); // frame 0: red at x 0..3, the silhouette under frame 1
    doc->frameOrCreate(1);
    slots.insert(SolidSlot(2, 2, Argb(255, 255, 255, 255)), cPictureSlotTable::kErrorPicture);
    const strCell blue{.pattern = 2, .x = 4};    // x 10..13
    const strCell broken{.pattern = 3, .x = -2}; // no such pattern: the error picture at x 5..6
    ASSERT_TRUE(doc->setCell(1, 0, &blue));
    ASSERT_TRUE(doc->setCell(1, 1, &broken));
    strFrameScene scene{.background = 0xFF000000, .errorPicture = true, .previousSkin = 0xFF00FF00};
    auto pixels = [&] { return std::array{target.pixel(1, 3), target.pixel(5, 3), target.pixel(11, 3)}; };
    const uint32_t black = Argb(255, 0, 0, 0), green = Argb(255, 0, 255, 0), white = Argb(255, 255, 255, 255);
    EXPECT_EQ(compose(scene, 1), 2);
    EXPECT_EQ(pixels(), (std::array{green, white, Argb(255, 0, 0, 255)}));
    // The export's form: no silhouette, the broken cell left out.
    EXPECT_EQ(compose({.background = 0xFF000000}, 1), 1);
    EXPECT_EQ(pixels(), (std::array{black, black, Argb(255, 0, 0, 255)}));
    // A stand-in hides cell 0; the cell over the frame is drawn over the rest; no cells at all.
    const strCell red{.pattern = 1, .x = 4};
    scene.cellOf = [](int n, const strCell* cell) { return n == 0 ? nullptr : cell; };
    EXPECT_EQ(compose(scene, 1), 1);
    EXPECT_EQ(pixels(), (std::array{green, white, black}));
    scene.overCell = red;
    compose(scene, 1);
    EXPECT_EQ(pixels(), (std::array{green, white, Argb(255, 255, 0, 0)}));
    scene.drawCells = false;
    EXPECT_EQ(compose(scene, 1), 0);
    EXPECT_EQ(pixels(), (std::array{green, black, Argb(255, 255, 0, 0)}));

    // In steps, the cells in two ranges: the same pixels as one composition.
    scene.cellOf = nullptr;
    scene.drawCells = true;
    compose(scene, 1);
    std::vector<uint32_t> whole;
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            whole.push_back(target.pixel(x, y));
    cFrameComposer composer(drawer, slots, *doc, 1, area, scene);
    ASSERT_TRUE(composer.begin(target));
    composer.drawUnderCells();
    EXPECT_EQ(composer.drawCells(0, 1), 1);
    EXPECT_EQ(composer.drawCells(1), 1);
    composer.drawOverCells();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 16; ++x)
            EXPECT_EQ(target.pixel(x, y), whole[size_t(y * 16 + x)]) << x << "," << y;
}
