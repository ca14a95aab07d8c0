// The cost of one frame in which the player draws on the sticky-note pad: the pen moves 10 units (a quick
// stroke, painted in 20 dabs of the brush), the 240 by 240 canvas is sent to the graphics layer again, and the
// pad is drawn with the pencil over it. Registered with BENCHMARK: the bench's main (bench_main.cpp) runs it in
// the window that terminal_frame_bench.cpp opens with the drawing systems.
#include "interaction/interactable.h"
#include "modules/sticky_notes.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "render/sprite.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdint>

namespace {

// The pen's path: rows across the canvas, 10 units a frame, each row 6 units below the last (the brush is 5
// wide, so every frame paints fresh pixels); a covered canvas is wiped and the path starts over.
class Pen {
public:
    PXL_Vec2 Next()
    {
        x += direction * 10.0f;
        if (x > 115.0f || x < -115.0f) {
            direction = -direction;
            x += direction * 10.0f;
            y -= 6.0f;
        }
        if (y < -145.0f) {
            y = 85.0f;
            wiped = true;
        }
        return {x, y};
    }
    bool TakeWipe()
    {
        bool was = wiped;
        wiped = false;
        return was;
    }

private:
    float x = -115.0f;
    float y = 85.0f;
    float direction = 1.0f;
    bool wiped = false;
};

// The world point (the bench's view: 1.5 units a pixel, the origin in the middle) as a window pixel.
PXL_Vec2 PixelOf(PXL_Vec2 world)
{
    return {640.0f + world.x / 1.5f, 360.0f - world.y / 1.5f};
}

void BM_StickyNoteDrawingFrame(benchmark::State& state)
{
    PxlSetScriptedInput(true);
    StickyNotesModule pad({0, 0});
    pad.Init();
    pad.AddPadSheet();
    StickyNote* sheet = pad.notes.front();
    Pen pen;
    PXL_Vec2 start = PixelOf({-115.0f, 85.0f});
    PxlInjectMouse(start.x, start.y);
    PXL_System_Update();
    sheet->lastMouse = {-115.0f, 85.0f};
    // The button went down on the sheet and the pencil is over it, as while the player draws.
    sheet->grabbed = true;
    sheet->handle->hovered = true;
    int64_t wipes = 0;
    for (auto _ : state) {
        PXL_Vec2 pixel = PixelOf(pen.Next());
        if (pen.TakeWipe()) {
            std::fill(sheet->pixels.begin(), sheet->pixels.end(), uint8_t{0});
            ++wipes;
        }
        PxlInjectMouse(pixel.x, pixel.y);
        PXL_System_Update();
        pad.Update();
        PXL_Graphics_StartDrawing();
        pad.Render();
        PXL_Graphics_FinishDrawing();
    }
    state.counters["wipes"] = double(wipes);
    state.counters["draw_calls"] = PxlLastFrameDrawCalls();
    pad.Exit();
    PxlSetScriptedInput(false);
}
BENCHMARK(BM_StickyNoteDrawingFrame)->Unit(benchmark::kMicrosecond);

// The layer's share of that frame: the canvas's texture freed and made again from its pixels, then drawn once
// (so the new pixels are really used).
void BM_StickyNoteCanvasRebuild(benchmark::State& state)
{
    StickyNotesModule pad({0, 0});
    pad.AddPadSheet();
    StickyNote* sheet = pad.notes.front();
    const PXL_Vec2 scale = {240, 240};
    uint8_t shade = 0;
    for (auto _ : state) {
        sheet->pixels[0] = ++shade;
        sheet->RebuildTexture();
        PXL_Graphics_StartDrawing();
        DrawTexture(sheet->texture, &sheet->position, &scale, PXL_FILTER_LINEAR, 0.0f);
        PXL_Graphics_FinishDrawing();
    }
    pad.Exit();
}
BENCHMARK(BM_StickyNoteCanvasRebuild)->Unit(benchmark::kMicrosecond);

} // namespace
