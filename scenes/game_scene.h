// The control desk: fifteen panels of desk, the modules on it, the terminal and the countdown.
#pragma once

#include "platform/pxl.h"
#include "scenes/scene.h"

#include <cstdint>
#include <string>

class Terminal;
class PlantBoot;
class AdminAuthentication;
class WavulonModule;
class TargetingModule;
class CalendarModule;
class OnsiteIncidentModule;
class ReactorTemperature;
class Decryption;
class StickyNotesModule;
class KeyModule;
class PhoneModule;

class GameScene : public Scene {
public:
    GameScene() : Scene("GameScene") {}
    void Load() override;
    void Init() override;
    void Update(float dt) override;
    void Render() override;
    void Unload() override;

    Terminal* terminal = nullptr;
    PlantBoot* plantBoot = nullptr;
    AdminAuthentication* adminAuthentication = nullptr;
    WavulonModule* wavulon = nullptr;
    TargetingModule* targeting = nullptr;
    KeyModule* keyModule = nullptr;
    ReactorTemperature* reactorTemperature = nullptr;
    CalendarModule* calendar = nullptr;
    OnsiteIncidentModule* onsiteIncident = nullptr;
    Decryption* decryption = nullptr;
    StickyNotesModule* stickyNotes = nullptr;
    PXL_Texture deskTexture = nullptr;
    PXL_Vec2 deskPanelSize{1920, 1080};
    int32_t deskPanelCount = 15;
    std::string dateText;
    float zoomStart = 0.0f;
    bool zoomDoneSent = false;
    float timerGrow = 0.0f;
    float zoomDuration = 10.0f;
    float zoomHold = 1.0f;
    float zoomTimeLeft = 11.0f;
    PhoneModule* phone = nullptr;
};

extern GameScene* gameScene;

// The desk camera, shared with whoever needs to know whether the player may pan.
struct DeskCamera {
    bool cameraLocked = false;
    bool dragging = false;
    float leftBound = 0.0f;
    float rightBound = 0.0f;
};
extern DeskCamera deskCamera;
