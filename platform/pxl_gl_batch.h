// The GL layer's batcher. Meshes are transformed on the CPU and collected into one vertex buffer while the
// program, the blending and the free texture slots allow, so a run of glyphs or panel pieces is one draw
// call. The vertex format lives here alone: its inputs are the ones the shader prelude (pxl_gl_prelude.glsl)
// declares. Needs a current GL context.
#pragma once

#include "platform/pxl_backend.h"

#include <epoxy/gl.h>

constexpr int GlTextureSlots = 4;

// A linked program as the batcher draws with it.
struct GlProgram {
    GLuint id = 0;
    GLint viewport = -1;
    int slots = 0; // textures one draw call can sample: 4 with "u_textures[4]", 1 with "u_texture"
};

// The vertex array and buffer of the context.
void GlBatchCreate();
void GlBatchDestroy();
// Names the vertex inputs of a program before it links, so shaders written without layout qualifiers get them.
void GlBatchBindInputs(GLuint program);

// Starts a frame drawn into a target of this size: nothing collected, no draw calls counted yet.
void GlBatchBegin(int targetWidth, int targetHeight);
// Forgets what is collected without drawing it (the context is going away).
void GlBatchDrop();
// Draws what is collected.
void GlBatchFlush();
int GlBatchDrawCalls();

// Collects one draw. An untextured draw passes texture 0; a textured one the texture and the sampler object it
// is read through.
void GlBatchAdd(const GlProgram& program, bool blend, GLuint texture, GLuint sampler, const PXL_MeshData& mesh,
                const PxlDrawState& state);

// Draws what is collected when it still needs this program or texture, which is about to be deleted.
void GlBatchRetireProgram(const GlProgram& program);
void GlBatchRetireTexture(GLuint texture);
