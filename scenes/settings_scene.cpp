#include "scenes/settings_scene.h"

#include "audio/audio_cues.h"
#include "audio/sound_system.h"
#include "engine/screen_scale.h"
#include "interaction/buttons.h"
#include "interaction/interactable.h"
#include "manual/manual_scene.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"
#include "scenes/settings_file.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>

SettingsScene* settingsScene = new SettingsScene();

bool FullscreenFlag = false;
bool volumeChanged = false;

namespace {

const PXL_Color White = {1, 1, 1, 1};
constexpr float BackdropAlpha = 0.96f;
const PXL_Vec2 WindowedSize = {1280, 720};

// Design offsets from the screen's centre, y downward.
const PXL_Vec2 FullscreenBoxPlace = {-650, -300};
const PXL_Vec2 ManualBoxPlace = {-650, -150};
constexpr float LabelX = -500;
constexpr float HintY = -80;
constexpr float BoxSide = 128;
constexpr float LabelGlyph = 80;
constexpr float HintGlyph = 40;
const PXL_Vec2 TrackStart = {-400, 100};
const PXL_Vec2 TrackEnd = {400, 100};
const PXL_Vec2 TrackSize = {800, 40};
const PXL_Vec2 HandleSize = {40, 100};
const PXL_Vec2 HandleHitSize = {800, 100};

// The channel groups the volume is set on, in this order.
constexpr int32_t VolumeGroups[] = {2, 3, 1, 0};
constexpr int32_t ShownVolumeGroup = 3;

void CloseSettings()
{
    RemoveScene(settingsScene);
}

bool Checked(const Interactable* box)
{
    return box->value != 0.0f;
}

PXL_Vec2 Scaled(PXL_Vec2 size, float k)
{
    return {size.x * k, size.y * k};
}

void DrawBox(const Interactable* box, float k)
{
    DrawSheetFrame(SheetCheckbox, Checked(box) ? 1 : 0, box->position, Scaled({BoxSide, BoxSide}, k), 0.0f, &NoTint);
}

void DrawLabel(const std::string& text, float y, float glyph, float k)
{
    DrawText(FontIBM3270, text, ScreenToWorld({LabelX, y}), {glyph * k, glyph * k}, false, false);
}

void DrawRectangle(PXL_Vec2 centre, PXL_Vec2 size)
{
    DrawTexture(nullptr, &centre, &size, PXL_FILTER_LINEAR, 0.0f);
}

// What the settings file keeps: the state of the game as the settings left it.
KeptSettings CurrentSettings()
{
    KeptSettings settings;
    settings.fullscreen = FullscreenFlag;
    settings.manualHidden = !manualScene->renderEnabled;
    settings.volume = CurrentVolume();
    return settings;
}

void KeepSettings()
{
    if (!settingsFileInUse) {
        return;
    }
    static bool failureReported = false;
    std::string error;
    std::string path = SettingsFilePath();
    if (!WriteSettingsFile(path, CurrentSettings(), error) && !failureReported) {
        // Once a run: the game goes on with the settings as they are, only the next run will not have them.
        std::fprintf(stderr, "Brimvale: the settings could not be kept for the next run (%s)\n", error.c_str());
        failureReported = true;
    }
}

} // namespace

void SetFullscreen(bool on)
{
    FullscreenFlag = on;
    if (on) {
        PXL_Window_SetStyle(PXL_STYLE_BORDERLESS);
        PXL_Vec2 monitor = PXL_Window_GetMonitorSize();
        PXL_Window_SetSizeAndPosition(static_cast<int>(monitor.x), static_cast<int>(monitor.y), 0, 0);
    } else {
        PXL_Window_SetStyle(PXL_STYLE_FIXED_WINDOW);
        PXL_Window_SetSize(static_cast<int>(WindowedSize.x), static_cast<int>(WindowedSize.y));
    }
}

void SetVolume(float volume)
{
    for (int32_t group : VolumeGroups) {
        if (FMOD_CHANNELGROUP* handle = SoundChannelGroup(group)) {
            SoundCheck(FMOD_ChannelGroup_SetVolume(handle, volume));
        }
    }
}

float CurrentVolume()
{
    FMOD_CHANNELGROUP* group = SoundChannelGroup(ShownVolumeGroup);
    float volume = 1.0f;
    if (group != nullptr) {
        SoundCheck(FMOD_ChannelGroup_GetVolume(group, &volume));
    }
    return volume;
}

void ApplyKeptSettings()
{
    if (!settingsFileInUse) {
        return;
    }
    KeptSettings kept = ReadSettingsFile(SettingsFilePath());
    if (kept.fullscreen) {
        SetFullscreen(true);
    }
    manualScene->renderEnabled = !kept.manualHidden;
    if (kept.volume != CurrentVolume()) {
        SetVolume(kept.volume);
    }
}

SettingsScene::~SettingsScene()
{
    RemoveInteractable(fullscreenBox);
    RemoveInteractable(manualBox);
    RemoveInteractable(volumeSlider);
}

void SettingsScene::OnMissingReturnScene()
{
    throw std::logic_error("Bro you forgot to set the return scene for Settings scene");
}

void SettingsScene::LoadOverlay()
{
    float k = 1.0f - ZoomOffset;
    PXL_Vec2 boxSize = Scaled({BoxSide, BoxSide}, k);
    fullscreenBox = new Interactable(ScreenToWorld(FullscreenBoxPlace), boxSize, KindToggle, OrderOverlay, 0.0f, false);
    fullscreenBox->value = FullscreenFlag ? 1.0f : 0.0f;
    // The box shows the manual as it is now, whoever changed it last.
    manualBox = new Interactable(ScreenToWorld(ManualBoxPlace), boxSize, KindToggle, OrderOverlay, 0.0f, false);
    manualBox->value = manualScene->renderEnabled ? 0.0f : 1.0f;
    float place = std::fmin(std::fmax(CurrentVolume() / MaxKeptVolume, 0.0f), 1.0f);
    volumeSlider = new Slider(ScreenToWorld(TrackStart), ScreenToWorld(TrackEnd), Scaled(HandleHitSize, k), place, 0.0f,
                              OrderOverlay);
    exitButton = AddButton({0.0f, 300.0f}, {700.0f, 150.0f}, "Exit Settings", CloseSettings);
}

void SettingsScene::Update(float)
{
    if (fullscreenBox == nullptr) {
        return;
    }
    if (fullscreenBox->clicked && Checked(fullscreenBox) != FullscreenFlag) {
        SetFullscreen(Checked(fullscreenBox));
    }
    if (manualBox->clicked) {
        manualScene->renderEnabled = !Checked(manualBox);
    }
    if (!volumeSlider->dragging) {
        if (volumeChanged) {
            // The new level, heard once the player lets go.
            PlayCue(CueButton);
            volumeChanged = false;
        }
    } else {
        SetVolume(volumeSlider->value * MaxKeptVolume);
        volumeChanged = true;
    }
}

void SettingsScene::RenderOverlay()
{
    float k = 1.0f - ZoomOffset;
    // Nearly opaque: the menu or the pause menu beneath shows only faintly, so their buttons and lines do not
    // run through the labels. The tint's alpha and the draw alpha multiply: the alpha is given once.
    DrawTint = {0.4f, 0.4f, 0.4f, 1.0f};
    DrawAlpha = BackdropAlpha;
    DrawRectangle(ScreenToWorld({0.0f, 0.0f}), {1536.0f * k, 864.0f * k});

    DrawBox(fullscreenBox, k);
    DrawTint = White;
    DrawAlpha = 1.0f;
    DrawLabel(std::string("Toggle Fullscreen (") + (Checked(fullscreenBox) ? "On" : "Off") + ")", FullscreenBoxPlace.y,
              LabelGlyph, k);
    DrawBox(manualBox, k);
    DrawLabel(std::string("Hide Manual (") + (Checked(manualBox) ? "Hidden" : "Shown") + ")", ManualBoxPlace.y,
              LabelGlyph, k);
    DrawTint = {0.75f, 0.75f, 0.75f, 1};
    DrawLabel("Hide Manual if playing 'multiplayer'", HintY, HintGlyph, k);

    DrawTint = White;
    // A hair over the product, so that a volume kept as 0.7 shows 7 and not 6.
    int percent = static_cast<int>(std::floor(CurrentVolume() * 10.0f + 0.001f));
    DrawText(FontIBM3270, "Volume Control: " + std::to_string(percent) + "%", ScreenToWorld({0.0f, 0.0f}),
             {LabelGlyph * k, LabelGlyph * k}, true, false);
    DrawRectangle(ScreenToWorld({0.0f, TrackStart.y}), Scaled(TrackSize, k));
    DrawTint = {0, 0, 0, 1};
    DrawRectangle(volumeSlider->position, Scaled(HandleSize, k));
}

void SettingsScene::ExitOverlay()
{
    KeepSettings();
}

void SettingsScene::UnloadOverlay()
{
    RemoveInteractable(fullscreenBox);
    RemoveInteractable(manualBox);
    RemoveInteractable(volumeSlider);
    fullscreenBox = manualBox = nullptr;
    volumeSlider = nullptr;
    exitButton = nullptr;
}
