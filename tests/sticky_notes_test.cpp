// The sticky-note pad worked with the mouse on a headless 1280 by 720 window: scribbling on the pad's sheet,
// tearing it off, dragging loose notes and throwing them in the bin, and the pencil over the pad.
#include "interaction/interactable.h"
#include "interaction_test_support.h"
#include "modules/sticky_notes.h"
#include "render/sprite.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

constexpr int Side = 240;

bool Inked(const std::vector<uint8_t>& pixels, int row, int column)
{
    const uint8_t* p = &pixels[(size_t(row) * Side + size_t(column)) * 4];
    return p[0] == 0 && p[1] == 0 && p[2] == 0 && p[3] == 255;
}

size_t InkCount(const std::vector<uint8_t>& pixels)
{
    size_t count = 0;
    for (int r = 0; r < Side; ++r) {
        for (int c = 0; c < Side; ++c) {
            count += Inked(pixels, r, c) ? 1 : 0;
        }
    }
    return count;
}

bool Blank(const std::vector<uint8_t>& pixels)
{
    return std::all_of(pixels.begin(), pixels.end(), [](uint8_t byte) { return byte == 0; });
}

class StickyNotesTest : public HeadlessUi {
protected:
    void TearDown() override
    {
        if (pad != nullptr) {
            pad->Exit();
            delete pad;
        }
        HeadlessUi::TearDown();
    }

    void MakePad(PXL_Vec2 position = {600, -100})
    {
        pad = new StickyNotesModule(position);
        pad->Init();
        pad->AddPadSheet();
    }

    // One desk frame: input edges, controls, then the pad.
    void Frame(bool button)
    {
        Button(button);
        ControlsFrame();
        pad->Update();
    }

    // Presses at `from`, moves to each point with the button held, releases at the last one.
    void Drag(PXL_Vec2 from, const std::vector<PXL_Vec2>& path)
    {
        PointAt(from);
        Frame(true);
        for (PXL_Vec2 point : path) {
            PointAt(point);
            Frame(true);
        }
        Frame(false);
    }

    StickyNote* Sheet() const { return pad->notes.front(); }
    const std::vector<uint8_t>& SheetTexturePixels() const { return PxlTexturePixels(Sheet()->texture); }

    StickyNotesModule* pad = nullptr;
};

// Canvas of the pad at (600, -100): 480..720 across, -250..-10 from bottom to top.
TEST_F(StickyNotesTest, StrokesPaintTheBrushAlongTheLineAndOnlyInsideTheCanvas)
{
    MakePad();
    struct Case {
        const char* what;
        PXL_Vec2 from, to;
        size_t ink;
        int row, column; // one pixel the stroke must cover
    };
    const Case cases[] = {
        // A jump of 10 units: 20 steps, one unbroken band of 15 by 5 pixels.
        {"a quick stroke", {500.5f, -50.5f}, {510.5f, -50.5f}, 15 * 5, 42, 25},
        {"a dot in the top-left corner", {480.5f, -10.5f}, {480.5f, -10.5f}, 3 * 3, 0, 0},
        {"a dot in the bottom-right corner", {719.5f, -249.5f}, {719.5f, -249.5f}, 3 * 3, 239, 239},
        {"a dot one pixel in from the left", {481.5f, -100.5f}, {481.5f, -100.5f}, 4 * 5, 90, 0},
        {"a dot on the edge itself", {480.0f, -100.0f}, {480.0f, -100.0f}, 0, -1, -1},
        {"a stroke from outside in", {400.0f, -100.5f}, {484.5f, -100.5f}, 7 * 5, 90, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::fill(Sheet()->pixels.begin(), Sheet()->pixels.end(), uint8_t{0});
        Sheet()->lastMouse = c.from;
        Sheet()->DrawStroke(c.to);
        EXPECT_EQ(InkCount(Sheet()->pixels), c.ink);
        if (c.row >= 0) {
            EXPECT_TRUE(Inked(Sheet()->pixels, c.row, c.column));
            EXPECT_EQ(SheetTexturePixels(), Sheet()->pixels) << "the texture shows the canvas";
        }
        EXPECT_FLOAT_EQ(Sheet()->lastMouse.x, c.to.x);
    }
    // Every pixel of the quick stroke's band is inked: columns 18..32 of rows 38..42.
    std::fill(Sheet()->pixels.begin(), Sheet()->pixels.end(), uint8_t{0});
    Sheet()->lastMouse = {500.5f, -50.5f};
    Sheet()->DrawStroke({510.5f, -50.5f});
    for (int column = 18; column <= 32; ++column) {
        for (int row = 38; row <= 42; ++row) {
            EXPECT_TRUE(Inked(Sheet()->pixels, row, column)) << row << ", " << column;
        }
    }
}

TEST_F(StickyNotesTest, ScribbleTearOffDragAndBin)
{
    MakePad();
    // Scribble a line across the middle of the sheet.
    Drag({540, -130}, {{560, -130}, {580, -130}, {600, -130}, {620, -130}});
    EXPECT_FALSE(Sheet()->grabbed);
    EXPECT_TRUE(Inked(SheetTexturePixels(), 120, 90)) << "the line shows on the pad";
    EXPECT_TRUE(Inked(SheetTexturePixels(), 120, 130));
    const std::vector<uint8_t> drawing = Sheet()->pixels;

    // Press on the strip: a loose note with the drawing comes up under the cursor, the pad is blank again.
    PointAt({620, 30});
    testing::internal::CaptureStdout();
    Frame(true);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Clicked");
    ASSERT_EQ(pad->notes.size(), 2u);
    StickyNote* loose = pad->notes.back();
    EXPECT_FALSE(loose->padSheet);
    EXPECT_FALSE(loose->grabbed) << "it is not held until clicked";
    EXPECT_FLOAT_EQ(loose->position.x, 620);
    EXPECT_FLOAT_EQ(loose->position.y, 30);
    EXPECT_EQ(PxlTexturePixels(loose->texture), drawing);
    EXPECT_TRUE(Blank(Sheet()->pixels));
    EXPECT_TRUE(Blank(SheetTexturePixels()));
    // Moving on with the button still down draws nothing on the blank sheet.
    PointAt({620, -150});
    Frame(true);
    Frame(false);
    EXPECT_TRUE(Blank(Sheet()->pixels));

    // Drag the note up onto the desk, taking it by the spot where it came up, over the strip: it moves, no
    // other sheet comes away, and the pad under it stays blank.
    Drag({620, 30}, {{670, 130}, {770, 330}});
    EXPECT_EQ(pad->notes.size(), 2u);
    EXPECT_FLOAT_EQ(loose->position.x, 770);
    EXPECT_FLOAT_EQ(loose->position.y, 330);
    EXPECT_TRUE(Blank(Sheet()->pixels)) << "the pen was on the loose note, not on the pad";
    EXPECT_FALSE(pad->binUsed);

    // Then into the bin at (950, -160).
    Drag({800, 200}, {{900, 0}, {950, -220}});
    ASSERT_EQ(pad->notes.size(), 1u) << "binned";
    EXPECT_TRUE(pad->binUsed);
    EXPECT_TRUE(Sheet()->padSheet);
    EXPECT_FLOAT_EQ(Sheet()->position.x, 600) << "the pad's sheet never moves";
    EXPECT_FLOAT_EQ(Sheet()->position.y, -100);
    // A later press over the bin draws nothing out of it.
    PointAt({950, -160});
    Frame(true);
    Frame(false);
    EXPECT_EQ(pad->notes.size(), 1u);
    EXPECT_TRUE(pad->binUsed);
}

TEST_F(StickyNotesTest, ANoteWhoseCentreLiesOnTheBinsEdgeIsThrownAway)
{
    MakePad();
    struct Case {
        PXL_Vec2 offset; // from the bin's centre
        bool binned;
    };
    const Case cases[] = {
        {{120, 120}, true}, {{-120, -120}, true}, {{0, 120}, true}, {{120.5f, 0}, false}, {{0, -121}, false}};
    PointAt({-1000, 300});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.offset.x << ", " << c.offset.y);
        PXL_Vec2 bin = pad->BinCentre();
        pad->binUsed = false;
        pad->notes.push_back(new StickyNote(nullptr, {bin.x + c.offset.x, bin.y + c.offset.y}, {0, 0}));
        Frame(false);
        EXPECT_EQ(pad->notes.size(), c.binned ? 1u : 2u);
        EXPECT_EQ(pad->binUsed, c.binned);
        if (!c.binned) {
            delete pad->notes.back();
            pad->notes.pop_back();
        }
    }
}

TEST_F(StickyNotesTest, OfTwoHeldNotesOnlyTheUpperMovesAndAHeldNoteComesToTheTop)
{
    MakePad();
    StickyNote* lower = new StickyNote(nullptr, {-300, 100}, {0, 0});
    StickyNote* upper = new StickyNote(nullptr, {-200, 100}, {0, 0});
    pad->notes.push_back(lower);
    pad->notes.push_back(upper);
    // Where they overlap both are held; only the upper one follows.
    Drag({-250, 100}, {{-250, 50}, {-250, 0}});
    EXPECT_FLOAT_EQ(upper->position.x, -200);
    EXPECT_NEAR(upper->position.y, 0, 0.01);
    EXPECT_FLOAT_EQ(lower->position.x, -300);
    EXPECT_FLOAT_EQ(lower->position.y, 100);
    EXPECT_EQ(pad->notes.back(), upper);
    // The lower one, taken where nothing covers it, moves and comes to the top.
    Drag({-400, 200}, {{-450, 200}});
    EXPECT_FLOAT_EQ(lower->position.x, -350);
    EXPECT_EQ(pad->notes.back(), lower);
    EXPECT_EQ(pad->notes.front(), Sheet());
    EXPECT_TRUE(Sheet()->padSheet);
}

TEST_F(StickyNotesTest, APressOnTheStripTearsOffExceptOnEitherAxis)
{
    struct Case {
        PXL_Vec2 pad, press;
        bool tears;
    };
    // The strip of a pad at (x, -100) spans y = -10..50.
    const Case cases[] = {{{600, -100}, {600, 0}, false},
                          {{600, -100}, {600, 10}, true},
                          {{0, -100}, {0, 20}, false},
                          {{0, -100}, {30, 20}, true},
                          {{600, -100}, {600, 60}, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.press.x << ", " << c.press.y);
        MakePad(c.pad);
        PointAt(c.press);
        Frame(true);
        Frame(false);
        EXPECT_EQ(pad->notes.size(), c.tears ? 2u : 1u);
        pad->Exit();
        delete pad;
        pad = nullptr;
    }
}

TEST_F(StickyNotesTest, AReleaseTheDeskMissedLeavesNoGrabOnTheStrip)
{
    MakePad();
    PointAt({600, 20});
    Frame(true);
    ASSERT_EQ(pad->notes.size(), 2u);
    // The button comes up while the desk is paused: the pad hears nothing of it.
    Button(false);
    ControlsFrame();
    ControlsFrame();
    // A press far from the pad tears nothing off.
    PointAt({-600, 300});
    Frame(true);
    Frame(false);
    EXPECT_EQ(pad->notes.size(), 2u);
}

TEST_F(StickyNotesTest, ThePencilReplacesThePointerOverThePad)
{
    ASSERT_TRUE(SpriteSheetSystem.init());
    ASSERT_TRUE(MeshSystem.init());
    PxlSetRecordDraws(true);
    MakePad();
    auto pencilDrawn = [] {
        for (const PxlDrawRecord& draw : PxlFrameDraws()) {
            const std::string& path = PxlTexturePath(draw.texture);
            if (path.size() >= 16 && path.compare(path.size() - 16, 16, "PencilCursor.png") == 0) {
                return true;
            }
        }
        return false;
    };
    auto render = [&] {
        PXL_Graphics_StartDrawing();
        pad->Render();
        PXL_Graphics_FinishDrawing();
    };
    PointAt({600, -130});
    Frame(false);
    render();
    EXPECT_TRUE(pencilDrawn());
    EXPECT_FALSE(PxlCursorShown());
    PointAt({0, 300});
    Frame(false);
    render();
    EXPECT_FALSE(pencilDrawn());
    EXPECT_TRUE(PxlCursorShown());
    // The bin's used frame from the first note thrown away on.
    pad->binUsed = true;
    render();
    bool usedBin = std::any_of(PxlFrameDraws().begin(), PxlFrameDraws().end(), [](const PxlDrawRecord& draw) {
        return PxlTexturePath(draw.texture).find("Trashcan_Sheet.png") != std::string::npos &&
               draw.textureOffset.x == 0.5f;
    });
    EXPECT_TRUE(usedBin);
    pad->Exit();
    delete pad;
    pad = nullptr;
    MeshSystem.exit();
    SpriteSheetSystem.exit();
}

} // namespace
