// The drawable record and the one draw sequence every picture goes through.
#pragma once

#include "platform/pxl.h"

#include <cstdint>

struct SpriteSheet {
    uint32_t rows;
    uint32_t columns;
    PXL_Texture texture;
};

struct SpriteTransform {
    PXL_Vec2 position;
    float rotation;
    PXL_Vec2 scale;
};

struct MeshHolder {
    PXL_Mesh mesh;
};

struct Sprite {
    uint32_t frame;
    float alpha;
    SpriteSheet* sheet;
    MeshHolder* mesh;
    SpriteTransform* transform;
};

// Current draw state of the immediate draws and of text.
extern float DrawAlpha;
extern PXL_Color DrawTint;

// The tint that leaves a picture as it is. A tint is added to the texture's colour; its alpha is not used.
constexpr PXL_Color NoTint = {0, 0, 0, 0};

// Full alpha, no tint: the draw state at start-up. The mesh system's init and the tests call it.
void ResetDrawState();

Sprite* CreateSprite(Sprite* sprite, SpriteSheet* sheet);
void FreeSprite(Sprite* sprite); // frees a heap sprite made with new Sprite{}
void SpriteSetFrame(Sprite* sprite, uint32_t frame);
void DrawSprite(Sprite* sprite, const PXL_Color* tint, bool keepShader, int filter);

// Immediate draws of a whole texture; a null texture draws an untextured quad in the tint's colour.
void DrawTexture(PXL_Texture texture, const PXL_Vec2* position, const PXL_Vec2* scale, int filter, float rotation);
void DrawTextureTinted(PXL_Texture texture, const PXL_Vec2* position, const PXL_Vec2* scale, const PXL_Color* tint,
                       float rotation);

// The unit quad built by the mesh system.
extern MeshHolder* UnitQuad;

// The sprite of a single draw, at the origin, unrotated, one unit square, alpha 1: on a 1 by 1 sheet of
// `texture` when `withSheet` (the texture may be null), else on no sheet (an untextured quad). It draws the
// unit quad once the mesh system is up, so a draw allocates nothing.
class ImmediateSprite {
public:
    ImmediateSprite(PXL_Texture texture, bool withSheet);
    ~ImmediateSprite();
    ImmediateSprite(const ImmediateSprite&) = delete;
    ImmediateSprite& operator=(const ImmediateSprite&) = delete;

    Sprite sprite;

private:
    SpriteSheet sheet;
    MeshHolder holder;
    SpriteTransform transform;
    bool ownsMesh;
};
