#include "flow/tutorial.h"

#include "engine/asset_table.h"
#include "engine/ease.h"
#include "engine/system.h"
#include "flow/events.h"
#include "render/sprite.h"
#include "scenes/scene_state.h"

#include <algorithm>
#include <cmath>

TutorialState tutorialState;

namespace {

const char* const IntroDone = "intro_done";
const char* const MoveCamera = "move_camera";
const char* const OpenManual = "open_manual";

// How far the camera must leave the terminal before the desk counts as dragged.
constexpr float CameraMoved = 250.0f;

// The world point under a window pixel.
PXL_Vec2 WorldAt(float x, float y)
{
    PXL_Vec2 pixel = {x, y};
    return PXL_Camera_ScreenCoordToWorld(&pixel);
}

// A mouse whose left button is clicked, bobbing just above the bottom edge where the closed manual lies and
// pulsing in strength.
void DrawClickHint(PXL_Vec2 window, float t)
{
    float a = std::sin(2.0f * t) * 0.3f + 0.8f;
    float size = 100.0f * EaseInOutCubic(std::min(1.0f, t / (tutorialState.hintDelay + 1.0f)));
    DrawTint = {0, 0, 0, a};
    DrawAlpha = a;
    PXL_Vec2 position = WorldAt(window.x / 2, 0.8f * window.y + 10.0f * std::sin(3.0f * t));
    PXL_Vec2 scale = {size, size};
    DrawTexture(tutorialState.clickTexture, &position, &scale, PXL_FILTER_LINEAR, 0.0f);
}

// A mouse swinging left and right across the middle of the screen.
void DrawDragHint(PXL_Vec2 window, float t)
{
    float d = 100.0f * std::sin(t);
    float x = window.x / 2 + (d > 0.0f ? 200.0f : -200.0f) * EaseInOutCubic(std::fabs(d) / 200.0f);
    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    PXL_Vec2 position = WorldAt(x, 0.6f * window.y);
    const PXL_Vec2 scale = {200, 200};
    DrawTexture(tutorialState.dragTexture, &position, &scale, PXL_FILTER_LINEAR, 0.0f);
}

bool TutorialInit()
{
    ResetTutorial();
    tutorialState.clickTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::MouseLeft));
    tutorialState.dragTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::MouseHorizontal));
    return true;
}

void TutorialUpdate(float dt)
{
    TutorialState& tutorial = tutorialState;
    if (Listen("gamescene_init")) {
        for (auto& step : tutorial.steps) {
            step.second = false;
        }
        tutorial.stepTimer = 0.0f;
    }
    if (!IsStepDone(IntroDone) && Listen("zoom_done")) {
        CompleteStep(IntroDone);
    }
    if (!IsStepDone(MoveCamera) && std::fabs(PXL_Camera_GetPosition().x) > CameraMoved) {
        CompleteStep(MoveCamera);
    }
    if (!IsStepDone(OpenManual) && Listen("open_manual")) {
        CompleteStep(OpenManual);
    }
    tutorial.stepTimer += dt;
}

void TutorialRender()
{
    const TutorialState& tutorial = tutorialState;
    // Only over the desk: the menus, and the newspaper at the end of a shift, are no place for these.
    if (IsPaused() || IsMainMenuActive() || !IsDeskActive() || !(tutorial.stepTimer > tutorial.hintDelay) ||
        !IsStepDone(IntroDone)) {
        return;
    }
    PXL_Vec2 window = PXL_Window_GetSize();
    if (!IsStepDone(OpenManual)) {
        DrawClickHint(window, tutorial.stepTimer);
    } else if (!IsStepDone(MoveCamera)) {
        DrawDragHint(window, tutorial.stepTimer);
    }
    DrawTint = NoTint;
    DrawAlpha = 1.0f;
}

void TutorialExit()
{
    PXL_Graphics_FreeTexture(&tutorialState.clickTexture);
    PXL_Graphics_FreeTexture(&tutorialState.dragTexture);
}

} // namespace

void ResetTutorial()
{
    tutorialState.steps = {{IntroDone, true}, {MoveCamera, true}, {OpenManual, true}};
    tutorialState.stepTimer = 0.0f;
    tutorialState.hintDelay = 5.0f;
}

void CompleteStep(const std::string& step)
{
    tutorialState.steps[step] = true;
    tutorialState.stepTimer = 0.0f;
}

bool IsStepDone(const std::string& step)
{
    // operator[] adds an unknown step as not done.
    return tutorialState.steps[step];
}

const BaseSystem TutorialSystem = {"TutorialSystem", TutorialInit, TutorialUpdate, TutorialRender, TutorialExit};
