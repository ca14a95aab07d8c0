// Every file the game opens from its Assets folder, in the one table that the game and the picture generator
// (tools/assetgen) both read: the name the code knows it by, its path under Assets/, its kind and who makes it.
// Plain constexpr data with no game dependencies, so that the tools can include it.
//
// To add an asset: add one line to BRIMVALE_ASSETS, next to its machine's other lines:
//     X(TemperatureGauge, "Modules/ReactorTemperature/temperature-gauge.png", Picture, PictureGenerator)
// then open it in the game as AssetPath(Asset::TemperatureGauge) (or AssetInfo(...).path for a sprite sheet's
// name under Assets/) and, for a picture the generator draws, save it in tools/assetgen to
// AssetFile(dir, Asset::TemperatureGauge). tests/asset_table_test.cpp then checks that the build's Assets folder
// holds it and that a run of the game asks for nothing that is missing.
#pragma once

#include <cstddef>

enum class AssetKind {
    Picture,    // one texture, drawn whole
    FrameSheet, // a texture of equal frames (sprite sheet)
    Font,       // a 16 by 6 glyph sheet
    Panel,      // a nine-slice panel, 4 by 4 cells
    Folder,     // a folder the game lists (ends with "/")
    Script,     // a terminal script
    Shader,     // asked for by its .hlsl name; the source on disk is the .glsl beside it
};

enum class AssetMaker {
    PictureGenerator, // tools/assetgen, at build time
    SoundGenerator,   // tools/sfxgen, at build time
    HandWritten,      // kept in assets/ and copied
};

// clang-format off
#define BRIMVALE_ASSETS(X)                                                                                            \
    /* the desk and what stands on it */                                                                              \
    X(DeskBody, "Desk/Desk_body_v2.png", Picture, PictureGenerator)                                                   \
    X(DeskDrawer, "Desk/Desk_Drawer.png", Picture, PictureGenerator)                                                  \
    X(DeskObjects, "Interactables/Desk_Objects.png", Picture, PictureGenerator)                                       \
    X(LightBase, "Interactables/Light_Base.png", Picture, PictureGenerator)                                           \
    X(LightBulb, "Interactables/Light_Bulb.png", Picture, PictureGenerator)                                           \
    X(Handle, "Interactables/Handle_1.png", Picture, PictureGenerator)                                                \
    X(Spinner, "Interactables/Spinner_1.png", Picture, PictureGenerator)                                              \
    X(StickyNoteBody, "Interactables/StickyNote_Body.png", Picture, PictureGenerator)                                 \
    X(StickyNoteBase, "Interactables/StickyNote_Base.png", Picture, PictureGenerator)                                 \
    X(IncidentSign, "Aesthetics/IncidentSign.png", Picture, PictureGenerator)                                         \
    X(AlarmBand, "Aesthetics/Alarm_Effect.png", Picture, PictureGenerator)                                            \
    /* controls and machines, in frames */                                                                            \
    X(Button1Sheet, "Interactables/Button_1-Sheet.png", FrameSheet, PictureGenerator)                                 \
    X(Button2Sheet, "Interactables/Button_2-Sheet.png", FrameSheet, PictureGenerator)                                 \
    X(PhoneButtonSheet, "Interactables/Button_Phone-Sheet.png", FrameSheet, PictureGenerator)                         \
    X(SwitchSheet, "Interactables/Switch_1-Sheet.png", FrameSheet, PictureGenerator)                                  \
    X(KeyholeSheet, "Interactables/Keyhole-Sheet.png", FrameSheet, PictureGenerator)                                  \
    X(CheckboxSheet, "Interactables/Checkbox-Sheet.png", FrameSheet, PictureGenerator)                                \
    X(TrashcanSheet, "Interactables/Trashcan_Sheet.png", FrameSheet, PictureGenerator)                                \
    X(PencilCursor, "PencilCursor.png", FrameSheet, PictureGenerator)                                                 \
    X(Phone, "Modules/Phone/Phone.png", FrameSheet, PictureGenerator)                                                 \
    X(PhoneBookList, "Aesthetics/PhoneBookList.png", FrameSheet, PictureGenerator)                                    \
    X(TemperatureGauge, "Modules/ReactorTemperature/temperature-gauge.png", Picture, PictureGenerator)                \
    X(TemperatureNeedle, "Modules/ReactorTemperature/temperature-needle.png", Picture, PictureGenerator)              \
    X(WaveSine, "Minigame1_wavelengths1.png", Picture, PictureGenerator)                                              \
    X(WaveSquare, "Minigame1_wavelengths2.png", Picture, PictureGenerator)                                            \
    X(WaveSaw, "Minigame1_wavelengths3.png", Picture, PictureGenerator)                                               \
    /* fonts and the terminal's glow */                                                                               \
    X(FontIBM3270Sheet, "Fonts/IBM3270Regular.png", Font, PictureGenerator)                                           \
    X(FontOxygenMonoSheet, "Fonts/OxygenMono_Font_Texture.png", Font, PictureGenerator)                               \
    X(FontLumenfallSheet, "Fonts/Lumenfall_Font_Texture.png", Font, PictureGenerator)                                 \
    X(FontTickingTimebombSheet, "Fonts/TickingTimebomb.png", Font, PictureGenerator)                                  \
    X(FontSymbolsSheet, "Fonts/Symbols.png", Font, PictureGenerator)                                                  \
    X(TerminalGlow, "Fonts/TerminalTextBackground.png", Picture, PictureGenerator)                                    \
    /* nine-slice panels, in the order of NineSliceKind */                                                            \
    X(PanelScreen1, "Aesthetics/Screen_1_9Slice.png", Panel, PictureGenerator)                                        \
    X(PanelScreen2, "Aesthetics/Screen_2_9Slice.png", Panel, PictureGenerator)                                        \
    X(PanelMetalPlate, "Aesthetics/Metal_Plate_2_9Slice.png", Panel, PictureGenerator)                                \
    X(PanelUIButton, "Aesthetics/UI_Button_9Slice.png", Panel, PictureGenerator)                                        \
    X(PanelUIButtonHovered, "Aesthetics/UI_Button_Hovered_9Slice.png", Panel, PictureGenerator)                         \
    X(PanelModuleBase, "Aesthetics/Module_Base_9Slice.png", Panel, PictureGenerator)                                  \
    X(PanelDeskHole, "Aesthetics/Desk_Hole_2_9Slice.png", Panel, PictureGenerator)                                    \
    /* the tutorial's hints and the manual */                                                                         \
    X(MouseHorizontal, "Input/mouse_horizontal.png", Picture, PictureGenerator)                                       \
    X(MouseLeft, "Input/mouse_left.png", Picture, PictureGenerator)                                                   \
    X(ManualNextPage, "UI/Manual_Next_Page.png", Picture, PictureGenerator)                                           \
    X(ManualPages, "Pages/", Folder, PictureGenerator)                                                                \
    X(ManualBlankPage, "Pages/ManualBlankPage.jpg", Picture, PictureGenerator)                                        \
    /* the end screen, the splash and the window */                                                                   \
    X(NewspaperBackground, "Newspaper/Newspaper_Background.png", Picture, PictureGenerator)                           \
    X(NewspaperWin, "Newspaper/Newspaper_Win.png", Picture, PictureGenerator)                                         \
    X(NewspaperLose, "Newspaper/Newspaper_Lose.png", Picture, PictureGenerator)                                       \
    X(MakerLogo, "TessaroLogos/Web/Tessaro_WHITE_1024px.png", Picture, PictureGenerator)                              \
    X(AudioLogo, "FMOD_LOGOS/FMOD Logo White _ Black Background.png", Picture, PictureGenerator)                      \
    X(WindowIcon, "Icons/107.png", Picture, PictureGenerator)                                                         \
    X(Icon16, "Icons/brimvale-16.png", Picture, PictureGenerator)                                                     \
    X(Icon24, "Icons/brimvale-24.png", Picture, PictureGenerator)                                                     \
    X(Icon32, "Icons/brimvale-32.png", Picture, PictureGenerator)                                                     \
    X(Icon48, "Icons/brimvale-48.png", Picture, PictureGenerator)                                                     \
    X(Icon64, "Icons/brimvale-64.png", Picture, PictureGenerator)                                                     \
    X(Icon128, "Icons/brimvale-128.png", Picture, PictureGenerator)                                                   \
    X(Icon256, "Icons/brimvale-256.png", Picture, PictureGenerator)                                                   \
    /* sounds, scripts and shaders */                                                                                 \
    X(SoundCues, "SFX/", Folder, SoundGenerator)                                                                      \
    X(CreditsScript, "Credits.txt", Script, HandWritten)                                                              \
    X(BootScript, "TerminalBootGarbage.txt", Script, HandWritten)                                                     \
    X(EndTutorialScript, "TerminalEndTutorialGarbage.txt", Script, HandWritten)                                       \
    X(TerminalVertexShader, "Shaders/CustomVertexShader.hlsl", Shader, HandWritten)                                   \
    X(TerminalShader, "Shaders/TerminalShader.hlsl", Shader, HandWritten)
// clang-format on

enum class Asset {
#define BRIMVALE_ASSET_NAME(name, path, kind, maker) name,
    BRIMVALE_ASSETS(BRIMVALE_ASSET_NAME)
#undef BRIMVALE_ASSET_NAME
};

struct AssetEntry {
    const char* name;     // the Asset's name
    const char* path;     // under the Assets folder
    const char* gamePath; // as the game opens it, from its working folder: "./Assets/" + path
    AssetKind kind;
    AssetMaker maker;
};

inline constexpr AssetEntry AssetTable[] = {
#define BRIMVALE_ASSET_ENTRY(name, path, kind, maker)                                                                  \
    {#name, path, "./Assets/" path, AssetKind::kind, AssetMaker::maker},
    BRIMVALE_ASSETS(BRIMVALE_ASSET_ENTRY)
#undef BRIMVALE_ASSET_ENTRY
};

inline constexpr size_t AssetCount = sizeof AssetTable / sizeof AssetTable[0];

constexpr const AssetEntry& AssetInfo(Asset asset)
{
    return AssetTable[static_cast<size_t>(asset)];
}

// The path the game opens: "./Assets/..." from the game's working folder.
constexpr const char* AssetPath(Asset asset)
{
    return AssetInfo(asset).gamePath;
}
