#include "scenes/game_scene.h"

#include "audio/audio_cues.h"
#include "audio/desk_ambience.h"
#include "engine/asset_table.h"
#include "engine/ease.h"
#include "engine/screen_scale.h"
#include "flow/alarm.h"
#include "flow/events.h"
#include "flow/game_manager.h"
#include "flow/timer.h"
#include "interaction/interactable.h"
#include "manual/manual_scene.h"
#include "modules/admin_authentication.h"
#include "modules/calendar.h"
#include "modules/decryption.h"
#include "modules/key_module.h"
#include "modules/onsite_incident.h"
#include "modules/phone.h"
#include "modules/plant_boot.h"
#include "modules/reactor_temperature.h"
#include "modules/sticky_notes.h"
#include "modules/targeting.h"
#include "modules/wavulon.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "scenes/pause_menu_scene.h"
#include "terminal/terminal.h"

#include <algorithm>

GameScene* gameScene = new GameScene();
DeskCamera deskCamera;

namespace {

const PXL_Vec2 TimerBoxCentre = {0, 400};
const PXL_Vec2 TimerBoxSize = {350, 125};

} // namespace

void GameScene::Load()
{
    deskTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::DeskBody));
    plantBoot = new PlantBoot("Plant Boot", {900, 50});
    adminAuthentication = new AdminAuthentication("Admin Authentication", {300, 400});
    wavulon = new WavulonModule("Wavulon3000", {-800, 0});
    targeting = new TargetingModule("Targeting", {2400, 70}, {450, 200});
    keyModule = new KeyModule("KeyModule", {1500, 0});
    reactorTemperature = new ReactorTemperature("Reactor Temperature", {1700, -100});
    calendar = new CalendarModule("Calendar", {100, 100});
    GenerateDate(calendar->date);
    Broadcast("calendar_date", FormatDate(calendar->date));
    onsiteIncident = new OnsiteIncidentModule("OnsiteIncident", {-500, 430});
    phone = new PhoneModule("Phone", {-1300, 0});
    decryption = new Decryption("Decryption", {-2000, 100});
    stickyNotes = new StickyNotesModule({600, -100});
    stickyNotes->AddPadSheet();
    terminal = new Terminal({0, 0}, {700, 525});
    ReadTerminalScript(*terminal, AssetPath(Asset::BootScript));
    StartDeskAmbience();
}

void GameScene::Init()
{
    Broadcast("gamescene_init", "");
    ResetGameManager();
    PushScene(manualScene);
    plantBoot->Init();
    adminAuthentication->Init();
    wavulon->Init();
    targeting->Init();
    keyModule->Init();
    reactorTemperature->Init();
    stickyNotes->Init();
    onsiteIncident->Init();
    phone->Init();
    decryption->Init();
    timerGrow = 0.0f;
    ResetTimer();
    zoomStart = ZoomOffset;
    zoomDoneSent = false;
    zoomTimeLeft = zoomHold + zoomDuration;
    deskCamera.cameraLocked = true;
    deskCamera.dragging = false;
    deskCamera.leftBound = -(static_cast<float>(deskPanelCount) * deskPanelSize.x) / 2;
    deskCamera.rightBound = static_cast<float>(deskPanelCount) * deskPanelSize.x / 2;
    const PXL_Vec2 origin = {0, 0};
    PXL_Camera_SetPosition(&origin);
    plantBoot->OnTrigger();
}

void GameScene::Update(float dt)
{
    // The plant is heard under everything, quieter with the fade to black at the end of a shift; it stands
    // still with the paused desk.
    float heard = gameManager.ending ? gameManager.endCountdown / GameManagerState::endDelay : 1.0f;
    UpdateDeskAmbience(dt, alarmState.active, heard);
    if (dt == 0.0f) {
        return;
    }
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    const PXL_Color black = {0, 0, 0, 1};
    PXL_Graphics_SetBackgroundColor(&black);

    if (!gameManager.ending) {
        float z = EaseInOutCubic(zoomTimeLeft / zoomDuration) * zoomStart;
        if (z <= 0.0f) {
            manualScene->manual.hidden = false;
            deskCamera.cameraLocked = false;
            if (!zoomDoneSent) {
                zoomDoneSent = true;
                Broadcast("zoom_done", "");
            }
        } else {
            if (zoomTimeLeft <= zoomDuration) {
                ZoomOffset = std::max(z, 0.0f);
            }
            manualScene->manual.hidden = true;
            zoomTimeLeft = std::clamp(zoomTimeLeft - dt, 0.0f, zoomDuration);
        }
    } else {
        manualScene->manual.hidden = true;
    }

    if (PXL_Window_HasFocus()) {
        if (PXL_Input_KeyTriggered(PXL_KEY_LBUTTON) && !AnyInteractableHovered()) {
            deskCamera.dragging = true;
        }
        if (PXL_Input_KeyReleased(PXL_KEY_LBUTTON)) {
            deskCamera.dragging = false;
        }
        PXL_Vec2 window = PXL_Window_GetSize();
        float s = DesignScale(window);
        PXL_Vec2 camera = PXL_Camera_GetPosition();
        float x = camera.x;
        if (deskCamera.dragging && !deskCamera.cameraLocked) {
            x -= PXL_Input_GetMousePositionDelta().x / s;
        }
        float halfView = (window.x / s) / 2;
        float minimum = deskCamera.leftBound + halfView;
        float maximum = deskCamera.rightBound - halfView;
        x = x < minimum ? minimum : (x > maximum ? maximum : x);
        PXL_Vec2 position = {x, camera.y};
        PXL_Camera_SetPosition(&position);
    }

    if (Listen("calendar_date")) {
        dateText = GetData("calendar_date");
        terminal->header = "Today is " + dateText;
        terminal->textOrigin.y -= 2 * terminal->glyphSize.y;
    }

    adminAuthentication->Update();
    plantBoot->Update();
    wavulon->Update();
    targeting->Update();
    keyModule->TimedUpdate(dt);
    reactorTemperature->TimedUpdate(dt);
    onsiteIncident->Update();
    phone->TimedUpdate(dt);
    decryption->TimedUpdate(dt);
    if (!manualScene->IsOpen()) {
        stickyNotes->Update();
    }
    terminal->Update(dt);

    if (PXL_Input_KeyTriggered(PXL_KEY_ESCAPE)) {
        if (manualScene->IsOpen()) {
            manualScene->Close();
        }
        pauseMenuScene->returnScene = this;
        PushScene(pauseMenuScene);
    }
    if (timerState.started && timerGrow < 1.0f) {
        timerGrow += dt;
    }
    if (Listen("tutorial_complete")) {
        size_t queued = terminal->queue.size();
        ReadTerminalScript(*terminal, AssetPath(Asset::EndTutorialScript));
        // The script starts the countdown; a shift must still run when it is missing, empty or lost that line.
        bool startsCountdown =
            std::any_of(terminal->queue.begin() + static_cast<std::ptrdiff_t>(queued), terminal->queue.end(),
                        [](const TerminalEntry& entry) {
                            return entry.kind == TerminalEntryKind::Event && entry.text == "start_timer";
                        });
        if (!startsCountdown) {
            terminal->AddEvent("start_timer");
        }
    }
}

void GameScene::Render()
{
    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    const PXL_Vec2 panelScale = deskPanelSize;
    for (int32_t i = 0; i < deskPanelCount; ++i) {
        PXL_Vec2 position = {
            static_cast<float>(i) * deskPanelSize.x - static_cast<float>(deskPanelCount - 1) * deskPanelSize.x / 2, 0};
        DrawTexture(deskTexture, &position, &panelScale, PXL_FILTER_LINEAR, 0.0f);
    }

    plantBoot->Render();
    adminAuthentication->Render();
    wavulon->Render();
    targeting->Render();
    reactorTemperature->Render();
    DrawTint = NoTint;
    terminal->Render();
    decryption->Render();
    onsiteIncident->Render();

    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &TimerBoxCentre, &TimerBoxSize, PXL_FILTER_LINEAR, 0.0f);
    if (timerState.started) {
        DrawTint = {1, 0, 0, 1};
        DrawAlpha = 1.0f;
        float height = std::min(70.0f, 70.0f * timerGrow * timerGrow);
        DrawText(FontTickingTimebomb, timerState.displayText, {0, 390}, {70, height}, true, true);
    }
    DrawNineSlice(TimerBoxCentre, TimerBoxSize, PanelScreen2, 5, false);
    stickyNotes->Render();
    phone->Render();
    keyModule->Render();

    if (gameManager.ending) {
        float a = 1.0f - gameManager.endCountdown / GameManagerState::endDelay;
        DrawAlpha = a;
        DrawTint = {0, 0, 0, a};
        PXL_Vec2 camera = PXL_Camera_GetPosition();
        PXL_Vec2 window = PXL_Window_GetSize();
        PXL_Vec2 cover = {window.x * 2, window.y * 2};
        DrawTexture(nullptr, &camera, &cover, PXL_FILTER_LINEAR, 0.0f);
    }
}

void GameScene::Unload()
{
    // A shift abandoned during its closing fade must not bring the newspaper up over the menu. (The manager
    // clears the flag itself before it switches to the newspaper.)
    gameManager.ending = false;
    // Nor does an abandoned shift's alarm follow the player to the menu.
    alarmState.active = false;
    alarmState.intensity = 0.0f;
    StopDeskAmbience();
    PXL_Graphics_FreeTexture(&deskTexture);
    plantBoot->Exit();
    adminAuthentication->Exit();
    wavulon->Exit();
    targeting->Exit();
    reactorTemperature->Exit();
    keyModule->Exit();
    phone->Exit();
    decryption->Exit();
    onsiteIncident->Exit();
    stickyNotes->Exit();
    delete plantBoot;
    delete adminAuthentication;
    delete wavulon;
    delete targeting;
    delete reactorTemperature;
    delete keyModule;
    delete phone;
    delete calendar;
    delete onsiteIncident;
    delete decryption;
    delete stickyNotes;
    delete terminal;
    plantBoot = nullptr;
    adminAuthentication = nullptr;
    wavulon = nullptr;
    targeting = nullptr;
    reactorTemperature = nullptr;
    keyModule = nullptr;
    phone = nullptr;
    calendar = nullptr;
    onsiteIncident = nullptr;
    decryption = nullptr;
    stickyNotes = nullptr;
    terminal = nullptr;
}
