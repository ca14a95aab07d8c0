#include "scenes/sandbox_scene.h"

#include "engine/screen_scale.h"
#include "engine/trace.h"
#include "flow/events.h"
#include "interaction/buttons.h"
#include "interaction/interactable.h"
#include "manual/manual_scene.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "scenes/pause_menu_scene.h"

#include <cmath>
#include <string>

SandboxScene* sandboxScene = new SandboxScene();

namespace {

// Mid grey, so that white text, black glow and the panels' shading all read.
const PXL_Color Background = {0.34f, 0.36f, 0.39f, 1};
// The bench's own pieces lie over the gallery on dark plates, so they stand out from the pictures beneath.
const PXL_Color Plate = {0.05f, 0.06f, 0.08f, 0.8f};
const PXL_Color Track = {0.85f, 0.85f, 0.85f, 1};
const PXL_Color Rectangle = {1.0f, 0.55f, 0.1f, 0.7f};

constexpr float Pi = 3.14159265f;
constexpr float TurnedButtonDegrees = 14.0f;
const PXL_Vec2 SwitchSize = {60, 75};

void DemoButtonClicked()
{
    DebugPrint("Demo Button was clicked\n");
    Broadcast("event_name_1", "test.data");
}

void HeardEventTwo(const std::string& data)
{
    DebugPrint("Listener 2 heard an event with data: %s\n", data.c_str());
}

void DrawPlate(PXL_Vec2 centre, PXL_Vec2 size, float rotation = 0.0f)
{
    DrawTextureTinted(nullptr, &centre, &size, &Plate, rotation);
}

void DrawRectangle(PXL_Vec2 centre, PXL_Vec2 size, const PXL_Color& tint, float rotation = 0.0f)
{
    DrawTextureTinted(nullptr, &centre, &size, &tint, rotation);
}

// The frame of a push button's sheet: up, hovered, pressed.
uint32_t ButtonFrame(const Interactable* button)
{
    return button->held ? 2 : (button->hovered ? 1 : 0);
}

} // namespace

void SandboxScene::Load()
{
    gallery.Load();
}

void SandboxScene::Init()
{
    PXL_Graphics_SetBackgroundColor(&Background);
    const PXL_Vec2 origin = {0, 0};
    PXL_Camera_SetPosition(&origin);
    ZoomOffset = 0.0f;

    demoButton = new UIButton({100, 100}, {200, 75}, "", -1);
    demoButton->onClick = DemoButtonClicked;
    spinner = new Spinner({300, 300}, {100, 100});
    turnedButton = new Interactable({-100, -100}, {50, 50}, KindMomentary, -1, TurnedButtonDegrees, false);
    slider = new Slider({350, -50}, {550, 50}, {50, 25}, 0.5f, 0.0f, -1);
    listener = std::make_unique<Listener>("event_name_2");
    listener->callback = HeardEventTwo;
    switchOn = false;
    rectanglePosition = {0, 0};
}

void SandboxScene::Update(float dt)
{
    if (dt == 0.0f) {
        return;
    }
    if (PXL_Input_KeyTriggered(PXL_KEY_ESCAPE)) {
        if (manualScene->IsOpen()) {
            manualScene->Close();
        }
        pauseMenuScene->returnScene = this;
        // The menu pauses the bench while it is open and resumes it when it closes.
        PushScene(pauseMenuScene);
    }
    rectanglePosition.x += rectangleSpeed * dt;
    if (rectanglePosition.x > PXL_Window_GetSize().x / 2) {
        rectanglePosition.x = 0;
    }
    if (Listen("event_name_1")) {
        DebugPrint("Listener 1 heard an event with data: %s\n", GetData("event_name_1").c_str());
        switchOn = !switchOn;
    }
}

void SandboxScene::Render()
{
    gallery.Render();
    if (demoButton == nullptr) {
        return;
    }
    DrawAlpha = 1.0f;

    // The demo button, and beside it the switch its broadcast flips.
    DrawPlate(demoButton->position, {demoButton->size.x + 130, demoButton->size.y + 30});
    demoButton->Render();
    DrawSheetFrame(SheetSwitch, switchOn ? 1 : 0, {demoButton->position.x + 165, demoButton->position.y}, SwitchSize,
                   0.0f, &NoTint);

    // The spinner: the dial turns with the pointer.
    DrawPlate(spinner->position, {spinner->size.x + 20, spinner->size.y + 20});
    DrawTexture(gallery.Picture(Asset::Spinner), &spinner->position, &spinner->size, PXL_FILTER_LINEAR, spinner->angle);

    // The turned push button, drawn from the button sheet in its own frame.
    float turn = TurnedButtonDegrees * Pi / 180.0f;
    DrawPlate(turnedButton->position, {turnedButton->size.x + 16, turnedButton->size.y + 16}, turn);
    DrawSheetFrame(SheetButton1, ButtonFrame(turnedButton), turnedButton->position, turnedButton->size, turn, &NoTint);

    // The slider: a track from end to end and the handle on it.
    PXL_Vec2 along = {slider->end.x - slider->start.x, slider->end.y - slider->start.y};
    PXL_Vec2 middle = {(slider->start.x + slider->end.x) / 2, (slider->start.y + slider->end.y) / 2};
    float slope = std::atan2(along.y, along.x);
    DrawPlate(middle, {slider->length + 60, 70}, slope);
    DrawRectangle(middle, {slider->length, 6}, Track, slope);
    PXL_Vec2 handle = {slider->handleSize.x, slider->handleSize.y * 2};
    DrawTexture(gallery.Picture(Asset::Handle), &slider->position, &handle, PXL_FILTER_LINEAR, slope);

    DrawRectangle(rectanglePosition, rectangleSize, Rectangle);
    DrawTint = NoTint;
    DrawAlpha = 1.0f;
}

void SandboxScene::Unload()
{
    RemoveInteractable(demoButton);
    RemoveInteractable(spinner);
    RemoveInteractable(turnedButton);
    RemoveInteractable(slider);
    demoButton = nullptr;
    spinner = nullptr;
    turnedButton = nullptr;
    slider = nullptr;
    listener.reset();
    gallery.Unload();
}
