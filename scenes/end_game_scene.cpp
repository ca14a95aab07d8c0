#include "scenes/end_game_scene.h"

#include "engine/asset_table.h"
#include "engine/screen_scale.h"
#include "render/sprite.h"
#include "scenes/main_menu_scene.h"

EndGameScene* endGameScene = new EndGameScene();

namespace {

// The front page lies a little askew on the paper.
constexpr float FrontPageTilt = 0.05235988f;
constexpr float FrontPageShare = 0.6f;

} // namespace

void EndGameScene::Load()
{
    backgroundTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::NewspaperBackground));
    winTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::NewspaperWin));
    loseTexture = PXL_Graphics_LoadTexture(AssetPath(Asset::NewspaperLose));
}

void EndGameScene::Init()
{
    elapsed = 0.0f;
    ZoomOffset = 0.0f;
}

void EndGameScene::Update(float dt)
{
    elapsed += dt;
    if (elapsed < growDuration) {
        size = elapsed / growDuration * fullSize;
        rotation += dt * spinSpeed;
        return;
    }
    rotation = 0.0f;
    size = fullSize;
    if (elapsed >= minimumShowTime && PXL_Input_KeyDown(PXL_KEY_LBUTTON)) {
        SetNextScene(mainMenuScene);
    }
}

void EndGameScene::Render()
{
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    const PXL_Color black{0, 0, 0, 1};
    PXL_Graphics_SetBackgroundColor(&black);
    DrawAlpha = 1.0f;
    // Whatever the desk drew last may have left a colour in the tint; the paper must not take it.
    DrawTint = PXL_Color{0, 0, 0, 1};

    PXL_Vec2 centre = PXL_Camera_GetPosition();
    PXL_Vec2 pageScale{size, size};
    DrawTexture(backgroundTexture, &centre, &pageScale, PXL_FILTER_SMOOTH, rotation);

    PXL_Vec2 frontScale{FrontPageShare * size, FrontPageShare * size};
    DrawTexture(won != 0 ? winTexture : loseTexture, &centre, &frontScale, PXL_FILTER_SMOOTH, rotation + FrontPageTilt);
}

void EndGameScene::Unload()
{
    PXL_Graphics_FreeTexture(&backgroundTexture);
    PXL_Graphics_FreeTexture(&winTexture);
    PXL_Graphics_FreeTexture(&loseTexture);
}
