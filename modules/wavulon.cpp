#include "modules/wavulon.h"

#include "audio/audio_cues.h"
#include "engine/random.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/nine_slice.h"
#include "render/shaders.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <string>

namespace {

constexpr int32_t ButtonOrder = 0;
// rand() / RollsPerPattern is 0, 1 or 2, and 3 only for the very top value.
constexpr int RollsPerPattern = 10922;

} // namespace

WavulonModule::WavulonModule(std::string moduleName, PXL_Vec2 modulePosition)
    : Module(std::move(moduleName), modulePosition)
{
}

void WavulonModule::Init()
{
    Module::Init();
    for (size_t i = 0; i < buttons.size(); ++i) {
        auto* button = new Interactable(buttonOffsets[i], buttonSize, KindMomentary, ButtonOrder, 0.0f, false);
        button->cue = CueButton;
        buttons[i] = button;
        interactables.push_back(button);
    }
    OffsetInteractables();

    std::copy(wavulon_table::Patterns.begin(), wavulon_table::Patterns.end(), patternTable.begin());
    inputHistory.fill(0);
    patternIndex = PickPattern();

    for (size_t i = 0; i < lights.size(); ++i) {
        lights[i] = new StatusLight(
            {position.x + firstLightOffset.x, position.y + firstLightOffset.y + lightSpacing * static_cast<float>(i)});
    }
    for (size_t i = 0; i < waveTextures.size(); ++i) {
        waveTextures[i] = PXL_Graphics_LoadTexture(AssetPath(wavulon_table::WavePictures[i]));
    }
}

void WavulonModule::Update()
{
    Module::Update();
    if (!active) {
        return;
    }
    // While the history holds the right order, presses are not taken.
    if (!CheckSequence()) {
        for (size_t i = 0; i < buttons.size(); ++i) {
            if (buttons[i]->clicked) {
                PushInput(static_cast<uint32_t>(i));
            }
        }
    }
    if (FilledPlaces() == static_cast<int32_t>(inputHistory.size())) {
        // A wrong order has already emptied the history and changed the wave by the time this is false.
        if (CheckSequence()) {
            OnCorrect();
        } else {
            OnIncorrect();
        }
    }
}

void WavulonModule::Render()
{
    const PXL_Vec2 baseCentre{position.x, position.y + 50.0f};
    DrawNineSlice(baseCentre, {450.0f, 400.0f}, PanelModuleBase, 0.0f, false);

    const PXL_Vec2 screenCentre{position.x + waveOffset.x, position.y + waveOffset.y};
    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &screenCentre, &waveSize, PXL_FILTER_LINEAR, 0.0f);
    if (active) {
        ImmediateSprite wave(waveTextures[static_cast<size_t>(patternIndex)], true);
        wave.sprite.transform->position = screenCentre;
        wave.sprite.transform->scale = waveSize;
        wave.sprite.transform->rotation = 0.0f;
        wave.sprite.alpha = std::clamp(DrawAlpha, 0.0f, 1.0f);
        UseTerminalShaders();
        PXL_Graphics_SetTextureSamplerData(PXL_FILTER_LINEAR, PXL_ADDRESS_WRAP);
        DrawSprite(&wave.sprite, &DrawTint, true, 1);
    }
    DrawNineSlice(screenCentre, waveSize, PanelScreen1, 5.0f, false);

    for (Interactable* button : buttons) {
        uint32_t frame = button->held ? 2 : (button->hovered ? 1 : 0);
        DrawSheetFrame(SheetButton2, frame, button->position, button->size, 0.0f, &NoTint);
    }

    const int32_t filled = FilledPlaces();
    for (size_t i = 0; i < lights.size(); ++i) {
        StatusLight* lamp = lights[i];
        lamp->lit = false;
        if (static_cast<int32_t>(i) < filled) {
            lamp->lit = true;
            lamp->onColour = LampRed;
            if (CheckSequence()) {
                lamp->onColour = LampGreen;
            }
        }
    }
    for (size_t i = lights.size(); i-- > 0;) {
        lights[i]->Render();
    }
}

void WavulonModule::Exit()
{
    RemoveInteractables();
    buttons.fill(nullptr);
    for (PXL_Texture& texture : waveTextures) {
        PXL_Graphics_FreeTexture(&texture);
    }
    for (StatusLight*& lamp : lights) {
        delete lamp;
        lamp = nullptr;
    }
}

void WavulonModule::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line",
              "/> WARNING: Radon Waves reaching unprecedented levels! Regulate them using the Wavulon 3000.");
}

void WavulonModule::OnCorrect()
{
    Module::OnCorrect();
    Broadcast("terminal_append_line", "Radon waves successfully regulated");
    PlayCue(CueMachines);
}

void WavulonModule::OnIncorrect()
{
    Module::OnIncorrect();
}

int32_t WavulonModule::PatternForRoll(int roll)
{
    return std::min(roll / RollsPerPattern, wavulon_table::PatternCount - 1);
}

int32_t WavulonModule::PickPattern()
{
    return PatternForRoll(GameRand());
}

void WavulonModule::ResetSequence()
{
    inputHistory.fill(NoInput);
    int32_t next = PickPattern();
    while (next == patternIndex) {
        next = PickPattern();
    }
    patternIndex = next;
}

bool WavulonModule::CheckSequence()
{
    const size_t row = static_cast<size_t>(patternIndex) * inputHistory.size();
    for (size_t place = 0; place < inputHistory.size(); ++place) {
        if (inputHistory[place] == NoInput) {
            return false;
        }
        if (inputHistory[place] != static_cast<uint32_t>(patternTable[row + place])) {
            ResetSequence();
            return false;
        }
    }
    return true;
}

void WavulonModule::PushInput(uint32_t button)
{
    inputHistory[0] = inputHistory[1];
    inputHistory[1] = inputHistory[2];
    inputHistory[2] = button;
}

int32_t WavulonModule::FilledPlaces() const
{
    return static_cast<int32_t>(
        std::count_if(inputHistory.begin(), inputHistory.end(), [](uint32_t place) { return place != NoInput; }));
}
