#include "modules/sticky_notes.h"

#include "engine/asset_table.h"
#include "engine/trace.h"
#include "interaction/interactable.h"
#include "interaction/interaction_system.h"
#include "render/sprite.h"
#include "render/sprite_sheet.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr uint8_t Ink[4] = {0, 0, 0, 255};
const PXL_Vec2 StripSize = {StickyNote::CanvasSide, StickyNote::StripHeight};
const PXL_Vec2 NoteSize = {StickyNote::CanvasSide, StickyNote::CanvasSide + StickyNote::StripHeight};
const PXL_Vec2 PadBaseSize = {240, 60};
const PXL_Vec2 PencilOffset = {25, 25};
const PXL_Vec2 PencilSize = {50, -50}; // upside down: the picture's tip lands on the pointer

bool LeftButtonDown()
{
    return PXL_Input_KeyDown(PXL_KEY_LBUTTON) != 0;
}

} // namespace

// ---- StickyNote ----------------------------------------------------------------------------------------

StickyNote::StickyNote(PXL_Texture texture, PXL_Vec2 position, PXL_Vec2 mouse)
    : texture(texture), position(position), lastMouse(mouse)
{
    handle = new Interactable(position, NoteSize, KindMomentary, OrderStickyNote, 0.0f, false);
    pixels.assign(static_cast<size_t>(canvasWidth) * static_cast<size_t>(canvasHeight) * 4, 0);
}

StickyNote::~StickyNote()
{
    PXL_Graphics_FreeTexture(&texture);
    RemoveInteractable(handle);
}

PXL_Vec2 StickyNote::CanvasCentre() const
{
    return {position.x, position.y - StripHeight / 2};
}

void StickyNote::Update(bool blockedByNoteAbove)
{
    blocked = blockedByNoteAbove;
    PXL_Vec2 mouse = MouseWorldPosition();
    PXL_Vec2 delta = {mouse.x - lastMouse.x, mouse.y - lastMouse.y};
    if (grabbed) {
        if (padSheet) {
            // A loose note lying over the pad keeps the pen off the sheet under it.
            if (!blocked) {
                DrawStroke(mouse);
            }
        } else if (!blocked) {
            position = {position.x + delta.x, position.y + delta.y};
            handle->SetTransform(position, handle->size);
        }
    }
    if (handle->clicked) {
        grabbed = true;
    }
    if (PXL_Input_KeyReleased(PXL_KEY_LBUTTON)) {
        grabbed = false;
    }
    lastMouse = mouse;
}

bool StickyNote::Dab(int32_t row, int32_t column)
{
    const int32_t rows = static_cast<int32_t>(canvasHeight);
    const int32_t columns = static_cast<int32_t>(canvasWidth);
    bool changed = false;
    for (int32_t j = -brushRadius; j <= brushRadius; ++j) {
        for (int32_t i = -brushRadius; i <= brushRadius; ++i) {
            int32_t r = row + j;
            int32_t c = column + i;
            if (r < 0 || r >= rows || c < 0 || c >= columns) {
                continue;
            }
            uint8_t* pixel =
                &pixels[(static_cast<size_t>(r) * static_cast<size_t>(columns) + static_cast<size_t>(c)) * 4];
            if (!std::equal(Ink, Ink + 4, pixel)) {
                std::copy(Ink, Ink + 4, pixel);
                changed = true;
            }
        }
    }
    return changed;
}

void StickyNote::DrawStroke(PXL_Vec2 mouse)
{
    PXL_Vec2 d = {mouse.x - lastMouse.x, mouse.y - lastMouse.y};
    // The squared length sets the number of steps: a quick stroke gets many more dabs than a slow one, so
    // it stays a continuous line.
    int32_t steps = std::max(1, static_cast<int32_t>((d.x * d.x + d.y * d.y) / strokeStep));
    PXL_Vec2 centre = CanvasCentre();
    float left = centre.x - canvasWidth / 2;
    float right = centre.x + canvasWidth / 2;
    float top = centre.y + canvasHeight / 2;
    float bottom = centre.y - canvasHeight / 2;
    bool changed = false;
    for (int32_t s = 0; s <= steps; ++s) {
        float t = static_cast<float>(s) / static_cast<float>(steps);
        PXL_Vec2 p = {lastMouse.x + d.x * t, lastMouse.y + d.y * t};
        if (!(p.x > left && p.x < right && p.y > bottom && p.y < top)) {
            continue;
        }
        int32_t column = static_cast<int32_t>((p.x - left) * pixelScale);
        int32_t row = static_cast<int32_t>((top - p.y) * pixelScale);
        changed = Dab(row, column) || changed;
    }
    lastMouse = mouse;
    // A pen held still, or moving over ink or off the canvas, changes nothing worth sending again.
    if (changed) {
        RebuildTexture();
    }
}

void StickyNote::RebuildTexture()
{
    PXL_Graphics_FreeTexture(&texture);
    texture = PXL_Graphics_LoadTextureFromMemory(pixels.data(), static_cast<int>(canvasWidth),
                                                 static_cast<int>(canvasHeight));
}

// ---- StickyNotesModule ---------------------------------------------------------------------------------

StickyNotesModule::StickyNotesModule(PXL_Vec2 position) : position(position) {}

StickyNotesModule::~StickyNotesModule()
{
    for (StickyNote* note : notes) {
        delete note;
    }
}

void StickyNotesModule::Init()
{
    PXL_Graphics_FreeTexture(&bodyTexture);
    PXL_Graphics_FreeTexture(&baseTexture);
    bodyTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::StickyNoteBody));
    baseTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::StickyNoteBase));
}

void StickyNotesModule::Exit()
{
    for (StickyNote* note : notes) {
        delete note;
    }
    notes.clear();
    PXL_Graphics_FreeTexture(&bodyTexture);
    PXL_Graphics_FreeTexture(&baseTexture);
    // The pencil may have been showing when the desk went away; the next screen needs its pointer back.
    PXL_Input_ShowCursor(1);
}

void StickyNotesModule::AddPadSheet()
{
    StickyNote* sheet = new StickyNote(nullptr, position, MouseWorldPosition());
    sheet->padSheet = true;
    notes.push_back(sheet);
}

PXL_Vec2 StickyNotesModule::BinCentre() const
{
    return {position.x + binOffset.x, position.y + binOffset.y};
}

PXL_Vec2 StickyNotesModule::StripCentre() const
{
    PXL_Vec2 centre = {position.x, position.y + StickyNote::CanvasSide / 2};
    if (stripGrabPoint.x != 0.0f || stripGrabPoint.y != 0.0f) {
        // During a press the strip follows the cursor, so the press stays on it.
        PXL_Vec2 mouse = MouseWorldPosition();
        centre = {centre.x + mouse.x - stripGrabPoint.x, centre.y + mouse.y - stripGrabPoint.y};
    }
    return centre;
}

bool StickyNotesModule::InBin(PXL_Vec2 point) const
{
    PXL_Vec2 bin = BinCentre();
    return std::fabs(point.x - bin.x) <= binSize.x / 2 && std::fabs(point.y - bin.y) <= binSize.y / 2;
}

void StickyNotesModule::Update()
{
    bool dragClaimed = false;
    for (size_t i = notes.size(); i-- > 0;) {
        StickyNote* note = notes[i];
        note->Update(dragClaimed);
        if (!note->grabbed && !note->padSheet && InBin(note->position)) {
            delete note;
            notes.erase(notes.begin() + static_cast<std::ptrdiff_t>(i));
            binUsed = true;
        } else if (note->grabbed && !dragClaimed && i != 0) {
            dragClaimed = true;
            notes.erase(notes.begin() + static_cast<std::ptrdiff_t>(i));
            notes.push_back(note);
        }
    }
    CheckTearOff();
}

void StickyNotesModule::CheckTearOff()
{
    // A new press starts a new grab. One left over from a press whose release the desk never heard (it was
    // paused, or the manual open) would have the strip follow the cursor and tear wherever the player pressed.
    if (PXL_Input_KeyTriggered(PXL_KEY_LBUTTON)) {
        stripGrabPoint = {0, 0};
    }
    PXL_Vec2 mouse = MouseWorldPosition();
    PXL_Vec2 strip = StripCentre();
    if (std::fabs(mouse.x - strip.x) > StripSize.x / 2 || std::fabs(mouse.y - strip.y) > StripSize.y / 2) {
        return;
    }
    if (PXL_Input_KeyReleased(PXL_KEY_LBUTTON)) {
        stripGrabPoint = {0, 0};
    } else if (LeftButtonDown()) {
        bool pressed = PXL_Input_KeyTriggered(PXL_KEY_LBUTTON) != 0;
        if (pressed) {
            stripGrabPoint = mouse;
        }
        // (0, 0) stands for "no grab", so a press on either axis cannot tear. A press on a loose note lying
        // over the strip (a sheet just torn off comes up right there) takes that note, not another sheet.
        bool onLooseNote =
            std::any_of(notes.begin() + 1, notes.end(), [](const StickyNote* note) { return note->handle->clicked; });
        if (pressed && stripGrabPoint.x != 0.0f && stripGrabPoint.y != 0.0f && !onLooseNote) {
            TearOff(mouse);
        }
    }
}

void StickyNotesModule::TearOff(PXL_Vec2 mouse)
{
    DebugPrint("Clicked");
    StickyNote* sheet = notes.front();
    PXL_Texture copy = PXL_Graphics_LoadTextureFromMemory(sheet->pixels.data(), static_cast<int>(sheet->canvasWidth),
                                                          static_cast<int>(sheet->canvasHeight));
    notes.push_back(new StickyNote(copy, mouse, mouse));
    std::fill(sheet->pixels.begin(), sheet->pixels.end(), uint8_t{0});
    sheet->RebuildTexture();
    // The pen was on the sheet that just came away; it does not go on drawing on the blank one below.
    sheet->grabbed = false;
}

void StickyNotesModule::Render()
{
    DrawAlpha = 1.0f;
    DrawSheetFrame(SheetTrashcan, binUsed ? 1 : 0, BinCentre(), binSize, 0.0f, &NoTint);
    const PXL_Vec2 canvasScale = {StickyNote::CanvasSide, StickyNote::CanvasSide};
    for (const StickyNote* note : notes) {
        DrawTint = {0, 0, 0, 1};
        DrawAlpha = 1.0f;
        DrawTexture(bodyTexture, &note->position, &NoteSize, PXL_FILTER_LINEAR, 0.0f);
        if (note->grabbed) {
            DrawTint = {1, 1, 1, 1};
            DrawAlpha = 0.2f;
            DrawTexture(nullptr, &note->position, &NoteSize, PXL_FILTER_LINEAR, 0.0f);
        }
        // A canvas never drawn on has no texture; it is blank, so nothing is drawn rather than a dark square.
        if (note->texture != nullptr) {
            PXL_Vec2 canvas = note->CanvasCentre();
            DrawTint = NoTint;
            DrawAlpha = 0.8f;
            DrawTexture(note->texture, &canvas, &canvasScale, PXL_FILTER_LINEAR, 0.0f);
        }
        if (note->padSheet) {
            PXL_Vec2 base = {note->position.x, note->position.y - NoteSize.y / 2 - StickyNote::StripHeight / 2};
            DrawTint = {0, 0, 0, 1};
            DrawAlpha = 1.0f;
            DrawTexture(baseTexture, &base, &PadBaseSize, PXL_FILTER_LINEAR, 0.0f);
        }
    }
    if (!notes.empty() && notes.front()->handle->hovered) {
        PXL_Input_ShowCursor(0);
        PXL_Vec2 mouse = MouseWorldPosition();
        DrawAlpha = 1.0f;
        DrawSheetFrame(SheetPencilCursor, 0, {mouse.x + PencilOffset.x, mouse.y + PencilOffset.y}, PencilSize, 0.0f,
                       &NoTint);
    } else {
        PXL_Input_ShowCursor(1);
    }
    DrawTint = NoTint;
    DrawAlpha = 1.0f;
}
