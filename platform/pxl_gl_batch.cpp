#include "platform/pxl_gl_batch.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

namespace {

// What the shaders receive per vertex: clip-space position, texture coordinate with the frame offset
// added, the mesh's vertex colour, the draw's tint (rgb) with the draw's alpha in the fourth place, and the
// rectangle of texture the draw covers (min u, min v, max u, max v). With clamping, sampling stays inside
// that rectangle, so a frame of a sheet never picks up the edge of its neighbour under linear filtering.
// A batch may use several textures at once (glowing text alternates its glyph sheet and the glow
// backdrop); the vertex says which.
struct GpuVertex {
    float x, y;
    float u, v;
    float r, g, b, a;
    float tintR, tintG, tintB, alpha;
    float frameMinU, frameMinV, frameMaxU, frameMaxV;
    float slot; // which of the batch's textures
};

constexpr float Unbounded = 1e6f;

struct TextureSlot {
    GLuint texture = 0;
    GLuint sampler = 0;
};

// The pipeline state shared by every vertex of the batch.
struct Batch {
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    int targetWidth = 0;
    int targetHeight = 0;
    int drawCalls = 0;

    const GlProgram* program = nullptr;
    bool blend = false;
    TextureSlot slots[GlTextureSlots];
    int slotCount = 0;
    std::vector<GpuVertex> vertices;
};

Batch batch;

// The slot of the batch that samples this texture this way, making room (by drawing what is collected) when
// the batch has no free slot left.
int SlotFor(GLuint texture, GLuint sampler)
{
    for (int slot = 0; slot < batch.slotCount; ++slot) {
        if (batch.slots[slot].texture == texture && batch.slots[slot].sampler == sampler)
            return slot;
    }
    if (batch.slotCount == batch.program->slots)
        GlBatchFlush();
    batch.slots[batch.slotCount] = {texture, sampler};
    return batch.slotCount++;
}

} // namespace

void GlBatchCreate()
{
    glGenVertexArrays(1, &batch.vertexArray);
    glBindVertexArray(batch.vertexArray);
    glGenBuffers(1, &batch.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, batch.vertexBuffer);
    const GLsizei stride = sizeof(GpuVertex);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(GpuVertex, x));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(GpuVertex, u));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 4, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(GpuVertex, r));
    glEnableVertexAttribArray(3);
    glVertexAttribPointer(3, 4, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(GpuVertex, tintR));
    glEnableVertexAttribArray(4);
    glVertexAttribPointer(4, 4, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(GpuVertex, frameMinU));
    glEnableVertexAttribArray(5);
    glVertexAttribPointer(5, 1, GL_FLOAT, GL_FALSE, stride, (void*)offsetof(GpuVertex, slot));
}

void GlBatchDestroy()
{
    if (batch.vertexBuffer)
        glDeleteBuffers(1, &batch.vertexBuffer);
    if (batch.vertexArray)
        glDeleteVertexArrays(1, &batch.vertexArray);
    batch.vertexBuffer = batch.vertexArray = 0;
}

void GlBatchBindInputs(GLuint program)
{
    glBindAttribLocation(program, 0, "a_position");
    glBindAttribLocation(program, 1, "a_uv");
    glBindAttribLocation(program, 2, "a_color");
    glBindAttribLocation(program, 3, "a_tint");
    glBindAttribLocation(program, 4, "a_frame");
    glBindAttribLocation(program, 5, "a_slot");
}

void GlBatchBegin(int targetWidth, int targetHeight)
{
    GlBatchDrop();
    batch.targetWidth = targetWidth;
    batch.targetHeight = targetHeight;
    batch.drawCalls = 0;
}

void GlBatchDrop()
{
    batch.vertices.clear();
    batch.program = nullptr;
    batch.slotCount = 0;
}

void GlBatchFlush()
{
    if (batch.vertices.empty() || !batch.program) {
        batch.vertices.clear();
        batch.slotCount = 0;
        return;
    }
    glUseProgram(batch.program->id);
    if (batch.program->viewport >= 0)
        glUniform2f(batch.program->viewport, float(batch.targetWidth), float(batch.targetHeight));
    if (batch.blend) {
        glEnable(GL_BLEND);
        // The colour blends with straight alpha; the target's alpha stays that of an opaque picture.
        glBlendFuncSeparate(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_ONE, GL_ONE_MINUS_SRC_ALPHA);
    } else {
        glDisable(GL_BLEND);
    }
    for (int slot = 0; slot < batch.slotCount; ++slot) {
        glActiveTexture(GL_TEXTURE0 + slot);
        glBindTexture(GL_TEXTURE_2D, batch.slots[slot].texture);
        glBindSampler(slot, batch.slots[slot].sampler);
    }
    glBindVertexArray(batch.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, batch.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(batch.vertices.size() * sizeof(GpuVertex)), batch.vertices.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(batch.vertices.size()));
    ++batch.drawCalls;
    batch.vertices.clear();
    batch.slotCount = 0;
}

int GlBatchDrawCalls()
{
    return batch.drawCalls;
}

void GlBatchAdd(const GlProgram& program, bool blend, GLuint texture, GLuint sampler, const PXL_MeshData& mesh,
                const PxlDrawState& state)
{
    if (batch.program != &program || batch.blend != blend) {
        GlBatchFlush();
        batch.program = &program;
        batch.blend = blend;
    }
    const bool textured = texture != 0;
    int slot = 0;
    if (textured)
        slot = SlotFor(texture, sampler);

    // Scale, rotate, translate into the world; then the camera: zoom world units per window pixel, y up.
    const float cosine = std::cos(state.rotation);
    const float sine = std::sin(state.rotation);
    float zoom = state.cameraZoom;
    if (std::fabs(zoom) < 1e-12f)
        zoom = 1e-12f;
    const float toClipX = 2.0f / (zoom * float(batch.targetWidth));
    const float toClipY = 2.0f / (zoom * float(batch.targetHeight));
    const size_t count = mesh.vertices.size() - mesh.vertices.size() % 3;
    float frame[4] = {-Unbounded, -Unbounded, Unbounded, Unbounded};
    if (textured && state.address == PXL_ADDRESS_CLAMP) {
        frame[0] = frame[1] = Unbounded;
        frame[2] = frame[3] = -Unbounded;
        for (size_t i = 0; i < count; ++i) {
            const PXL_Vec2& uv = mesh.vertices[i].uv;
            frame[0] = std::min(frame[0], uv.x + state.textureOffset.x);
            frame[1] = std::min(frame[1], uv.y + state.textureOffset.y);
            frame[2] = std::max(frame[2], uv.x + state.textureOffset.x);
            frame[3] = std::max(frame[3], uv.y + state.textureOffset.y);
        }
    }
    for (size_t i = 0; i < count; ++i) {
        const PxlVertex& in = mesh.vertices[i];
        float sx = in.position.x * state.scale.x;
        float sy = in.position.y * state.scale.y;
        float wx = sx * cosine - sy * sine + state.position.x;
        float wy = sx * sine + sy * cosine + state.position.y;
        GpuVertex out;
        out.x = (wx - state.cameraPosition.x) * toClipX;
        out.y = (wy - state.cameraPosition.y) * toClipY;
        out.u = in.uv.x + state.textureOffset.x;
        out.v = in.uv.y + state.textureOffset.y;
        out.r = in.colour.r;
        out.g = in.colour.g;
        out.b = in.colour.b;
        out.a = in.colour.a;
        out.tintR = state.tint.r;
        out.tintG = state.tint.g;
        out.tintB = state.tint.b;
        out.alpha = state.alpha;
        out.frameMinU = frame[0];
        out.frameMinV = frame[1];
        out.frameMaxU = frame[2];
        out.frameMaxV = frame[3];
        out.slot = float(slot);
        batch.vertices.push_back(out);
    }
}

void GlBatchRetireProgram(const GlProgram& program)
{
    if (batch.program == &program) {
        GlBatchFlush();
        batch.program = nullptr;
    }
}

void GlBatchRetireTexture(GLuint texture)
{
    for (int slot = 0; slot < batch.slotCount; ++slot) {
        if (batch.slots[slot].texture == texture) {
            GlBatchFlush();
            return;
        }
    }
}
