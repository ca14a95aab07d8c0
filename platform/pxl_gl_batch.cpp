#include "platform/pxl_gl_batch.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// What the shaders receive per vertex (40 bytes): clip-space position; texture coordinate with the frame offset
// added; the rectangle of texture the draw covers (min u, min v, max u, max v), within which clamped sampling
// stays, so that a frame of a sheet never picks up the edge of its neighbour under linear filtering; the
// colour the pixel shaders use, the mesh's vertex colour with the draw's tint added (rgb) and the draw's alpha
// multiplied in (a), as normalised bytes; which of the batch's textures the draw samples (a batch may use
// several at once: glowing text alternates its glyph sheet and the glow backdrop).
struct GpuVertex {
    float x, y;
    float u, v;
    float frameMinU, frameMinV, frameMaxU, frameMaxV;
    uint8_t colour[4];
    uint8_t slot;
    uint8_t padding[3];
};
static_assert(sizeof(GpuVertex) == 40);

// Every mesh goes out as quads of four corners, drawn as the triangles (0 1 2) (0 2 3) of one static index
// buffer. The game's quads (two triangles sharing a diagonal) keep their two triangles exactly; any other
// triangle becomes a quad whose second triangle has no area and draws nothing.
constexpr int CornersPerQuad = 4;
constexpr int IndicesPerQuad = 6;
constexpr GLuint QuadIndices[IndicesPerQuad] = {0, 1, 2, 0, 2, 3};

// The vertex buffer's first size; it doubles whenever one frame needs more, and never shrinks.
constexpr size_t FirstCapacity = 4096;

constexpr float Unbounded = 1e6f;

struct TextureSlot {
    GLuint texture = 0;
    GLuint sampler = 0;
};

// The pipeline state shared by every vertex of the batch.
struct Batch {
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    size_t vertexCapacity = 0; // vertices the GL buffer holds
    size_t indexQuads = 0;     // quads the index buffer covers
    size_t frameCursor = 0;    // first vertex of the GL buffer not yet used this frame
    int targetWidth = 0;
    int targetHeight = 0;
    int drawCalls = 0;

    const GlProgram* program = nullptr;
    bool blend = false;
    TextureSlot slots[GlTextureSlots];
    int slotCount = 0;
    // The batch's vertices: grown as needed, never shrunk, so a steady frame allocates nothing.
    std::vector<GpuVertex> vertices;
    size_t count = 0;
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

GpuVertex* Reserve(size_t corners)
{
    if (batch.count + corners > batch.vertices.size())
        batch.vertices.resize(std::max(batch.vertices.size() * 2, batch.count + corners));
    GpuVertex* at = batch.vertices.data() + batch.count;
    batch.count += corners;
    return at;
}

// Points the vertex inputs at the batch's vertices, which start `first` vertices into the buffer.
void PointInputsAt(size_t first)
{
    const GLsizei stride = sizeof(GpuVertex);
    auto at = [&](size_t field) { return (const void*)(first * sizeof(GpuVertex) + field); };
    glVertexAttribPointer(0, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, x)));
    glVertexAttribPointer(1, 2, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, u)));
    glVertexAttribPointer(2, 4, GL_UNSIGNED_BYTE, GL_TRUE, stride, at(offsetof(GpuVertex, colour)));
    glVertexAttribPointer(3, 4, GL_FLOAT, GL_FALSE, stride, at(offsetof(GpuVertex, frameMinU)));
    glVertexAttribIPointer(4, 1, GL_UNSIGNED_BYTE, stride, at(offsetof(GpuVertex, slot)));
}

// Makes room in the GL buffers for this many more vertices this frame. A frame that outgrows the vertex buffer
// gets one of twice the size (its draws so far have already been made from the old one).
void MakeRoom(size_t vertices)
{
    if (batch.frameCursor + vertices > batch.vertexCapacity) {
        size_t capacity = std::max(batch.vertexCapacity, FirstCapacity);
        while (capacity < batch.frameCursor + vertices)
            capacity *= 2;
        glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(capacity * sizeof(GpuVertex)), nullptr, GL_DYNAMIC_DRAW);
        batch.vertexCapacity = capacity;
        batch.frameCursor = 0;
    }
    const size_t quads = vertices / CornersPerQuad;
    if (quads > batch.indexQuads) {
        size_t covered = std::max<size_t>(batch.indexQuads, FirstCapacity / CornersPerQuad);
        while (covered < quads)
            covered *= 2;
        std::vector<GLuint> indices(covered * IndicesPerQuad);
        for (size_t quad = 0; quad < covered; ++quad) {
            for (int i = 0; i < IndicesPerQuad; ++i)
                indices[quad * IndicesPerQuad + i] = GLuint(quad * CornersPerQuad) + QuadIndices[i];
        }
        glBufferData(GL_ELEMENT_ARRAY_BUFFER, GLsizeiptr(indices.size() * sizeof(GLuint)), indices.data(),
                     GL_STATIC_DRAW);
        batch.indexQuads = covered;
    }
}

uint8_t UnitByte(float value)
{
    // Not a number draws as nothing, as the blending would.
    if (!(value > 0.0f))
        return 0;
    return value >= 1.0f ? 255 : uint8_t(value * 255.0f + 0.5f);
}

// Whether the six vertices are two triangles sharing their first and third corner: the game's quad.
bool IsQuad(const PxlVertex* v)
{
    auto same = [](const PxlVertex& a, const PxlVertex& b) {
        return a.position.x == b.position.x && a.position.y == b.position.y && a.uv.x == b.uv.x && a.uv.y == b.uv.y &&
               a.colour.r == b.colour.r && a.colour.g == b.colour.g && a.colour.b == b.colour.b &&
               a.colour.a == b.colour.a;
    };
    return same(v[0], v[3]) && same(v[2], v[4]);
}

} // namespace

void GlBatchCreate()
{
    glGenVertexArrays(1, &batch.vertexArray);
    glBindVertexArray(batch.vertexArray);
    glGenBuffers(1, &batch.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, batch.vertexBuffer);
    glGenBuffers(1, &batch.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, batch.indexBuffer); // part of the vertex array's state
    for (GLuint input = 0; input < 5; ++input)
        glEnableVertexAttribArray(input);
    batch.vertexCapacity = 0;
    batch.indexQuads = 0;
    batch.frameCursor = 0;
    MakeRoom(FirstCapacity);
}

void GlBatchDestroy()
{
    if (batch.vertexBuffer)
        glDeleteBuffers(1, &batch.vertexBuffer);
    if (batch.indexBuffer)
        glDeleteBuffers(1, &batch.indexBuffer);
    if (batch.vertexArray)
        glDeleteVertexArrays(1, &batch.vertexArray);
    batch.vertexBuffer = batch.indexBuffer = batch.vertexArray = 0;
    batch.vertexCapacity = batch.indexQuads = batch.frameCursor = 0;
}

void GlBatchBindInputs(GLuint program)
{
    glBindAttribLocation(program, 0, "a_position");
    glBindAttribLocation(program, 1, "a_uv");
    glBindAttribLocation(program, 2, "a_color");
    glBindAttribLocation(program, 3, "a_frame");
    glBindAttribLocation(program, 4, "a_slot");
}

void GlBatchBegin(int targetWidth, int targetHeight)
{
    GlBatchDrop();
    batch.targetWidth = targetWidth;
    batch.targetHeight = targetHeight;
    batch.drawCalls = 0;
    batch.frameCursor = 0;
}

void GlBatchDrop()
{
    batch.count = 0;
    batch.program = nullptr;
    batch.slotCount = 0;
}

void GlBatchFlush()
{
    if (batch.count == 0 || !batch.program) {
        batch.count = 0;
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
    MakeRoom(batch.count);
    // Each batch of the frame takes the next stretch of the buffer, so no draw waits for an earlier one.
    glBufferSubData(GL_ARRAY_BUFFER, GLintptr(batch.frameCursor * sizeof(GpuVertex)),
                    GLsizeiptr(batch.count * sizeof(GpuVertex)), batch.vertices.data());
    PointInputsAt(batch.frameCursor);
    glDrawElements(GL_TRIANGLES, GLsizei(batch.count / CornersPerQuad * IndicesPerQuad), GL_UNSIGNED_INT, nullptr);
    batch.frameCursor += batch.count;
    ++batch.drawCalls;
    batch.count = 0;
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
    const PxlVertex* in = mesh.vertices.data();
    float frame[4] = {-Unbounded, -Unbounded, Unbounded, Unbounded};
    if (textured && state.address == PXL_ADDRESS_CLAMP) {
        frame[0] = frame[1] = Unbounded;
        frame[2] = frame[3] = -Unbounded;
        for (size_t i = 0; i < count; ++i) {
            frame[0] = std::min(frame[0], in[i].uv.x + state.textureOffset.x);
            frame[1] = std::min(frame[1], in[i].uv.y + state.textureOffset.y);
            frame[2] = std::max(frame[2], in[i].uv.x + state.textureOffset.x);
            frame[3] = std::max(frame[3], in[i].uv.y + state.textureOffset.y);
        }
    }
    // Tints and colours lie in 0..1, so adding them before the texture's colour clamps as adding after. The
    // colour is worked out once for a run of vertices of the same mesh colour (every quad of the game's).
    PXL_Color lastColour = {-1, -1, -1, -1};
    uint8_t colour[4] = {};
    auto place = [&](const PxlVertex& from, GpuVertex& out) {
        const float sx = from.position.x * state.scale.x;
        const float sy = from.position.y * state.scale.y;
        const float wx = sx * cosine - sy * sine + state.position.x;
        const float wy = sx * sine + sy * cosine + state.position.y;
        out.x = (wx - state.cameraPosition.x) * toClipX;
        out.y = (wy - state.cameraPosition.y) * toClipY;
        out.u = from.uv.x + state.textureOffset.x;
        out.v = from.uv.y + state.textureOffset.y;
        out.frameMinU = frame[0];
        out.frameMinV = frame[1];
        out.frameMaxU = frame[2];
        out.frameMaxV = frame[3];
        const PXL_Color& c = from.colour;
        if (c.r != lastColour.r || c.g != lastColour.g || c.b != lastColour.b || c.a != lastColour.a) {
            lastColour = c;
            colour[0] = UnitByte(c.r + state.tint.r);
            colour[1] = UnitByte(c.g + state.tint.g);
            colour[2] = UnitByte(c.b + state.tint.b);
            colour[3] = UnitByte(c.a * state.alpha);
        }
        std::memcpy(out.colour, colour, sizeof colour);
        out.slot = uint8_t(slot);
        out.padding[0] = out.padding[1] = out.padding[2] = 0;
    };
    if (count == 6 && IsQuad(in)) {
        GpuVertex* out = Reserve(CornersPerQuad);
        place(in[0], out[0]);
        place(in[1], out[1]);
        place(in[2], out[2]);
        place(in[5], out[3]);
        return;
    }
    for (size_t i = 0; i < count; i += 3) {
        GpuVertex* out = Reserve(CornersPerQuad);
        place(in[i], out[0]);
        place(in[i + 1], out[1]);
        place(in[i + 2], out[2]);
        out[3] = out[2];
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
