#include "scenes/exit_confirm_scene.h"

#include "engine/screen_scale.h"
#include "engine/trace.h"
#include "interaction/buttons.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

ExitConfirm_OverlayScene* exitConfirmScene = new ExitConfirm_OverlayScene();

namespace {

constexpr float PlateHeight = 550.0f;
constexpr float MinimumPlateWidth = 1100.0f; // the two answers span 920
constexpr float MessageGlyph = 70.0f;
constexpr float MessageTop = -150.0f;  // design pixels above the screen's centre, first line
constexpr float MessageMargin = 90.0f; // clear of the plate's border on either side

void Confirm()
{
    SetNextScene(exitConfirmScene->confirmTarget);
}

void Cancel()
{
    RemoveScene(exitConfirmScene);
}

} // namespace

void ExitConfirm_OverlayScene::OnMissingReturnScene()
{
    DebugPrint("\n\n***************\nMassive small brain moment for you SMH\n***************\n\n");
    throw std::logic_error("You are seriously here again??? Hint: You need to call the functions above when "
                           "adding this scene as an active scene.");
}

void ExitConfirm_OverlayScene::LoadOverlay()
{
    // Overlay buttons stand above the pause menu's blocker, so the answers light up under the pointer when
    // asked from the desk.
    const PXL_Vec2 size = {420.0f, 150.0f};
    confirmButton = AddButton({-250.0f, 150.0f}, size, "Confirm", Confirm);
    cancelButton = AddButton({250.0f, 150.0f}, size, "Cancel", Cancel);
}

void ExitConfirm_OverlayScene::RenderOverlay()
{
    float k = 1.0f - ZoomOffset;
    PXL_Vec2 window = PXL_Window_GetSize();
    float s = DesignScale(window);
    // 150 window pixels clear of either side, but never narrower than the answers with a margin.
    float plateWidth = std::max((window.x - 300.0f) / s, MinimumPlateWidth);
    DrawNineSlice(PXL_Camera_GetPosition(), {plateWidth * k, PlateHeight * k}, PanelMetalPlate, 1.0f, true);

    // Each line centred on its own; a message too wide for the plate is drawn smaller to fit it.
    std::vector<std::string> lines;
    std::stringstream text(message);
    size_t longest = 0;
    for (std::string line; std::getline(text, line);) {
        longest = std::max(longest, line.size());
        lines.push_back(line);
    }
    float glyph = MessageGlyph;
    float room = plateWidth - 2.0f * MessageMargin;
    float width = TextAdvance(FontIBM3270, glyph) * static_cast<float>(longest);
    if (width > room) {
        glyph *= room / width;
    }
    DrawTint = {0, 0, 0, 1};
    for (size_t i = 0; i < lines.size(); ++i) {
        PXL_Vec2 place = ScreenToWorld({0.0f, MessageTop + glyph * static_cast<float>(i)});
        DrawText(FontIBM3270, lines[i], place, {glyph * k, glyph * k}, true, false);
    }
}

void ExitConfirm_OverlayScene::UnloadOverlay()
{
    confirmButton = nullptr;
    cancelButton = nullptr;
}
