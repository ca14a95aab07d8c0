#pragma once

#include "scenes/overlay_scene.h"

class Interactable;
class Slider;
class UIButton;

// The settings overlay: full screen or a 1280 by 720 window, the manual hidden (for players who play together
// and should not see it), and the volume. Each takes effect at once; "Exit Settings" closes the overlay, keeps
// the settings for the next run and resumes the scene beneath.
class SettingsScene : public OverlayScene {
public:
    SettingsScene() : OverlayScene("SettingsScene") {}
    ~SettingsScene() override;
    void Update(float dt) override;

    Interactable* fullscreenBox = nullptr;
    Slider* volumeSlider = nullptr;
    Interactable* manualBox = nullptr;
    UIButton* exitButton = nullptr;

protected:
    void OnMissingReturnScene() override;
    void LoadOverlay() override;
    void RenderOverlay() override;
    void ExitOverlay() override;
    void UnloadOverlay() override;
};

extern SettingsScene* settingsScene;

// True while the window covers the monitor.
extern bool FullscreenFlag;
// Set while the volume slider is dragged; the drag's end plays one sound at the new level and clears it.
extern bool volumeChanged;

// A borderless window the size of the monitor at its top left corner, or the fixed 1280 by 720 window.
void SetFullscreen(bool on);
// The volume of every channel group (0 to 10), as the slider sets it.
void SetVolume(float volume);
// The volume the settings show: that of channel group 3; 1 when there is no sound system.
float CurrentVolume();

// At start: the settings kept from the last run, when the settings file is in use.
void ApplyKeptSettings();
