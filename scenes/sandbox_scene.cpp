#include "scenes/sandbox_scene.h"

#include "engine/screen_scale.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <string>

SandboxScene* sandboxScene = new SandboxScene();

namespace {

// Mid grey, so that white text, black glow and the panels' shading all read.
const PXL_Color Background = {0.34f, 0.36f, 0.39f, 1};
const PXL_Color LabelTint = {1.0f, 0.92f, 0.7f, 1};
const PXL_Color White = {1, 1, 1, 1};
const PXL_Color Missing = {1, 0, 1, 1};
const PXL_Vec2 LabelGlyph = {16, 22};

// The design space is 1920 by 1080 around the origin.
constexpr float Left = -940.0f;
constexpr float Right = 940.0f;

struct FontSample {
    SpriteSheetId id;
    const char* name;
    const char* glowText;
    PXL_Color glowTint;
    float glowHeight;
};

const FontSample Fonts[] = {
    {FontIBM3270, "7 IBM3270", "/> Reactor core nominal. Coolant flow: 98% [OK]", {0.25f, 1.0f, 0.4f, 1}, 34},
    {FontOxygenMono, "8 OxygenMono", "Dial 555-0199 for Maintenance, ext. 42", {1.0f, 0.7f, 0.2f, 1}, 34},
    {FontLumenfall, "9 Lumenfall", "Lumenfall Power & Light 1983", {0.4f, 0.85f, 1.0f, 1}, 34},
    {FontTickingTimebomb, "11 TickingTimebomb", "04:59  0123456789", {1.0f, 0.1f, 0.1f, 1}, 34},
    {FontSymbols, "12 Symbols", "abcdefghi", {0.25f, 1.0f, 0.4f, 1}, 34},
};

struct FrameSheet {
    SpriteSheetId id;
    const char* name;
    uint32_t frames;
};

const FrameSheet FrameSheets[] = {
    {SheetButton1, "Button_1", 3},  {SheetButton2, "Button_2", 3}, {SheetButtonPhone, "Button_Phone", 3},
    {SheetSwitch, "Switch_1", 2},   {SheetKeyhole, "Keyhole", 2},  {SheetCheckbox, "Checkbox", 2},
    {SheetTrashcan, "Trashcan", 2},
};

const char* const PanelNames[] = {"0 Screen_1",          "1 Screen_2",    "2 Metal_Plate_2", "3 UI_Button",
                                  "4 UI_Button_Hovered", "5 Module_Base", "6 Desk_Hole_2"};

// Text whose first glyph's left edge is at `left`.
void Label(const std::string& text, float left, float y)
{
    DrawTint = LabelTint;
    DrawText(FontIBM3270, text, {left + LabelGlyph.x / 2, y}, LabelGlyph, false, false);
}

PXL_Vec2 FitInto(PXL_Vec2 picture, PXL_Vec2 box)
{
    if (picture.x <= 0 || picture.y <= 0) {
        return box;
    }
    float scale = std::min(box.x / picture.x, box.y / picture.y);
    return {picture.x * scale, picture.y * scale};
}

// The pixel size of one frame of a sheet; zero when its picture is missing.
PXL_Vec2 FrameSize(const Sprite* sprite)
{
    PXL_Vec2 size = PXL_Graphics_GetTextureSize(sprite->sheet->texture);
    return {size.x / float(sprite->sheet->columns), size.y / float(sprite->sheet->rows)};
}

// A missing picture shows as a magenta box, so a gap in the art cannot pass for a dark picture.
bool DrawMissing(const Sprite* sprite, PXL_Vec2 centre, PXL_Vec2 box)
{
    if (sprite != nullptr && sprite->sheet->texture != nullptr) {
        return false;
    }
    DrawTextureTinted(nullptr, &centre, &box, &Missing, 0.0f);
    return true;
}

// One frame of a table sheet fitted into a box, drawn the way the controls draw it.
void DrawFrameInBox(SpriteSheetId id, uint32_t frame, PXL_Vec2 centre, PXL_Vec2 box)
{
    Sprite* sprite = GetSheetSprite(id);
    if (DrawMissing(sprite, centre, box)) {
        return;
    }
    const PXL_Color unchanged = {0, 0, 0, 0};
    DrawSheetFrame(id, frame, centre, FitInto(FrameSize(sprite), box), 0.0f, &unchanged);
}

std::string AllGlyphs()
{
    std::string text;
    for (int c = 32; c < 128; ++c) {
        text += char(c);
    }
    return text;
}

// Each font twice: every glyph of its sheet plain, then a sample with glow in the colour the game uses.
void DrawFonts(float top)
{
    const float sampleLeft = -690.0f;
    const float width = Right - sampleLeft;
    const std::string glyphs = AllGlyphs();
    float y = top;
    for (const FontSample& font : Fonts) {
        Sprite* sprite = GetSheetSprite(font.id);
        float factor = FontAdvanceFactor(font.id);
        // Square glyphs, as the game draws them, no wider than lets all 96 fit on the line.
        float advanceShare = 1.0f - 1.0f / factor;
        float side = std::min(34.0f, width / (advanceShare * 95.0f + 1.0f));
        Label(font.name, Left, y);
        if (!DrawMissing(sprite, {0, y}, {width, side})) {
            DrawTint = White;
            DrawText(font.id, glyphs, {sampleLeft + side / 2, y}, {side, side}, false, false);
        }
        y -= 40.0f;
        Label("  with glow", Left, y);
        DrawTint = font.glowTint;
        float glow = font.glowHeight;
        DrawText(font.id, font.glowText, {sampleLeft + glow / 2, y}, {glow, glow}, false, true);
        y -= 42.0f;
    }
}

void DrawPanels(float centreY)
{
    const PXL_Vec2 size = {220, 130};
    const float step = 270.0f;
    float x = -810.0f;
    for (int kind = 0; kind < 7; ++kind) {
        DrawNineSlice({x, centreY}, size, kind, 0.0f, false);
        Label(PanelNames[kind], x - size.x / 2, centreY - size.y / 2 - 24);
        x += step;
    }
}

void DrawFrameSheets(float centreY)
{
    const PXL_Vec2 box = {90, 90};
    const float step = 100.0f;
    const float gap = 24.0f;
    float x = -900.0f + box.x / 2;
    for (const FrameSheet& sheet : FrameSheets) {
        Label(sheet.name, x - box.x / 2, centreY + box.y / 2 + 18);
        for (uint32_t frame = 0; frame < sheet.frames; ++frame) {
            DrawFrameInBox(sheet.id, frame, {x, centreY}, box);
            Label(std::to_string(frame), x - LabelGlyph.x / 2, centreY - box.y / 2 - 18);
            x += step;
        }
        x += gap;
    }
}

// The font sheets whole (to judge how the glyphs sit in their cells), the glow backdrop, and the one-frame
// sheets.
void DrawWholePictures(float top)
{
    const PXL_Vec2 thumbnail = {250, 94};
    for (size_t i = 0; i < std::size(Fonts); ++i) {
        float x = Left + 10 + float(i % 3) * (thumbnail.x + 20);
        float y = top - float(i / 3) * (thumbnail.y + 40);
        Label(Fonts[i].name, x, y);
        Sprite* sprite = GetSheetSprite(Fonts[i].id);
        PXL_Vec2 centre = {x + thumbnail.x / 2, y - 20 - thumbnail.y / 2};
        if (!DrawMissing(sprite, centre, thumbnail)) {
            PXL_Vec2 scale = FitInto(PXL_Graphics_GetTextureSize(sprite->sheet->texture), thumbnail);
            DrawTextureTinted(sprite->sheet->texture, &centre, &scale, &White, 0.0f);
        }
    }

    float x = -60.0f;
    Label("Glow", x - 55, top);
    PXL_Vec2 glowCentre = {x, top - 90};
    PXL_Vec2 glowBox = {110, 110};
    if (GlowTexture == nullptr) {
        DrawTextureTinted(nullptr, &glowCentre, &glowBox, &Missing, 0.0f);
    } else {
        PXL_Vec2 scale = FitInto(PXL_Graphics_GetTextureSize(GlowTexture), glowBox);
        DrawAlpha = 1.0f;
        DrawTint = {0, 0, 0, 0};
        DrawTexture(GlowTexture, &glowCentre, &scale, 1, 0.0f);
    }

    struct Single {
        SpriteSheetId id;
        const char* name;
        float x;
        PXL_Vec2 box;
    };
    const Single singles[] = {{SheetPencilCursor, "PencilCursor", 90, {100, 110}},
                              {SheetPhone, "Phone", 330, {220, 200}},
                              {SheetPhoneBookList, "PhoneBookList", 700, {420, 200}}};
    for (const Single& single : singles) {
        Label(single.name, single.x - single.box.x / 2, top);
        DrawFrameInBox(single.id, 0, {single.x, top - 20 - single.box.y / 2}, single.box);
    }
}

} // namespace

void SandboxScene::Init()
{
    PXL_Graphics_SetBackgroundColor(&Background);
    const PXL_Vec2 origin = {0, 0};
    PXL_Camera_SetPosition(&origin);
    ZoomOffset = 0.0f;
}

void SandboxScene::Render()
{
    DrawFonts(510.0f);
    DrawPanels(20.0f);
    DrawFrameSheets(-175.0f);
    DrawWholePictures(-282.0f);
    // Leave the shared draw state as a scene expects to find it.
    DrawTint = {0, 0, 0, 0};
    DrawAlpha = 1.0f;
}
