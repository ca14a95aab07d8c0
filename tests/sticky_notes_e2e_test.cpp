// A player scribbles on the sticky-note pad, tears the sheet off, sticks it on the desk and then bins it,
// working from the screen alone; the run is replayed on the real backend to photograph the loose note.
#include "stb_image.h"
#include "support/sim_runner.h"
#include "tools/autoplay/player.h"
#include "tools/autoplay/screen_reading.h"

#include <cmath>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <vector>

namespace {

const char* const NoteBody = "Interactables/StickyNote_Body.png";
const char* const PadBase = "Interactables/StickyNote_Base.png";
const char* const Bin = "Interactables/Trashcan_Sheet.png";

struct Seen {
    bool desk = false;
    ScreenPicture pad, bin, droppedNote;
    size_t notesAfterTear = 0, notesAfterBin = 0;
    uint32_t binFrameBefore = 9, binFrameAfter = 9;
    bool pencilOverPad = false;
    uint64_t droppedFrame = 0;
};

// The pad's sheet: the note drawn right above the pad's base.
std::optional<ScreenPicture> PadSheet(const ScreenDescription& screen)
{
    const ScreenPicture* base = FirstPictureOf(screen, PadBase);
    if (base == nullptr) {
        return std::nullopt;
    }
    for (const ScreenPicture* note : PicturesOf(screen, NoteBody)) {
        if (std::fabs(note->x - base->x) < 1 && note->y < base->y) {
            return *note;
        }
    }
    return std::nullopt;
}

// Dark ink on the yellow paper inside a window-pixel box of the picture.
int InkPixels(const std::string& png, float left, float top, float right, float bottom)
{
    int width = 0, height = 0, channels = 0;
    unsigned char* pixels = stbi_load(png.c_str(), &width, &height, &channels, 4);
    if (pixels == nullptr) {
        return -1;
    }
    int ink = 0;
    for (int y = std::max(0, int(top)); y < std::min(height, int(bottom)); ++y) {
        for (int x = std::max(0, int(left)); x < std::min(width, int(right)); ++x) {
            const unsigned char* p = pixels + (size_t(y) * size_t(width) + size_t(x)) * 4;
            ink += (p[0] < 90 && p[1] < 90 && p[2] < 90) ? 1 : 0;
        }
    }
    stbi_image_free(pixels);
    return ink;
}

} // namespace

TEST(StickyNotesLongRun, APlayerScribblesTearsOffSticksAndBinsANote)
{
    const std::string log = TempPath("sticky-notes-input.txt");
    PlayerOptions options;
    options.clockGiven = true;
    options.clock = 1700000000;
    options.inputLogPath = log;
    Seen seen;
    PlayResult run = Player::Run(options, [&](Player& player) {
        Hand& hand = player.TheHand();
        player.WaitFor("the main menu", 30 * 60,
                       [](const ScreenDescription& screen) { return TextCentre(screen, "Start Game").has_value(); });
        player.Wait(120);
        std::optional<PXL_Vec2> start = TextCentre(player.Screen(), "Start Game");
        hand.Click(start->x, start->y);
        // The desk has zoomed in when the pad stands still at its full size.
        float lastWidth = 0;
        int still = 0;
        player.WaitFor("the pad at its size", 20 * 60, [&](const ScreenDescription& screen) {
            std::optional<ScreenPicture> pad = PadSheet(screen);
            float width = pad ? pad->width : 0;
            still = (width > 0 && std::fabs(width - lastWidth) < 0.01f) ? still + 1 : 0;
            lastWidth = width;
            return still >= 30;
        });
        seen.desk = true;
        seen.pad = *PadSheet(player.Screen());
        seen.bin = *FirstPictureOf(player.Screen(), Bin);
        seen.binFrameBefore = seen.bin.frame;
        const ScreenPicture& pad = seen.pad;
        // The canvas is the lower four fifths of the sheet, the strip the top fifth.
        float canvasX = pad.x, canvasY = pad.y + pad.height * 0.1f, unit = pad.width / 240.0f;
        // A house: walls and a roof, in one stroke.
        const std::vector<PXL_Vec2> house = {{-60, 70},  {60, 70},  {60, -10},  {0, -70},
                                             {-60, -10}, {-60, 70}, {-60, -10}, {60, -10}};
        hand.MoveTo(canvasX + house[0].x * unit, canvasY + house[0].y * unit);
        hand.Press();
        for (PXL_Vec2 corner : house) {
            hand.MoveTo(canvasX + corner.x * unit, canvasY + corner.y * unit);
        }
        hand.Release();
        player.Wait(2);
        for (const ScreenPicture& picture : player.Screen().pictures) {
            seen.pencilOverPad = seen.pencilOverPad || picture.file == "PencilCursor.png";
        }

        // Tear it off by the strip; the loose note comes up under the hand.
        float stripY = pad.y - pad.height * 0.4f;
        hand.Click(pad.x + 30 * unit, stripY);
        player.Wait(2);
        seen.notesAfterTear = PicturesOf(player.Screen(), NoteBody).size();
        const ScreenPicture* loose = PicturesOf(player.Screen(), NoteBody).back();
        // Stick it on the desk to the left of the pad, then let go.
        hand.Drag(loose->x, loose->y, loose->x - 330, loose->y - 60, 30);
        player.Wait(5);
        seen.droppedNote = *PicturesOf(player.Screen(), NoteBody).back();
        seen.droppedFrame = player.Frame();

        // Into the bin.
        const ScreenPicture& note = seen.droppedNote;
        hand.Drag(note.x, note.y, seen.bin.x, seen.bin.y, 40);
        hand.MoveTo(pad.x - 300, pad.y + 150);
        player.Wait(5);
        seen.notesAfterBin = PicturesOf(player.Screen(), NoteBody).size();
        seen.binFrameAfter = FirstPictureOf(player.Screen(), Bin)->frame;
    });
    ASSERT_TRUE(run.error.empty()) << run.error;
    ASSERT_TRUE(seen.desk);
    EXPECT_TRUE(seen.pencilOverPad);
    EXPECT_EQ(seen.notesAfterTear, 2u) << "the pad's sheet and the torn-off note";
    EXPECT_EQ(seen.notesAfterBin, 1u) << "only the pad's sheet is left";
    EXPECT_EQ(seen.binFrameBefore, 0u);
    EXPECT_EQ(seen.binFrameAfter, 1u) << "the bin shows it has been used";

    // The photograph of the note on the desk, on the real backend: the house on the loose note, none on the pad.
    const std::string png = TempPath("sticky-note-on-desk.png");
    SimResult replayed = RunSim({"--frames", std::to_string(seen.droppedFrame + 2), "--input", log, "--screenshot",
                                 std::to_string(seen.droppedFrame) + ":" + png});
    ASSERT_EQ(replayed.status, 0) << replayed.err;
    const ScreenPicture& note = seen.droppedNote;
    // A few pixels in from the edges, so that the desk and the terminal around the paper do not count.
    float half = note.width / 2 - 4;
    int onNote = InkPixels(png, note.x - half, note.y - note.height / 2 + note.height * 0.2f, note.x + half,
                           note.y + note.height / 2 - 4);
    int onPad = InkPixels(png, seen.pad.x - half, seen.pad.y - seen.pad.height / 2 + seen.pad.height * 0.2f,
                          seen.pad.x + half, seen.pad.y + seen.pad.height / 2 - 4);
    EXPECT_GT(onNote, 300) << "the drawing shows on the loose note";
    EXPECT_LT(onPad, 20) << "the pad is blank again";
}
