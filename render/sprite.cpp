#include "render/sprite.h"

#include "engine/system.h"
#include "engine/trace.h"

float DrawAlpha = 1.0f;
PXL_Color DrawTint = NoTint;
MeshHolder* UnitQuad = nullptr;

void ResetDrawState()
{
    DrawAlpha = 1.0f;
    DrawTint = NoTint;
}

namespace {

float Clamp01(float value)
{
    // Not a number (a fade gone wrong) draws nothing rather than an undefined blend.
    if (!(value > 0.0f)) {
        return 0.0f;
    }
    return value > 1.0f ? 1.0f : value;
}

PXL_Mesh BuildQuad(float uMax, float vMax)
{
    const PXL_Color black = {0, 0, 0, 1};
    const PXL_Vec2 positions[6] = {{-0.5f, -0.5f}, {-0.5f, 0.5f}, {0.5f, 0.5f},
                                   {-0.5f, -0.5f}, {0.5f, 0.5f},  {0.5f, -0.5f}};
    const PXL_Vec2 uvs[6] = {{0, vMax}, {0, 0}, {uMax, 0}, {0, vMax}, {uMax, 0}, {uMax, vMax}};
    PXL_Graphics_StartMesh();
    for (int i = 0; i < 6; ++i) {
        PXL_Graphics_AddVertex(&positions[i], &black, &uvs[i]);
    }
    return PXL_Graphics_EndMesh();
}

bool MeshInit()
{
    ResetDrawState();
    UnitQuad = new MeshHolder{BuildQuad(1.0f, 1.0f)};
    return true;
}

void MeshExit()
{
    if (UnitQuad != nullptr) {
        PXL_Graphics_FreeMesh(&UnitQuad->mesh);
        delete UnitQuad;
        UnitQuad = nullptr;
    }
}

// The one immediate draw: a one-draw sprite around the texture.
void DrawImmediate(PXL_Texture texture, const PXL_Vec2* position, const PXL_Vec2* scale, const PXL_Color* tint,
                   int filter, float rotation)
{
    ImmediateSprite immediate(texture, texture != nullptr);
    SpriteTransform* transform = immediate.sprite.transform;
    if (position != nullptr) {
        transform->position = *position;
    }
    if (scale != nullptr) {
        transform->scale = *scale;
    }
    transform->rotation = rotation;
    PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_TEXTURED, PXL_VERTEX_SHADER_BUILTIN);
    PXL_Graphics_SetTextureSamplerData(filter, PXL_ADDRESS_CLAMP);
    immediate.sprite.alpha = Clamp01(DrawAlpha);
    DrawSprite(&immediate.sprite, tint, false, filter);
}

} // namespace

ImmediateSprite::ImmediateSprite(PXL_Texture texture, bool withSheet)
    : sheet{1, 1, texture}, holder{nullptr}, transform{{0, 0}, 0.0f, {1, 1}}, ownsMesh(false)
{
    // A 1 by 1 sheet's quad is the unit quad; only before the mesh system is up does a draw build its own.
    if (UnitQuad != nullptr && UnitQuad->mesh != nullptr) {
        holder.mesh = UnitQuad->mesh;
    } else {
        holder.mesh = BuildQuad(1.0f, 1.0f);
        ownsMesh = true;
    }
    sprite = Sprite{0, 1.0f, withSheet ? &sheet : nullptr, &holder, &transform};
}

ImmediateSprite::~ImmediateSprite()
{
    if (ownsMesh) {
        PXL_Graphics_FreeMesh(&holder.mesh);
    }
}

const BaseSystem MeshSystem = {"MeshSystem", MeshInit, SystemUpdateNothing, SystemNothing, MeshExit};

Sprite* CreateSprite(Sprite* sprite, SpriteSheet* sheet)
{
    sprite->frame = 0;
    sprite->alpha = 1.0f;
    sprite->sheet = sheet;
    float uMax = 1.0f;
    float vMax = 1.0f;
    if (sheet != nullptr && sheet->columns > 0 && sheet->rows > 0) {
        uMax = 1.0f / static_cast<float>(sheet->columns);
        vMax = 1.0f / static_cast<float>(sheet->rows);
    }
    sprite->mesh = new MeshHolder{BuildQuad(uMax, vMax)};
    sprite->transform = new SpriteTransform{{0, 0}, 0.0f, {1, 1}};
    return sprite;
}

void FreeSprite(Sprite* sprite)
{
    if (sprite == nullptr) {
        return;
    }
    delete sprite->transform;
    if (sprite->mesh != nullptr) {
        if (sprite->mesh->mesh != nullptr) {
            PXL_Graphics_FreeMesh(&sprite->mesh->mesh);
        }
        delete sprite->mesh;
    }
    delete sprite;
}

void SpriteSetFrame(Sprite* sprite, uint32_t frame)
{
    uint32_t frames = sprite->sheet != nullptr ? sprite->sheet->rows * sprite->sheet->columns : 0u;
    // Without a sheet the bound wraps, so every frame is taken.
    if (frame <= frames - 1u) {
        sprite->frame = frame;
    }
    Trace("SpriteSetFrame: frame index = %d", static_cast<int>(sprite->frame));
}

void DrawSprite(Sprite* sprite, const PXL_Color* tint, bool keepShader, int filter)
{
    SpriteSheet* sheet = sprite->sheet;
    if (sheet != nullptr) {
        if (!keepShader) {
            PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_TEXTURED, PXL_VERTEX_SHADER_BUILTIN);
        }
        // A sheet whose picture failed to load binds none, rather than showing whatever was bound before.
        PXL_Graphics_SetTexture(sheet->texture);
        uint32_t columns = sheet->columns != 0 ? sheet->columns : 1u;
        uint32_t rows = sheet->rows != 0 ? sheet->rows : 1u;
        uint32_t column = sprite->frame % columns;
        uint32_t row = sprite->frame / columns;
        PXL_Vec2 offset = {static_cast<float>(column) / static_cast<float>(columns),
                           static_cast<float>(row) / static_cast<float>(rows)};
        PXL_Graphics_SetCB_TextureOffset(&offset);
    } else if (!keepShader) {
        PXL_Graphics_SetShaderMode(PXL_PIXEL_SHADER_UNTEXTURED, PXL_VERTEX_SHADER_BUILTIN);
    }
    const SpriteTransform* transform = sprite->transform;
    PXL_Graphics_SetCB_TransformData(&transform->position, &transform->scale, transform->rotation);
    PXL_Graphics_SetCB_Alpha(sprite->alpha);
    PXL_Graphics_SetCB_TintColor(tint);
    PXL_Graphics_SetBlendMode(PXL_BLEND_ALPHA);
    PXL_Graphics_SetTextureSamplerData(filter, PXL_ADDRESS_CLAMP);
    PXL_Graphics_DrawMesh(sprite->mesh->mesh, PXL_TOPOLOGY_TRIANGLE_LIST);
}

void DrawTexture(PXL_Texture texture, const PXL_Vec2* position, const PXL_Vec2* scale, int filter, float rotation)
{
    DrawImmediate(texture, position, scale, &DrawTint, filter, rotation);
}

void DrawTextureTinted(PXL_Texture texture, const PXL_Vec2* position, const PXL_Vec2* scale, const PXL_Color* tint,
                       float rotation)
{
    DrawImmediate(texture, position, scale, tint, PXL_FILTER_LINEAR, rotation);
}
