#include "tools/bench/terminal_frame_bench.h"

#include "engine/screen_scale.h"
#include "engine/system.h"
#include "engine/trace.h"
#include "platform/pxl.h"
#include "platform/pxl_control.h"
#include "render/nine_slice.h"
#include "render/shaders.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr int Lines = 15;
constexpr int Columns = 36;
const PXL_Vec2 Glyph = {30, 30};
const PXL_Color TerminalGreen = {0, 1, 0, 1};

struct Terminal {
    std::string text; // the visible lines joined by line feeds, as the terminal draws them
    PXL_Vec2 centre{0, 0};
    PXL_Vec2 size{0, 0};
    PXL_Vec2 firstGlyph{0, 0};
    PXL_Vec2 cursor{0, 0};
};

// Every glyph of a full screen glows: letters and digits only, no spaces, stops or colons.
Terminal MakeTerminal()
{
    const std::string alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    Terminal terminal;
    for (int line = 0; line < Lines; ++line) {
        if (line > 0) {
            terminal.text += '\n';
        }
        for (int column = 0; column < Columns; ++column) {
            terminal.text += alphabet[size_t(line * 7 + column) % alphabet.size()];
        }
    }
    float advance = Glyph.x - Glyph.x / FontAdvanceFactor(FontIBM3270);
    terminal.size = {advance * (Columns + 1) + 24, Glyph.y * Lines + 24};
    terminal.centre = {-300, 100};
    terminal.firstGlyph = {terminal.centre.x - terminal.size.x / 2 + 12 + Glyph.x / 2,
                           terminal.centre.y + terminal.size.y / 2 - 12 - Glyph.y / 2};
    terminal.cursor = {terminal.firstGlyph.x + advance * Columns, terminal.firstGlyph.y - Glyph.y * (Lines - 1)};
    return terminal;
}

// The terminal's own sequence: black backing, its screen panel over it, the text in one call, the cursor.
void DrawTerminal(const Terminal& terminal)
{
    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &terminal.centre, &terminal.size, PXL_FILTER_LINEAR, 0.0f);
    DrawNineSlice(terminal.centre, terminal.size, PanelScreen1, 5, false);
    DrawTint = TerminalGreen;
    DrawText(FontIBM3270, terminal.text, terminal.firstGlyph, Glyph, false, true);
    DrawText(FontIBM3270, "}", terminal.cursor, Glyph, false, true);
    DrawTint = {0, 0, 0, 0};
}

void DrawFrame(const Terminal& terminal)
{
    PXL_Graphics_StartDrawing();
    DrawTerminal(terminal);
    PXL_Graphics_FinishDrawing();
}

const Terminal& TheTerminal()
{
    static const Terminal terminal = MakeTerminal();
    return terminal;
}

void ReportFrame(benchmark::State& state)
{
    state.counters["draw_calls"] = PxlLastFrameDrawCalls();
    PxlSetRecordDraws(true);
    DrawFrame(TheTerminal());
    state.counters["quads"] = double(PxlFrameDraws().size());
    PxlSetRecordDraws(false);
}

// As the game runs it: the trace log open, so every glyph's SpriteSetFrame writes its line.
void BM_TerminalFrame(benchmark::State& state)
{
    if (!TraceIsOpen()) {
        TraceInit();
    }
    for (auto _ : state) {
        DrawFrame(TheTerminal());
    }
    ReportFrame(state);
}
BENCHMARK(BM_TerminalFrame)->Unit(benchmark::kMillisecond);

// The same frame with the trace log closed: the difference is the cost of the trace lines.
void BM_TerminalFrameWithoutTrace(benchmark::State& state)
{
    TraceClose();
    for (auto _ : state) {
        DrawFrame(TheTerminal());
    }
    ReportFrame(state);
}
BENCHMARK(BM_TerminalFrameWithoutTrace)->Unit(benchmark::kMillisecond);

const BaseSystem* const RenderSystems[] = {&SpriteSheetSystem, &MeshSystem, &NineSliceSystem, &ShaderSystem};

bool OpenWindowAndSystems(bool headless)
{
    const char* display = std::getenv("DISPLAY");
    if (!headless && (display == nullptr || *display == '\0')) {
        std::fprintf(stderr, "brimvale-bench: needs a display for OpenGL (run under xvfb-run)\n");
        return false;
    }
    PxlSelectBackend(headless ? PxlBackendKind::Headless : PxlBackendKind::SdlGl);
    PxlSetHiddenWindow(true);
    PxlSetRecordDraws(false);
    PXL_SystemSettings settings{};
    settings.width = 1280;
    settings.height = 720;
    settings.frameRate = 60;
    settings.title = "Brimvale";
    if (PXL_System_Init(&settings) == nullptr) {
        std::fprintf(stderr, "brimvale-bench: no OpenGL window\n");
        return false;
    }
    // The design height fills the 720-pixel window, as the screen scaling does in the game.
    const PXL_Vec2 origin = {0, 0};
    PXL_Camera_SetPosition(&origin);
    PXL_Camera_SetZoom(DesignHeight / 720.0f);
    const PXL_Color background = {0.1f, 0.1f, 0.12f, 1};
    PXL_Graphics_SetBackgroundColor(&background);
    for (const BaseSystem* system : RenderSystems) {
        if (!system->init()) {
            std::fprintf(stderr, "brimvale-bench: %s did not start\n", system->name);
            return false;
        }
    }
    // Measuring without the pictures would measure nothing: the draws of a missing texture are dropped.
    Sprite* font = GetSheetSprite(FontIBM3270);
    if (font == nullptr || font->sheet->texture == nullptr || GlowTexture == nullptr ||
        TerminalPixelShader == nullptr || CustomVertexShader == nullptr) {
        std::fprintf(stderr, "brimvale-bench: the font, glow picture or terminal shaders did not load; run it from "
                             "the build folder that holds Assets\n");
        return false;
    }
    return true;
}

void CloseSystemsAndWindow()
{
    for (size_t i = std::size(RenderSystems); i-- > 0;) {
        RenderSystems[i]->exit();
    }
    PXL_System_Exit();
}

} // namespace

int RunTerminalBenchmarks(bool headless, const std::string& terminalPng, benchmark::BenchmarkReporter& reporter)
{
    if (!OpenWindowAndSystems(headless)) {
        CloseSystemsAndWindow();
        return 1;
    }
    // The first frames compile the driver's shader variants; keep that out of the measurement.
    for (int i = 0; i < 3; ++i) {
        DrawFrame(TheTerminal());
    }
    if (!terminalPng.empty()) {
        std::string error;
        if (!PxlWriteFramePng(terminalPng, &error)) {
            std::fprintf(stderr, "brimvale-bench: %s: %s\n", terminalPng.c_str(), error.c_str());
        }
    }
    benchmark::RunSpecifiedBenchmarks(&reporter);
    TraceClose();
    CloseSystemsAndWindow();
    return 0;
}
