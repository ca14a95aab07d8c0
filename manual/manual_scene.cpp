#include "manual/manual_scene.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/ease.h"
#include "engine/screen_scale.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/sprite.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

ManualScene* manualScene = new ManualScene();

const char* const ManualPagesFolder = AssetPath(Asset::ManualPages);
const char* const ManualBlankPagePath = AssetPath(Asset::ManualBlankPage);

namespace {

constexpr float SlideDuration = 0.3f;
constexpr float PeekDuration = 0.2f;
constexpr float ArrowDelay = 0.3f;
constexpr float PageOffset = 400.0f; // window pixels from the book's centre to a page's, before scaling
const PXL_Vec2 PageSize = {800, 1032};
const PXL_Vec2 BookSize = {1625, 1057};
const PXL_Vec2 ArrowSize = {100, 100};

struct Tween {
    float start = 0.0f;
    float target = 0.0f;
    float duration = SlideDuration;
    float elapsed = 0.0f;
};

// Shared by update and render; there is one manual.
struct ManualLayout {
    PXL_Vec2 bookCentre{0, 0}; // window pixels
    PXL_Vec2 leftPageCentre{0, 0};
    PXL_Vec2 rightPageCentre{0, 0};
    float openTimer = 0.0f;
    float closedTimer = SlideDuration;
    Tween tween;
    float openY = 0.0f;
    float closedY = 0.0f;
    float peekY = 0.0f;
    float scale = 1.0f;
};
ManualLayout layout;

void StartSlide(Tween& tween, float from, float to, float duration)
{
    tween.start = from;
    tween.target = to;
    tween.duration = duration;
    tween.elapsed = 0.0f;
}

struct BookPlace {
    PXL_Vec2 centre;
    PXL_Vec2 left;
    PXL_Vec2 right;
};

// The book and its pages in world units, at the book's height of this frame; the pages are pulled towards the
// centre by the scale, so the spread keeps its shape at any window size.
BookPlace WorldPlace()
{
    BookPlace place;
    place.centre = PXL_Camera_ScreenCoordToWorld(&layout.bookCentre);
    PXL_Vec2 left = PXL_Camera_ScreenCoordToWorld(&layout.leftPageCentre);
    PXL_Vec2 right = PXL_Camera_ScreenCoordToWorld(&layout.rightPageCentre);
    const PXL_Vec2 c = place.centre;
    place.left = {c.x + (left.x - c.x) * layout.scale, c.y + (left.y - c.y) * layout.scale};
    place.right = {c.x + (right.x - c.x) * layout.scale, c.y + (right.y - c.y) * layout.scale};
    return place;
}

bool InColumnOf(const Interactable& arrow, PXL_Vec2 point)
{
    return std::fabs(point.x - arrow.position.x) <= std::fabs(arrow.size.x) / 2;
}

void DrawPage(PXL_Texture page, PXL_Vec2 centre)
{
    DrawTexture(page, &centre, &PageSize, PXL_FILTER_SMOOTH, 0.0f);
}

} // namespace

void ManualScene::Init()
{
    manual = Manual{};
    const std::string folder = ManualPagesFolder;
    for (const std::string& name : ListFolder(folder)) {
        std::string path = folder + name;
        PXL_Texture texture = PXL_Graphics_LoadTexture(path.c_str());
        manual.pages.push_back(texture);
        if (path == ManualBlankPagePath) {
            manual.blankPage = texture;
        }
    }
    manual.pageCount = static_cast<uint32_t>(manual.pages.size());
    if (manual.pageCount == 0) {
        // A player would open an empty book without knowing why.
        std::fprintf(stderr, "The manual has no pages: nothing found in %s\n", folder.c_str());
    }
    manual.evenPageCount = manual.pageCount + manual.pageCount % 2;
    layout = ManualLayout{};

    PXL_Vec2 window = PXL_Window_GetSize();
    PXL_Vec2 size = {window.x / 2, 50};
    manual.toggle = new Interactable({window.x / 2, window.y}, size, KindMomentary, OrderManualToggle, 0.0f, true);
    manual.nextArrow = new Interactable({0, 0}, size, KindMomentary, OrderManualArrow, 0.0f, false);
    manual.previousArrow = new Interactable({0, 0}, size, KindMomentary, OrderManualArrow, 0.0f, false);
    if (manual.pageCount % 2 == 1) {
        manual.pages.push_back(manual.blankPage);
    }
    manual.arrowTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::ManualNextPage));

    // Far below the window, so that the first glide brings the book up from below.
    manual.currentY = window.y + window.y * 1032 * 0.2f;
    layout.tween.start = manual.currentY;
    layout.tween.target = manual.currentY;
    layout.tween.elapsed = 0.0f;
}

void ManualScene::Close()
{
    StartSlide(layout.tween, manual.currentY, layout.closedY, SlideDuration);
    manual.open = false;
    layout.closedTimer = 0.0f;
    PlayCue(CueManualClose);
}

void ManualScene::Update(float dt)
{
    if (manual.hidden || manual.toggle == nullptr) {
        return;
    }
    // Hidden from the settings, the book is not drawn: it must not take clicks it cannot show either, and
    // an open book closes.
    manual.toggle->enabled = renderEnabled;
    if (!renderEnabled && manual.open) {
        Close();
    }
    PXL_Vec2 window = PXL_Window_GetSize();
    manual.windowWidth = window.x;
    manual.windowHeight = window.y;
    layout.openY = window.y / 2;
    layout.closedY = 350 * layout.scale + window.y;
    layout.peekY = 300 * layout.scale + window.y;
    layout.scale = DesignScale(window);
    layout.bookCentre = {window.x / 2, manual.currentY};
    layout.leftPageCentre = {window.x / 2 - PageOffset, manual.currentY};
    layout.rightPageCentre = {window.x / 2 + PageOffset, manual.currentY};
    // The arrows sit at the outer edges of the pages as this frame draws them, so that a click lands where
    // the player saw the arrow.
    const BookPlace place = WorldPlace();
    manual.previousArrow->SetTransform({2 * place.left.x - place.centre.x, place.centre.y}, ArrowSize);
    manual.nextArrow->SetTransform({place.centre.x + 2 * (place.centre.x - place.left.x), place.centre.y}, ArrowSize);

    if (!manual.open && layout.closedTimer > SlideDuration && layout.tween.elapsed == 0.0f) {
        StartSlide(layout.tween, manual.currentY, manual.toggle->hovered ? layout.peekY : layout.closedY, PeekDuration);
    }

    if (manual.open) {
        // Twice the view's width and its whole height: a click anywhere outside the arrows closes the book.
        PXL_Vec2 view = {window.x / layout.scale, window.y / layout.scale};
        manual.toggle->SetTransform({window.x / 2, window.y / 2}, {std::max(2 * DesignWidth, 2 * view.x), view.y});
    } else {
        manual.toggle->SetTransform({window.x / 2, manual.currentY}, BookSize);
    }

    // While the book rises its arrows move away under the pointer, and a player's click comes some frames
    // after the sight of them: until the arrows have been still a while, a click in an arrow's column is aimed
    // at the arrow and does not close the book.
    bool settling = manual.open && layout.openTimer < SlideDuration + ArrowDelay;
    const PXL_Vec2 mouse = MouseWorldPosition();
    bool aimedAtArrow = settling && (InColumnOf(*manual.nextArrow, mouse) || InColumnOf(*manual.previousArrow, mouse));
    if (manual.toggle->clicked && !aimedAtArrow) {
        if (manual.open) {
            Close();
        } else {
            StartSlide(layout.tween, manual.currentY, layout.openY, SlideDuration);
            manual.open = true;
            layout.openTimer = 0.0f;
            Broadcast("open_manual", "");
            PlayCue(CueManualOpen);
        }
    }

    if (manual.open) {
        if (layout.openTimer >= ArrowDelay) {
            if (manual.previousArrow->clicked && manual.spread - 1 >= 0) {
                --manual.spread;
                PlayCue(CueManualPage);
            }
            if (manual.nextArrow->clicked && manual.spread + 1 < static_cast<int32_t>(manual.evenPageCount / 2)) {
                ++manual.spread;
                PlayCue(CueManualPage);
            }
        }
        manual.nextArrow->enabled = true;
        manual.previousArrow->enabled = true;
        layout.openTimer += dt;
    } else {
        manual.nextArrow->enabled = false;
        manual.previousArrow->enabled = false;
        layout.closedTimer += dt;
    }

    Tween& tween = layout.tween;
    if (manual.currentY == tween.target) {
        tween.elapsed = 0.0f;
        return;
    }
    float e = EaseInOutCubic(tween.elapsed / tween.duration);
    if (e >= 1.0f) {
        manual.currentY = tween.target;
    } else {
        manual.currentY = tween.start + (tween.target - tween.start) * e;
        tween.elapsed += dt;
    }
}

void ManualScene::Render()
{
    if (manual.hidden || manual.toggle == nullptr) {
        return;
    }
    const BookPlace place = WorldPlace();
    PXL_Vec2 centre = place.centre;
    PXL_Vec2 left = place.left;
    PXL_Vec2 right = place.right;

    DrawTint = {0, 0, 0, 1};
    DrawAlpha = 1.0f;
    DrawTexture(nullptr, &centre, &BookSize, PXL_FILTER_LINEAR, 0.0f);

    DrawTint = NoTint;
    size_t leftIndex = static_cast<size_t>(2 * manual.spread);
    if (leftIndex < manual.pages.size()) {
        DrawPage(manual.pages[leftIndex], left);
    }
    if (leftIndex + 1 < manual.pages.size()) {
        DrawPage(manual.pages[leftIndex + 1], right);
    }

    if (manual.nextArrow->enabled) {
        PXL_Vec2 size = manual.nextArrow->size;
        DrawTexture(manual.arrowTexture, &manual.nextArrow->position, &size, PXL_FILTER_LINEAR, 0.0f);
    }
    if (manual.previousArrow->enabled) {
        PXL_Vec2 mirrored = {-manual.previousArrow->size.x, manual.previousArrow->size.y};
        DrawTexture(manual.arrowTexture, &manual.previousArrow->position, &mirrored, PXL_FILTER_LINEAR, 0.0f);
    }
}

void ManualScene::Unload()
{
    for (PXL_Texture& page : manual.pages) {
        if (page != manual.blankPage) {
            PXL_Graphics_FreeTexture(&page);
        }
    }
    PXL_Graphics_FreeTexture(&manual.blankPage);
    manual.pages.clear();
    PXL_Graphics_FreeTexture(&manual.arrowTexture);
    for (Interactable** control : {&manual.toggle, &manual.nextArrow, &manual.previousArrow}) {
        if (*control != nullptr) {
            RemoveInteractable(*control);
            *control = nullptr;
        }
    }
}
