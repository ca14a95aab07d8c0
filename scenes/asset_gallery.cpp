#include "scenes/asset_gallery.h"

#include "engine/asset_table.h"
#include "render/nine_slice.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <string>

namespace {

const PXL_Color LabelTint = {1.0f, 0.92f, 0.7f, 1};
const PXL_Color White = {1, 1, 1, 1};
const PXL_Color Missing = {1, 0, 1, 1};
const PXL_Vec2 LabelGlyph = {18, 24};

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
    {FontIBM3270, "7 IBM3270", "/> Reactor core nominal. Coolant flow: 98% [OK]", {0.25f, 1.0f, 0.4f, 1}, 30},
    {FontOxygenMono, "8 OxygenMono", "Dial 555-0199 for Maintenance, ext. 42", {1.0f, 0.7f, 0.2f, 1}, 30},
    {FontLumenfall, "9 Lumenfall", "Lumenfall Power & Light 1983", {0.4f, 0.85f, 1.0f, 1}, 30},
    {FontTickingTimebomb, "11 TickingTimebomb", "04:59  0123456789", {1.0f, 0.1f, 0.1f, 1}, 36},
    {FontSymbols, "12 Symbols", "abcdefghi", {0.25f, 1.0f, 0.4f, 1}, 36},
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
    DrawSheetFrame(id, frame, centre, FitInto(FrameSize(sprite), box), 0.0f, &NoTint);
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
        float side = std::min(30.0f, width / (advanceShare * 95.0f + 1.0f));
        Label(font.name, Left, y);
        if (!DrawMissing(sprite, {0, y}, {width, side})) {
            DrawTint = White;
            DrawText(font.id, glyphs, {sampleLeft + side / 2, y}, {side, side}, false, false);
        }
        y -= 36.0f;
        Label("  with glow", Left, y);
        DrawTint = font.glowTint;
        float glow = font.glowHeight;
        DrawText(font.id, font.glowText, {sampleLeft + glow / 2, y}, {glow, glow}, false, true);
        y -= 38.0f;
    }
}

void DrawPanels(float centreY)
{
    const PXL_Vec2 size = {210, 130};
    const float step = 268.0f;
    float x = -815.0f;
    for (int kind = 0; kind < NineSliceKindCount; ++kind) {
        DrawNineSlice({x, centreY}, size, static_cast<NineSliceKind>(kind), 0.0f, false);
        Label(PanelNames[kind], x - size.x / 2, centreY - size.y / 2 - 18);
        x += step;
    }
}

void DrawFrameSheets(float centreY)
{
    const PXL_Vec2 box = {80, 80};
    const float step = 92.0f;
    const float gap = 30.0f;
    float x = -900.0f + box.x / 2;
    for (const FrameSheet& sheet : FrameSheets) {
        Label(sheet.name, x - box.x / 2, centreY + box.y / 2 + 16);
        for (uint32_t frame = 0; frame < sheet.frames; ++frame) {
            DrawFrameInBox(sheet.id, frame, {x, centreY}, box);
            Label(std::to_string(frame), x - LabelGlyph.x / 2, centreY - box.y / 2 - 16);
            x += step;
        }
        x += gap;
    }
}

// The sandbox's copy of a loose picture of the asset table.
PXL_Texture Loaded(const std::vector<PXL_Texture>& pictures, Asset asset)
{
    return pictures[static_cast<size_t>(asset)];
}

const PXL_Vec2 PictureLabelGlyph = {16, 22};

// A whole picture fitted into a box; magenta when it is missing.
void DrawPicture(PXL_Texture texture, PXL_Vec2 centre, PXL_Vec2 box, const PXL_Color& tint = NoTint)
{
    if (texture == nullptr) {
        DrawTextureTinted(nullptr, &centre, &box, &Missing, 0.0f);
        return;
    }
    PXL_Vec2 scale = FitInto(PXL_Graphics_GetTextureSize(texture), box);
    DrawTextureTinted(texture, &centre, &scale, &tint, 0.0f);
}

// Frames of the desk objects' 4 by 4 sheet laid out on a grid of `side` cells, drawn as the key module does.
void DrawObjectFrames(Sprite* objects, const uint32_t* frames, const PXL_Color* tints, int count, int side,
                      PXL_Vec2 centre, PXL_Vec2 box)
{
    if (objects == nullptr || objects->sheet->texture == nullptr) {
        DrawTextureTinted(nullptr, &centre, &box, &Missing, 0.0f);
        return;
    }
    float cell = std::min(box.x, box.y) / float(side);
    for (int i = 0; i < count; ++i) {
        float x = centre.x + (float(i % side) - float(side - 1) / 2) * cell;
        float y = centre.y - (float(i / side) - float(side - 1) / 2) * cell;
        SpriteSetFrame(objects, frames[i]);
        objects->transform->position = {x, y};
        objects->transform->scale = {cell - 3, cell - 3};
        objects->transform->rotation = 0.0f;
        DrawSprite(objects, &tints[i], false, PXL_FILTER_LINEAR);
    }
}

// The lamp as the modules draw it (base, then the tinted bulb) in its four colours: off, green, red, white.
void DrawLampTints(const std::vector<PXL_Texture>& pictures, PXL_Vec2 centre, PXL_Vec2 box)
{
    const PXL_Color tints[4] = {{0, 0, 0, 0.75f}, {0, 1, 0, 0.75f}, {1, 0, 0, 0.75f}, {1, 1, 1, 0.75f}};
    PXL_Vec2 cell = {box.x / 2, box.y / 2};
    for (int i = 0; i < 4; ++i) {
        PXL_Vec2 at = {centre.x + (float(i % 2) - 0.5f) * cell.x, centre.y - (float(i / 2) - 0.5f) * cell.y};
        PXL_Vec2 size = {cell.x - 4, cell.y - 4};
        DrawPicture(Loaded(pictures, Asset::LightBase), at, size);
        DrawPicture(Loaded(pictures, Asset::LightBulb), at, size, tints[i]);
    }
}

void DrawPictureLabel(const char* text, float left, float y)
{
    DrawTint = LabelTint;
    DrawText(FontIBM3270, text, {left + PictureLabelGlyph.x / 2, y}, PictureLabelGlyph, false, false);
}

// Two rows of cells: every picture that is not a panel or a frame sheet shown above, including the glow
// backdrop, the one-frame sheets and the loose pictures of the desk, the modules, the menus and the ending.
void DrawPictures(const std::vector<PXL_Texture>& pictures, Sprite* objects, float top)
{
    const PXL_Vec2 box = {130, 140};
    const float step = 143.0f;
    const int perRow = 13;
    const float rowHeight = 180.0f;
    int cell = 0;
    auto next = [&](const char* label) {
        float x = Left + 5 + float(cell % perRow) * step;
        float y = top - float(cell / perRow) * rowHeight;
        ++cell;
        DrawPictureLabel(label, x, y);
        return PXL_Vec2{x + box.x / 2, y - 18 - box.y / 2};
    };

    DrawPicture(GlowTexture, next("Glow"), box);
    DrawFrameInBox(SheetPencilCursor, 0, next("PencilCursor"), box);
    DrawFrameInBox(SheetPhone, 0, next("Phone"), box);
    DrawFrameInBox(SheetPhoneBookList, 0, next("PhoneBookList"), box);
    DrawPicture(Loaded(pictures, Asset::DeskBody), next("Desk_body_v2"), box);
    DrawPicture(Loaded(pictures, Asset::DeskDrawer), next("Desk_Drawer"), box);
    const uint32_t allFrames[16] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15};
    const PXL_Color plain = {0, 0, 0, 1};
    const PXL_Color hovered = {0.25f, 0.25f, 0.25f, 1};
    const PXL_Color allPlain[16] = {plain, plain, plain, plain, plain, plain, plain, plain,
                                    plain, plain, plain, plain, plain, plain, plain, plain};
    DrawObjectFrames(objects, allFrames, allPlain, 16, 4, next("Desk_Objects"), box);
    // An object and the key (frame 15), each plain and with the hover tint.
    const uint32_t hoverFrames[4] = {0, 0, 15, 15};
    const PXL_Color hoverTints[4] = {plain, hovered, plain, hovered};
    DrawObjectFrames(objects, hoverFrames, hoverTints, 4, 2, next("hover tint"), box);
    DrawLampTints(pictures, next("lamp tints"), box);
    DrawPicture(Loaded(pictures, Asset::Handle), next("Handle_1"), box);
    DrawPicture(Loaded(pictures, Asset::Spinner), next("Spinner_1"), box);

    PXL_Vec2 note = next("StickyNote");
    PXL_Vec2 body = FitInto(PXL_Graphics_GetTextureSize(Loaded(pictures, Asset::StickyNoteBody)), {box.x, box.y - 20});
    DrawPicture(Loaded(pictures, Asset::StickyNoteBody), {note.x, note.y - 10}, body);
    DrawPicture(Loaded(pictures, Asset::StickyNoteBase), {note.x, note.y - 10 + body.y / 2}, {body.x, body.x / 4});

    PXL_Vec2 gauge = next("gauge, needle");
    DrawPicture(Loaded(pictures, Asset::TemperatureGauge), gauge, box);
    DrawPicture(Loaded(pictures, Asset::TemperatureNeedle), gauge, box);

    DrawPicture(Loaded(pictures, Asset::AlarmBand), next("Alarm_Effect"), box);
    DrawPicture(Loaded(pictures, Asset::IncidentSign), next("IncidentSign"), box);
    DrawPicture(Loaded(pictures, Asset::MouseHorizontal), next("mouse horiz."), box);
    DrawPicture(Loaded(pictures, Asset::MouseLeft), next("mouse_left"), box);
    DrawPicture(Loaded(pictures, Asset::ManualNextPage), next("manual arrow"), box);
    DrawPicture(Loaded(pictures, Asset::NewspaperBackground), next("newspaper"), box);
    DrawPicture(Loaded(pictures, Asset::NewspaperWin), next("Newspaper_Win"), box);
    DrawPicture(Loaded(pictures, Asset::NewspaperLose), next("Newspaper_Lose"), box);
    DrawPicture(Loaded(pictures, Asset::MakerLogo), next("Tessaro logo"), box);
    DrawPicture(Loaded(pictures, Asset::AudioLogo), next("audio logo"), box);
    DrawPicture(Loaded(pictures, Asset::WindowIcon), next("icon 107"), box);
}

} // namespace

void AssetGallery::Load()
{
    // Every loose picture of the asset table, indexed by its Asset.
    pictures.clear();
    for (const AssetEntry& asset : AssetTable) {
        pictures.push_back(asset.kind == AssetKind::Picture ? PXL_Graphics_LoadTexture(asset.gamePath) : nullptr);
    }
    objectsSheet = {4, 4, Picture(Asset::DeskObjects)};
    objectsSprite = CreateSprite(new Sprite{}, &objectsSheet);
}

PXL_Texture AssetGallery::Picture(Asset asset) const
{
    size_t index = static_cast<size_t>(asset);
    return index < pictures.size() ? pictures[index] : nullptr;
}

void AssetGallery::Render()
{
    DrawAlpha = 1.0f;
    DrawFonts(515.0f);
    DrawPanels(94.0f);
    DrawFrameSheets(-78.0f);
    DrawPictures(pictures, objectsSprite, -160.0f);
    // Leave the shared draw state as a scene expects to find it.
    DrawTint = NoTint;
    DrawAlpha = 1.0f;
}

void AssetGallery::Unload()
{
    FreeSprite(objectsSprite);
    objectsSprite = nullptr;
    objectsSheet.texture = nullptr;
    for (PXL_Texture& texture : pictures) {
        PXL_Graphics_FreeTexture(&texture);
    }
    pictures.clear();
}
