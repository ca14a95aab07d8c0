#include "modules/targeting.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/random.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <cmath>

namespace {

constexpr int32_t ControlOrder = 0;
// The slider starts in the middle of its track, the marker in the middle of the screen.
constexpr float SliderStartValue = 0.5f;
const PXL_Vec2 LightOffset{187.5f, 75};
const PXL_Color CrosshairGrey{0.25f, 0.25f, 0.25f, 1};
const PXL_Color MarkerGreen{0, 1, 0, 1};

PXL_Vec2 Plus(PXL_Vec2 a, PXL_Vec2 b)
{
    return {a.x + b.x, a.y + b.y};
}

} // namespace

TargetingModule::TargetingModule(std::string moduleName, PXL_Vec2 modulePosition, PXL_Vec2 codeAt)
    : Module(std::move(moduleName), modulePosition), codeFont(FontIBM3270), codePosition(codeAt)
{
    for (size_t i = 0; i < codes.size(); ++i) {
        codes[i] = targeting_table::Codes[i].text.data();
    }
    spinner = new Spinner(spinnerOffset, spinnerSize, ControlOrder);
    slider = new Slider(Plus(sliderStart, position), Plus(sliderEnd, position), handleSize, SliderStartValue, 0.0f,
                        ControlOrder);
    // Only the middle half of the drawn button takes the click.
    fireButton = new Interactable(fireButtonOffset, {fireButtonSize.x / 2.0f, fireButtonSize.y}, KindMomentary,
                                  ControlOrder, 0.0f, false);
    fireButton->cue = CueButton;
    light = new StatusLight(Plus(position, LightOffset));
}

// Exit has freed the lamp already unless the module never went on the desk.
TargetingModule::~TargetingModule()
{
    delete light;
}

void TargetingModule::Init()
{
    Module::Init();
    interactables.push_back(spinner);
    interactables.push_back(slider);
    interactables.push_back(fireButton);
    // The slider places its handle from its own track on its first update.
    OffsetInteractables();
    spinnerTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::Spinner));
    handleTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::Handle));

    for (size_t i = 0; i < goalPoints.size(); ++i) {
        goalPoints[i] = GridPoint(static_cast<float>(targeting_table::Codes[i].column),
                                  static_cast<float>(targeting_table::Codes[i].row));
    }
    const int column = GameRand() % 3 + 1;
    const int row = GameRand() % 2 + 1;
    crosshairPoint = GridPoint(static_cast<float>(column), static_cast<float>(row));
    codeIndex = GameRand() % static_cast<int>(codes.size());
    ComputeTarget();
}

PXL_Vec2 TargetingModule::GridPoint(float column, float row) const
{
    return {screenCentre.x - screenSize.x / 2.0f + column * screenSize.x / targeting_table::GridColumns,
            screenCentre.y - screenSize.y / 2.0f + row * screenSize.y / targeting_table::GridRows};
}

void TargetingModule::ComputeTarget()
{
    target.x = screenCentre.x - screenSize.x / 2.0f + screenSize.x * slider->value;
    target.y = screenCentre.y + screenSize.y / 2.0f * std::sin(spinner->totalTurn / 5.0f);
}

void TargetingModule::Update()
{
    Module::Update();
    if (!active) {
        return;
    }
    if (!solved) {
        ComputeTarget();
    }
    if (fireButton->clicked || solved) {
        const PXL_Vec2 goal = goalPoints[static_cast<size_t>(codeIndex)];
        const float distance = std::hypot(target.x - goal.x, target.y - goal.y);
        if (distance < targeting_table::HitRadius) {
            OnCorrect();
        } else {
            light->onColour = LampRed;
            OnIncorrect();
        }
        light->lit = true;
    }
    // Reaching for a control again puts out the verdict of the last shot.
    if (slider->clicked || spinner->clicked) {
        light->lit = false;
    }
}

void TargetingModule::Render()
{
    DrawNineSlice(Plus(position, {0, 50}), {550, 400}, PanelModuleBase, 0.0f, false);

    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    const PXL_Vec2 trackCentre{(slider->start.x + slider->end.x) / 2.0f, (slider->start.y + slider->end.y) / 2.0f};
    DrawNineSlice(trackCentre, {0, slider->start.y - slider->end.y}, PanelDeskHole, 4.0f, false);
    DrawTexture(spinnerTexture, &spinner->position, &spinner->size, PXL_FILTER_LINEAR, spinner->angle);
    const PXL_Vec2 handleDrawn{120, 120};
    DrawTexture(handleTexture, &slider->position, &handleDrawn, PXL_FILTER_LINEAR, 0.0f);
    uint32_t frame = fireButton->held ? 2 : (fireButton->hovered ? 1 : 0);
    DrawSheetFrame(SheetButton1, frame, fireButton->position, {120, 120}, 0.0f, &NoTint);

    const PXL_Vec2 screen = Plus(position, screenCentre);
    const PXL_Vec2 backing{screenSize.x + screenMargin, screenSize.y + screenMargin};
    DrawTexture(nullptr, &screen, &backing, PXL_FILTER_LINEAR, 0.0f);
    DrawTint = CrosshairGrey;
    const PXL_Vec2 vertical{position.x + crosshairPoint.x, screen.y};
    const PXL_Vec2 verticalSize{lineWidth, screenSize.y + screenMargin};
    DrawTexture(nullptr, &vertical, &verticalSize, PXL_FILTER_LINEAR, 0.0f);
    const PXL_Vec2 horizontal{screen.x, position.y + crosshairPoint.y};
    const PXL_Vec2 horizontalSize{screenSize.x + screenMargin, lineWidth};
    DrawTexture(nullptr, &horizontal, &horizontalSize, PXL_FILTER_LINEAR, 0.0f);
    if (active) {
        DrawTint = MarkerGreen;
        const PXL_Vec2 marker = Plus(position, target);
        DrawTexture(nullptr, &marker, &targetSize, PXL_FILTER_LINEAR, 0.0f);
    }
    DrawNineSlice(screen, screenSize, PanelScreen2, 10.0f, false);
    light->Render();

    DrawTint = {0, 0, 0, 1};
    DrawNineSlice(Plus(codePosition, {75, 0}), {175, 50}, PanelMetalPlate, 10.0f, false);
    DrawText(static_cast<SpriteSheetId>(codeFont), Code(), codePosition, codeCharacterSize, false, false);
}

void TargetingModule::Exit()
{
    RemoveInteractables();
    spinner = nullptr;
    slider = nullptr;
    fireButton = nullptr;
    PXL_Graphics_FreeTexture(&spinnerTexture);
    PXL_Graphics_FreeTexture(&handleTexture);
    delete light;
    light = nullptr;
}

void TargetingModule::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line",
              "/> WARNING: Beta particles approaching unacceptable levels of anger! Target and eliminate them.");
}

void TargetingModule::OnCorrect()
{
    Module::OnCorrect();
    light->onColour = LampGreen;
    solved = true;
    Broadcast("terminal_append_line", "Beta particle eliminated.");
    PlayCue(CueMachines);
}

void TargetingModule::OnIncorrect()
{
    Module::OnIncorrect();
}
