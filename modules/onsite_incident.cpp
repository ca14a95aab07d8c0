#include "modules/onsite_incident.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/random.h"
#include "flow/events.h"
#include "flow/game_manager.h"
#include "interaction/interactable.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <cstdlib>
#include <string>

namespace {

const PXL_Color Black{0, 0, 0, 1};
const PXL_Color White{1, 1, 1, 1};
const char* const LabelLines[] = {"Days", "Since Last", "Meltdown"};

} // namespace

OnsiteIncidentModule::OnsiteIncidentModule(std::string moduleName, PXL_Vec2 modulePosition)
    : Module(std::move(moduleName), modulePosition)
{
    button = new Interactable(buttonOffset, buttonSize, KindMomentary, OrderDesk, 0.0f, false);
    button->cue = CueButton;
}

void OnsiteIncidentModule::Init()
{
    signTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::IncidentSign));
    if (button == nullptr) {
        // Init again after an Exit: the button was freed with the rest of the desk's controls.
        button = new Interactable(buttonOffset, buttonSize, KindMomentary, OrderDesk, 0.0f, false);
        button->cue = CueButton;
    }
    interactables.push_back(button);
    OffsetInteractables();
    if (daysMinimum == 0 && daysMaximum == 0) {
        days = 0;
    } else {
        days = daysMinimum + static_cast<uint32_t>(GameRand()) % (daysMaximum - daysMinimum + 1);
    }
    dayAdded = false;
}

void OnsiteIncidentModule::Update()
{
    Module::Update();
    if (button->clicked && active) {
        ++days;
        dayAdded = true;
        OnCorrect();
    }
    // The manager says "win" again when it hears this module's own "module_correct": the day is added by then.
    if (Listen("end_game") && GetData("end_game") == "win" && !dayAdded) {
        OnTrigger();
    }
}

void OnsiteIncidentModule::Render()
{
    DrawAlpha = 1.0f;
    DrawTint = Black;
    PXL_Vec2 signCentre{position.x + signOffset.x, position.y + signOffset.y};
    DrawTexture(signTexture, &signCentre, &signSize, PXL_FILTER_LINEAR, 0.0f);

    DrawAlpha = 1.0f;
    DrawTint = White;
    DrawTexture(nullptr, &button->position, &button->size, PXL_FILTER_LINEAR, 0.0f);

    DrawAlpha = 1.0f;
    DrawTint = Black;
    DrawText(FontOxygenMono, std::to_string(days), {position.x + counterOffset.x, position.y + counterOffset.y},
             counterGlyphSize, true, false);
    for (int line = 0; line < 3; ++line) {
        DrawAlpha = 1.0f;
        PXL_Vec2 at{position.x + labelOffset.x,
                    position.y + labelOffset.y - static_cast<float>(line) * labelLineHeight};
        DrawText(FontOxygenMono, LabelLines[line], at, labelGlyphSize, true, false);
    }
}

void OnsiteIncidentModule::Exit()
{
    PXL_Graphics_FreeTexture(&signTexture);
    RemoveInteractables();
    button = nullptr;
}

void OnsiteIncidentModule::OnTrigger()
{
    active = true;
    Broadcast("terminal_append_line",
              "/> Nuclear meltdown crisis averted. Before you clock out, add another day without incident to the "
              "counter.");
}

void OnsiteIncidentModule::OnCorrect()
{
    Module::OnCorrect();
    gameManager.ending = true;
}
