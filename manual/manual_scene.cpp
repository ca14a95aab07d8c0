#include "manual/manual_scene.h"

#include "audio/audio_cues.h"
#include "engine/asset_table.h"
#include "engine/ease.h"
#include "engine/screen_scale.h"
#include "flow/events.h"
#include "interaction/interactable.h"
#include "render/sprite.h"

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
    PXL_Vec2 bookCentre{0, 0};      // window pixels during update, world units after render
    PXL_Vec2 leftPageCentre{0, 0};  // likewise
    PXL_Vec2 rightPageCentre{0, 0}; // likewise
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

void DrawPage(PXL_Texture page, PXL_Vec2 centre)
{
    DrawTexture(page, &centre, &PageSize, PXL_FILTER_POINT, 0.0f);
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
    // The arrows sit at the outer edges of the pages drawn last frame.
    const PXL_Vec2 centre = layout.bookCentre;
    const PXL_Vec2 left = layout.leftPageCentre;
    manual.previousArrow->SetTransform({2 * left.x - centre.x, centre.y}, ArrowSize);
    manual.nextArrow->SetTransform({centre.x + 2 * (centre.x - left.x), centre.y}, ArrowSize);

    PXL_Vec2 window = PXL_Window_GetSize();
    manual.windowWidth = window.x;
    manual.windowHeight = window.y;
    layout.openY = window.y / 2;
    layout.closedY = 350 * layout.scale + window.y;
    layout.peekY = 300 * layout.scale + window.y;
    layout.scale = window.y / DesignHeight;
    layout.bookCentre = {window.x / 2, manual.currentY};
    layout.leftPageCentre = {window.x / 2 - PageOffset, manual.currentY};
    layout.rightPageCentre = {window.x / 2 + PageOffset, manual.currentY};

    if (!manual.open && layout.closedTimer > SlideDuration && layout.tween.elapsed == 0.0f) {
        StartSlide(layout.tween, manual.currentY, manual.toggle->hovered ? layout.peekY : layout.closedY, PeekDuration);
    }

    if (manual.open) {
        manual.toggle->SetTransform({window.x / 2, window.y / 2}, {3840, 1080});
    } else {
        manual.toggle->SetTransform({window.x / 2, manual.currentY}, BookSize);
    }

    if (manual.toggle->clicked) {
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
    PXL_Vec2 centre = PXL_Camera_ScreenCoordToWorld(&layout.bookCentre);
    PXL_Vec2 left = PXL_Camera_ScreenCoordToWorld(&layout.leftPageCentre);
    PXL_Vec2 right = PXL_Camera_ScreenCoordToWorld(&layout.rightPageCentre);
    left = {centre.x + (left.x - centre.x) * layout.scale, centre.y + (left.y - centre.y) * layout.scale};
    right = {centre.x + (right.x - centre.x) * layout.scale, centre.y + (right.y - centre.y) * layout.scale};
    layout.bookCentre = centre;
    layout.leftPageCentre = left;
    layout.rightPageCentre = right;

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
