// The real backend: an SDL2 window with an OpenGL 3.3 core context (entry points through libepoxy).
// Meshes are transformed on the CPU and collected into one vertex buffer while the pipeline state stays the
// same, so a run of glyphs or panel pieces is one draw call. Every frame is drawn into an offscreen target
// (two, taking turns) so that the last finished frame can be read back at any time, hidden window or not.
#include "platform/pxl_backend.h"
#include "stb_image.h"

#include <SDL.h>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <epoxy/gl.h>
#include <map>
#include <string>
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

constexpr float kUnbounded = 1e6f;

// Handles given to the core; the generation tells whether they belong to the current GL context.
struct GlTexture {
    GLuint id;
    uint64_t generation;
};

struct GlShader {
    GLuint id;
    uint64_t generation;
};

constexpr int kTextureSlots = 4;

struct Program {
    GLuint id = 0;
    GLint viewport = -1;
    int slots = 0; // textures one draw call can sample: 4 with "u_textures[4]", 1 with "u_texture"
};

struct TextureSlot {
    GLuint texture = 0;
    int sampler = 0;
};

// The pipeline state shared by every vertex of the batch.
struct Batch {
    const Program* program = nullptr;
    bool blend = false;
    TextureSlot slots[kTextureSlots];
    int slotCount = 0;
    std::vector<GpuVertex> vertices;
};

struct FrameTarget {
    GLuint framebuffer = 0;
    GLuint colour = 0;
};

constexpr const char* kBuiltinVertex = R"(#version 330 core
layout(location = 0) in vec2 a_position;
layout(location = 1) in vec2 a_uv;
layout(location = 2) in vec4 a_color;
layout(location = 3) in vec4 a_tint;
layout(location = 4) in vec4 a_frame;
layout(location = 5) in float a_slot;
out vec2 v_uv;
out vec4 v_color;
out vec4 v_tint;
flat out vec4 v_frame;
flat out int v_slot;
void main()
{
    gl_Position = vec4(a_position, 0.0, 1.0);
    v_uv = a_uv;
    v_color = a_color;
    v_tint = a_tint;
    v_frame = a_frame;
    v_slot = int(a_slot + 0.5);
}
)";

// Untextured: the vertex colour plus the tint, at the draw's alpha.
constexpr const char* kUntexturedPixel = R"(#version 330 core
in vec2 v_uv;
in vec4 v_color;
in vec4 v_tint;
out vec4 o_colour;
void main()
{
    o_colour = vec4(clamp(v_color.rgb + v_tint.rgb, 0.0, 1.0), v_color.a * v_tint.a);
}
)";

// Textured: the tint is added to the texture's colour (a black picture takes the tint's colour); only the
// texture's alpha and the draw's alpha make it transparent. Textures have no mipmaps, so an explicit level
// 0 is what implicit sampling would pick, and it stays defined inside the slot branches.
constexpr const char* kTexturedPixel = R"(#version 330 core
in vec2 v_uv;
in vec4 v_color;
in vec4 v_tint;
flat in vec4 v_frame;
flat in int v_slot;
uniform sampler2D u_textures[4];
out vec4 o_colour;
vec4 Sample(vec2 uv)
{
    vec4 texel;
    if (v_slot == 0)
        texel = textureLod(u_textures[0], uv, 0.0);
    else if (v_slot == 1)
        texel = textureLod(u_textures[1], uv, 0.0);
    else if (v_slot == 2)
        texel = textureLod(u_textures[2], uv, 0.0);
    else
        texel = textureLod(u_textures[3], uv, 0.0);
    return texel;
}
vec2 TextureSize()
{
    ivec2 size;
    if (v_slot == 0)
        size = textureSize(u_textures[0], 0);
    else if (v_slot == 1)
        size = textureSize(u_textures[1], 0);
    else if (v_slot == 2)
        size = textureSize(u_textures[2], 0);
    else
        size = textureSize(u_textures[3], 0);
    return vec2(size);
}
void main()
{
    vec2 halfTexel = 0.5 / TextureSize();
    vec2 low = v_frame.xy + halfTexel;
    vec2 high = max(low, v_frame.zw - halfTexel);
    vec4 texel = Sample(clamp(v_uv, low, high));
    o_colour = vec4(clamp(texel.rgb + v_color.rgb + v_tint.rgb, 0.0, 1.0), texel.a * v_color.a * v_tint.a);
}
)";

struct Gl {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    uint64_t generation = 0; // 0 while no context is current
    bool hidden = false;
    int leftShift = 0, rightShift = 0, leftControl = 0, rightControl = 0, leftAlt = 0, rightAlt = 0;

    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint samplers[4] = {}; // [linear][clamp]
    GlShader* builtinVertex = nullptr;
    GlShader* untexturedPixel = nullptr;
    GlShader* texturedPixel = nullptr;
    std::map<std::pair<GLuint, GLuint>, Program> programs;

    FrameTarget targets[2];
    int targetWidth = 0;
    int targetHeight = 0;
    int drawing = 0;
    int finished = -1;
    bool inFrame = false;

    Batch batch;
    int drawCalls = 0;
    int lastDrawCalls = 0;

    bool timing = false;
    uint64_t lastTick = 0;
    uint64_t nextDeadline = 0;
};

Gl gl;

bool ContextReady(uint64_t generation)
{
    return gl.generation != 0 && generation == gl.generation;
}

// ---- Shaders and programs ----------------------------------------------------------------------------------

GLuint Compile(GLenum stage, const std::string& source, const std::string& name)
{
    GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint ok = 0;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log - 1, nullptr, log);
        std::fprintf(stderr, "PXL: shader \"%s\" does not compile:\n%s\n", name.c_str(), log);
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

GlShader* MakeShader(GLenum stage, const std::string& source, const std::string& name)
{
    GLuint id = Compile(stage, source, name);
    return id ? new GlShader{id, gl.generation} : nullptr;
}

void FlushBatch();

const Program* ProgramFor(GLuint vertex, GLuint pixel)
{
    auto found = gl.programs.find({vertex, pixel});
    if (found != gl.programs.end())
        return found->second.id ? &found->second : nullptr;
    Program& program = gl.programs[{vertex, pixel}];
    GLuint id = glCreateProgram();
    glAttachShader(id, vertex);
    glAttachShader(id, pixel);
    // Shaders written without layout qualifiers get the same inputs.
    glBindAttribLocation(id, 0, "a_position");
    glBindAttribLocation(id, 1, "a_uv");
    glBindAttribLocation(id, 2, "a_color");
    glBindAttribLocation(id, 3, "a_tint");
    glBindAttribLocation(id, 4, "a_frame");
    glBindAttribLocation(id, 5, "a_slot");
    glLinkProgram(id);
    GLint ok = 0;
    glGetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetProgramInfoLog(id, sizeof log - 1, nullptr, log);
        std::fprintf(stderr, "PXL: shader pair does not link:\n%s\n", log);
        glDeleteProgram(id);
        return nullptr; // remembered as failed, so the message comes once
    }
    program.id = id;
    glUseProgram(id);
    for (int slot = 0; slot < kTextureSlots; ++slot) {
        std::string name = "u_textures[" + std::to_string(slot) + "]";
        GLint sampler = glGetUniformLocation(id, name.c_str());
        if (sampler < 0)
            break;
        glUniform1i(sampler, slot);
        program.slots = slot + 1;
    }
    if (GLint sampler = glGetUniformLocation(id, "u_texture"); sampler >= 0 && program.slots == 0) {
        glUniform1i(sampler, 0);
        program.slots = 1;
    }
    program.viewport = glGetUniformLocation(id, "u_viewport");
    return &program;
}

void ForgetProgramsUsing(GLuint shader)
{
    for (auto it = gl.programs.begin(); it != gl.programs.end();) {
        if (it->first.first == shader || it->first.second == shader) {
            if (gl.batch.program == &it->second) {
                FlushBatch();
                gl.batch.program = nullptr;
            }
            if (it->second.id)
                glDeleteProgram(it->second.id);
            it = gl.programs.erase(it);
        } else {
            ++it;
        }
    }
}

// ---- Frame targets -----------------------------------------------------------------------------------------

void DeleteTargets()
{
    for (FrameTarget& target : gl.targets) {
        if (target.framebuffer)
            glDeleteFramebuffers(1, &target.framebuffer);
        if (target.colour)
            glDeleteRenderbuffers(1, &target.colour);
        target = FrameTarget{};
    }
    gl.targetWidth = gl.targetHeight = 0;
    gl.finished = -1;
}

void EnsureTargets(int width, int height)
{
    if (width == gl.targetWidth && height == gl.targetHeight && gl.targets[0].framebuffer)
        return;
    DeleteTargets();
    for (FrameTarget& target : gl.targets) {
        glGenRenderbuffers(1, &target.colour);
        glBindRenderbuffer(GL_RENDERBUFFER, target.colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, width, height);
        glGenFramebuffers(1, &target.framebuffer);
        glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, target.colour);
    }
    gl.targetWidth = width;
    gl.targetHeight = height;
}

// ---- Batching ----------------------------------------------------------------------------------------------

void FlushBatch()
{
    Batch& batch = gl.batch;
    if (batch.vertices.empty() || !batch.program) {
        batch.vertices.clear();
        batch.slotCount = 0;
        return;
    }
    glUseProgram(batch.program->id);
    if (batch.program->viewport >= 0)
        glUniform2f(batch.program->viewport, float(gl.targetWidth), float(gl.targetHeight));
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
        glBindSampler(slot, gl.samplers[batch.slots[slot].sampler]);
    }
    glBindVertexArray(gl.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, gl.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(batch.vertices.size() * sizeof(GpuVertex)), batch.vertices.data(),
                 GL_STREAM_DRAW);
    glDrawArrays(GL_TRIANGLES, 0, GLsizei(batch.vertices.size()));
    ++gl.drawCalls;
    batch.vertices.clear();
    batch.slotCount = 0;
}

// The slot of the batch that samples this texture this way, making room (by drawing what is collected) when
// the batch has no free slot left.
int SlotFor(GLuint texture, int sampler)
{
    Batch& batch = gl.batch;
    for (int slot = 0; slot < batch.slotCount; ++slot) {
        if (batch.slots[slot].texture == texture && batch.slots[slot].sampler == sampler)
            return slot;
    }
    if (batch.slotCount == batch.program->slots)
        FlushBatch();
    batch.slots[batch.slotCount] = {texture, sampler};
    return batch.slotCount++;
}

GLuint PixelStageFor(const PxlDrawState& state, bool& textured)
{
    textured = true;
    if (state.pixelShader == 2 && state.customPixel && ContextReady(((GlShader*)state.customPixel->native)->generation))
        return ((GlShader*)state.customPixel->native)->id;
    if (state.pixelShader == 1 || state.pixelShader == 2)
        return gl.texturedPixel->id;
    textured = false;
    return gl.untexturedPixel->id;
}

GLuint VertexStageFor(const PxlDrawState& state)
{
    if (state.vertexShader == 1 && state.customVertex &&
        ContextReady(((GlShader*)state.customVertex->native)->generation))
        return ((GlShader*)state.customVertex->native)->id;
    return gl.builtinVertex->id;
}

void DrawMesh(const PXL_MeshData& mesh, const PxlDrawState& state)
{
    if (!gl.inFrame || mesh.vertices.size() < 3)
        return;
    bool textured = false;
    GLuint pixel = PixelStageFor(state, textured);
    GLuint texture = 0;
    if (textured) {
        // A textured draw without a live texture has nothing to show.
        if (!state.texture)
            return;
        auto* handle = (GlTexture*)state.texture->native;
        if (!ContextReady(handle->generation))
            return;
        texture = handle->id;
    }
    const Program* program = ProgramFor(VertexStageFor(state), pixel);
    if (!program || (textured && program->slots == 0))
        return;

    Batch& batch = gl.batch;
    const bool blend = state.blend != 0;
    if (batch.program != program || batch.blend != blend) {
        FlushBatch();
        batch.program = program;
        batch.blend = blend;
    }
    int slot = 0;
    if (textured)
        slot = SlotFor(texture, (state.filter == 1 ? 2 : 0) + (state.address == 2 ? 1 : 0));

    // Scale, rotate, translate into the world; then the camera: zoom world units per window pixel, y up.
    const float cosine = std::cos(state.rotation);
    const float sine = std::sin(state.rotation);
    float zoom = state.cameraZoom;
    if (std::fabs(zoom) < 1e-12f)
        zoom = 1e-12f;
    const float toClipX = 2.0f / (zoom * float(gl.targetWidth));
    const float toClipY = 2.0f / (zoom * float(gl.targetHeight));
    const size_t count = mesh.vertices.size() - mesh.vertices.size() % 3;
    float frame[4] = {-kUnbounded, -kUnbounded, kUnbounded, kUnbounded};
    if (textured && state.address == 2) {
        frame[0] = frame[1] = kUnbounded;
        frame[2] = frame[3] = -kUnbounded;
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

// ---- Frames ------------------------------------------------------------------------------------------------

void BeginFrame(const PXL_Color& background, int width, int height)
{
    if (!gl.generation)
        return;
    SDL_GL_MakeCurrent(gl.window, gl.context);
    EnsureTargets(width, height);
    gl.drawing = gl.finished == 0 ? 1 : 0;
    glBindFramebuffer(GL_FRAMEBUFFER, gl.targets[gl.drawing].framebuffer);
    glViewport(0, 0, width, height);
    glClearColor(background.r, background.g, background.b, background.a);
    glClear(GL_COLOR_BUFFER_BIT);
    gl.batch.vertices.clear();
    gl.batch.program = nullptr;
    gl.batch.slotCount = 0;
    gl.drawCalls = 0;
    gl.inFrame = true;
}

void EndFrame()
{
    if (!gl.inFrame)
        return;
    FlushBatch();
    gl.inFrame = false;
    gl.lastDrawCalls = gl.drawCalls;
    gl.finished = gl.drawing;
    if (gl.hidden)
        return;
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(gl.window, &drawableWidth, &drawableHeight);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl.targets[gl.finished].framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    bool sameSize = drawableWidth == gl.targetWidth && drawableHeight == gl.targetHeight;
    glBlitFramebuffer(0, 0, gl.targetWidth, gl.targetHeight, 0, 0, drawableWidth, drawableHeight, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(gl.window);
}

int LastFrameDrawCalls()
{
    return gl.lastDrawCalls;
}

bool ReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height)
{
    if (!gl.generation || gl.finished < 0)
        return false;
    width = gl.targetWidth;
    height = gl.targetHeight;
    std::vector<uint8_t> bottomUp(size_t(width) * height * 4);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl.targets[gl.finished].framebuffer);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, bottomUp.data());
    const size_t row = size_t(width) * 4;
    rgba.resize(bottomUp.size());
    for (int y = 0; y < height; ++y) {
        const uint8_t* from = bottomUp.data() + size_t(height - 1 - y) * row;
        uint8_t* to = rgba.data() + size_t(y) * row;
        for (size_t x = 0; x < row; x += 4) {
            to[x] = from[x];
            to[x + 1] = from[x + 1];
            to[x + 2] = from[x + 2];
            to[x + 3] = 255; // what the window shows is opaque
        }
    }
    return true;
}

// ---- Textures and shaders for the core ---------------------------------------------------------------------

uintptr_t CreateTexture(const uint8_t* rgba, int width, int height)
{
    if (!gl.generation)
        return 0;
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    return uintptr_t(new GlTexture{id, gl.generation});
}

void DestroyTexture(uintptr_t native)
{
    auto* texture = (GlTexture*)native;
    if (!texture)
        return;
    if (ContextReady(texture->generation)) {
        for (int slot = 0; slot < gl.batch.slotCount; ++slot) {
            if (gl.batch.slots[slot].texture == texture->id) {
                FlushBatch();
                break;
            }
        }
        glDeleteTextures(1, &texture->id);
    }
    delete texture;
}

uintptr_t CreateShader(PxlShaderStage stage, const std::string& source, const std::string& path)
{
    if (!gl.generation) {
        std::fprintf(stderr, "PXL: shader \"%s\" needs an open window\n", path.c_str());
        return 0;
    }
    return uintptr_t(MakeShader(stage == PxlShaderStage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER, source, path));
}

void DestroyShader(uintptr_t native)
{
    auto* shader = (GlShader*)native;
    if (!shader)
        return;
    if (ContextReady(shader->generation)) {
        ForgetProgramsUsing(shader->id);
        glDeleteShader(shader->id);
    }
    delete shader;
}

// ---- Window ------------------------------------------------------------------------------------------------

void SetWindowIcon(int resource)
{
    std::string path = "./Assets/Icons/" + std::to_string(resource) + ".png";
    int width = 0;
    int height = 0;
    int channels = 0;
    stbi_uc* pixels = stbi_load(path.c_str(), &width, &height, &channels, 4);
    if (!pixels)
        return; // a window without its icon is still a window
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, width * 4, SDL_PIXELFORMAT_RGBA32);
    if (surface) {
        SDL_SetWindowIcon(gl.window, surface);
        SDL_FreeSurface(surface);
    }
    stbi_image_free(pixels);
}

bool CreateDeviceObjects()
{
    gl.builtinVertex = MakeShader(GL_VERTEX_SHADER, kBuiltinVertex, "built-in vertex");
    gl.untexturedPixel = MakeShader(GL_FRAGMENT_SHADER, kUntexturedPixel, "built-in untextured");
    gl.texturedPixel = MakeShader(GL_FRAGMENT_SHADER, kTexturedPixel, "built-in textured");
    if (!gl.builtinVertex || !gl.untexturedPixel || !gl.texturedPixel)
        return false;

    glGenVertexArrays(1, &gl.vertexArray);
    glBindVertexArray(gl.vertexArray);
    glGenBuffers(1, &gl.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, gl.vertexBuffer);
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

    glGenSamplers(4, gl.samplers);
    for (int linear = 0; linear < 2; ++linear) {
        for (int clamp = 0; clamp < 2; ++clamp) {
            GLuint sampler = gl.samplers[linear * 2 + clamp];
            GLint filter = linear ? GL_LINEAR : GL_NEAREST;
            GLint wrap = clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
            glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, filter);
            glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, filter);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, wrap);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, wrap);
        }
    }
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    return true;
}

void DestroyDeviceObjects()
{
    for (auto& [stages, program] : gl.programs) {
        if (program.id)
            glDeleteProgram(program.id);
    }
    gl.programs.clear();
    for (GlShader** shader : {&gl.builtinVertex, &gl.untexturedPixel, &gl.texturedPixel}) {
        if (*shader)
            glDeleteShader((*shader)->id);
        delete *shader;
        *shader = nullptr;
    }
    DeleteTargets();
    if (gl.samplers[0])
        glDeleteSamplers(4, gl.samplers);
    if (gl.vertexBuffer)
        glDeleteBuffers(1, &gl.vertexBuffer);
    if (gl.vertexArray)
        glDeleteVertexArrays(1, &gl.vertexArray);
    std::fill(std::begin(gl.samplers), std::end(gl.samplers), 0);
    gl.vertexBuffer = gl.vertexArray = 0;
}

void Shutdown();

void* Init(const PXL_SystemSettings* settings, bool hidden)
{
    static uint64_t generations = 0;
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // Video and the GL library stay loaded for the life of the process once started: unloading the driver
    // on every window close costs time and leaves its allocations unreachable.
    static bool videoStarted = false;
    if (!videoStarted) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
            std::fprintf(stderr, "PXL: cannot start SDL video: %s\n", SDL_GetError());
            return nullptr;
        }
        if (SDL_GL_LoadLibrary(nullptr) != 0) {
            std::fprintf(stderr, "PXL: cannot load OpenGL: %s\n", SDL_GetError());
            SDL_QuitSubSystem(SDL_INIT_VIDEO);
            return nullptr;
        }
        videoStarted = true;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);

    Uint32 flags = SDL_WINDOW_OPENGL | (hidden ? SDL_WINDOW_HIDDEN : SDL_WINDOW_SHOWN);
    if (settings->style & PXL_STYLE_BORDERLESS)
        flags |= SDL_WINDOW_BORDERLESS;
    const char* title = settings->title ? settings->title : "";
    gl.window = SDL_CreateWindow(title, SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, settings->width,
                                 settings->height, flags);
    if (!gl.window) {
        std::fprintf(stderr, "PXL: cannot open the window: %s\n", SDL_GetError());
        return nullptr;
    }
    gl.context = SDL_GL_CreateContext(gl.window);
    if (!gl.context || epoxy_gl_version() < 33) {
        std::fprintf(stderr, "PXL: no OpenGL 3.3 core context: %s\n", SDL_GetError());
        Shutdown();
        return nullptr;
    }
    SDL_GL_MakeCurrent(gl.window, gl.context);
    SDL_GL_SetSwapInterval(0); // FrameControl paces the frames
    gl.generation = ++generations;
    gl.hidden = hidden;
    gl.leftShift = gl.rightShift = gl.leftControl = gl.rightControl = gl.leftAlt = gl.rightAlt = 0;
    gl.timing = false;
    gl.lastDrawCalls = 0;
    if (!CreateDeviceObjects()) {
        Shutdown();
        return nullptr;
    }
    SetWindowIcon(settings->iconResource);
    SDL_ShowCursor(SDL_ENABLE);
    return gl.window;
}

void Shutdown()
{
    if (gl.context) {
        SDL_GL_MakeCurrent(gl.window, gl.context);
        if (gl.generation)
            DestroyDeviceObjects();
        SDL_GL_DeleteContext(gl.context);
    }
    if (gl.window)
        SDL_DestroyWindow(gl.window);
    gl.context = nullptr;
    gl.window = nullptr;
    gl.generation = 0;
    gl.inFrame = false;
    gl.batch.vertices.clear();
    gl.batch.program = nullptr;
    gl.batch.slotCount = 0;
}

// ---- Events ------------------------------------------------------------------------------------------------

int VirtualKeyFor(SDL_Keycode key)
{
    if (key >= SDLK_a && key <= SDLK_z)
        return 0x41 + int(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9)
        return 0x30 + int(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12)
        return 0x70 + int(key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9)
        return 0x61 + int(key - SDLK_KP_1);
    switch (key) {
    case SDLK_BACKSPACE:
        return PXL_KEY_BACK;
    case SDLK_TAB:
        return PXL_KEY_TAB;
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        return PXL_KEY_RETURN;
    case SDLK_PAUSE:
        return 0x13;
    case SDLK_CAPSLOCK:
        return 0x14;
    case SDLK_ESCAPE:
        return PXL_KEY_ESCAPE;
    case SDLK_SPACE:
        return PXL_KEY_SPACE;
    case SDLK_PAGEUP:
        return 0x21;
    case SDLK_PAGEDOWN:
        return 0x22;
    case SDLK_END:
        return 0x23;
    case SDLK_HOME:
        return 0x24;
    case SDLK_LEFT:
        return PXL_KEY_LEFT;
    case SDLK_UP:
        return PXL_KEY_UP;
    case SDLK_RIGHT:
        return PXL_KEY_RIGHT;
    case SDLK_DOWN:
        return PXL_KEY_DOWN;
    case SDLK_PRINTSCREEN:
        return 0x2C;
    case SDLK_INSERT:
        return 0x2D;
    case SDLK_DELETE:
        return PXL_KEY_DELETE;
    case SDLK_KP_0:
        return 0x60;
    case SDLK_KP_MULTIPLY:
        return 0x6A;
    case SDLK_KP_PLUS:
        return 0x6B;
    case SDLK_KP_MINUS:
        return 0x6D;
    case SDLK_KP_PERIOD:
        return 0x6E;
    case SDLK_KP_DIVIDE:
        return 0x6F;
    case SDLK_NUMLOCKCLEAR:
        return 0x90;
    case SDLK_SCROLLLOCK:
        return 0x91;
    case SDLK_SEMICOLON:
        return 0xBA;
    case SDLK_EQUALS:
        return 0xBB;
    case SDLK_COMMA:
        return 0xBC;
    case SDLK_MINUS:
        return 0xBD;
    case SDLK_PERIOD:
        return 0xBE;
    case SDLK_SLASH:
        return 0xBF;
    case SDLK_BACKQUOTE:
        return 0xC0;
    case SDLK_LEFTBRACKET:
        return 0xDB;
    case SDLK_BACKSLASH:
        return 0xDC;
    case SDLK_RIGHTBRACKET:
        return 0xDD;
    case SDLK_QUOTE:
        return 0xDE;
    default:
        return 0;
    }
}

// Shift, Control and Alt have a left, a right and a combined code; the combined one is held while either is.
bool ReportModifier(SDL_Keycode key, bool down)
{
    struct Pair {
        SDL_Keycode left, right;
        int* leftHeld;
        int* rightHeld;
        int either, leftCode, rightCode;
    };
    const Pair pairs[] = {
        {SDLK_LSHIFT, SDLK_RSHIFT, &gl.leftShift, &gl.rightShift, PXL_KEY_SHIFT, 0xA0, 0xA1},
        {SDLK_LCTRL, SDLK_RCTRL, &gl.leftControl, &gl.rightControl, PXL_KEY_CONTROL, 0xA2, 0xA3},
        {SDLK_LALT, SDLK_RALT, &gl.leftAlt, &gl.rightAlt, PXL_KEY_MENU, 0xA4, 0xA5},
    };
    for (const Pair& pair : pairs) {
        if (key != pair.left && key != pair.right)
            continue;
        bool left = key == pair.left;
        bool before = *pair.leftHeld || *pair.rightHeld;
        *(left ? pair.leftHeld : pair.rightHeld) = down;
        bool after = *pair.leftHeld || *pair.rightHeld;
        PxlCoreKeyEvent(left ? pair.leftCode : pair.rightCode, down);
        if (before != after)
            PxlCoreKeyEvent(pair.either, after);
        return true;
    }
    return false;
}

int VirtualButtonFor(Uint8 button)
{
    switch (button) {
    case SDL_BUTTON_LEFT:
        return PXL_KEY_LBUTTON;
    case SDL_BUTTON_RIGHT:
        return PXL_KEY_RBUTTON;
    case SDL_BUTTON_MIDDLE:
        return PXL_KEY_MBUTTON;
    case SDL_BUTTON_X1:
        return 0x05;
    case SDL_BUTTON_X2:
        return 0x06;
    default:
        return 0;
    }
}

void HandleEvent(const SDL_Event& event)
{
    switch (event.type) {
    case SDL_QUIT:
        PxlCoreWindowClosed();
        break;
    case SDL_WINDOWEVENT:
        switch (event.window.event) {
        case SDL_WINDOWEVENT_CLOSE:
            PxlCoreWindowClosed();
            break;
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            PxlCoreFocusChanged(true);
            break;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            PxlCoreFocusChanged(false);
            break;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            PxlCoreWindowResized(event.window.data1, event.window.data2);
            break;
        default:
            break;
        }
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        if (event.key.repeat)
            break;
        bool down = event.type == SDL_KEYDOWN;
        if (ReportModifier(event.key.keysym.sym, down))
            break;
        if (int key = VirtualKeyFor(event.key.keysym.sym))
            PxlCoreKeyEvent(key, down);
        break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        PxlCoreMouseMoved(float(event.button.x), float(event.button.y));
        if (int key = VirtualButtonFor(event.button.button))
            PxlCoreKeyEvent(key, event.type == SDL_MOUSEBUTTONDOWN);
        break;
    case SDL_MOUSEMOTION:
        PxlCoreMouseMoved(float(event.motion.x), float(event.motion.y));
        break;
    default:
        break;
    }
}

void PumpEvents(bool scripted)
{
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (!scripted)
            HandleEvent(event);
    }
}

double FrameControl(double period)
{
    const double frequency = double(SDL_GetPerformanceFrequency());
    uint64_t now = SDL_GetPerformanceCounter();
    if (!gl.timing) {
        gl.timing = true;
        gl.lastTick = now;
        gl.nextDeadline = now + uint64_t(period * frequency);
        return period > 0 ? period : 0;
    }
    if (period > 0) {
        if (now < gl.nextDeadline) {
            // Sleep most of the wait, then spin the last millisecond: sleeps overshoot.
            double remaining = double(gl.nextDeadline - now) / frequency;
            if (remaining > 0.002)
                SDL_Delay(Uint32((remaining - 0.001) * 1000.0));
            while ((now = SDL_GetPerformanceCounter()) < gl.nextDeadline) {
            }
        }
        gl.nextDeadline += uint64_t(period * frequency);
        if (gl.nextDeadline < now) // fell behind: start afresh instead of rushing to catch up
            gl.nextDeadline = now + uint64_t(period * frequency);
    } else {
        gl.nextDeadline = now;
    }
    double measured = double(now - gl.lastTick) / frequency;
    gl.lastTick = now;
    return measured;
}

SDL_Rect DisplayBounds()
{
    SDL_Rect bounds{0, 0, 1920, 1080};
    int display = gl.window ? SDL_GetWindowDisplayIndex(gl.window) : 0;
    SDL_GetDisplayBounds(display < 0 ? 0 : display, &bounds);
    return bounds;
}

void SetWindowSize(int width, int height)
{
    if (!gl.window)
        return;
    // The window keeps its centre (the shrink at start-up and the way back from full screen both end in
    // the middle of the monitor), but its top stays on the monitor so the title bar can be reached.
    int x = 0, y = 0, oldWidth = 0, oldHeight = 0;
    SDL_GetWindowPosition(gl.window, &x, &y);
    SDL_GetWindowSize(gl.window, &oldWidth, &oldHeight);
    SDL_Rect bounds = DisplayBounds();
    x = std::max(bounds.x, x + (oldWidth - width) / 2);
    y = std::max(bounds.y, y + (oldHeight - height) / 2);
    SDL_SetWindowSize(gl.window, width, height);
    SDL_SetWindowPosition(gl.window, x, y);
}

void SetWindowSizeAndPosition(int width, int height, int x, int y)
{
    if (!gl.window)
        return;
    SDL_Rect bounds = DisplayBounds();
    SDL_SetWindowSize(gl.window, width, height);
    SDL_SetWindowPosition(gl.window, bounds.x + x, bounds.y + y);
}

void SetWindowStyle(uint32_t style)
{
    if (!gl.window)
        return;
    bool borderless = (style & PXL_STYLE_BORDERLESS) != 0;
    SDL_SetWindowBordered(gl.window, borderless ? SDL_FALSE : SDL_TRUE);
}

PXL_Vec2 MonitorSize()
{
    SDL_DisplayMode mode;
    int display = gl.window ? SDL_GetWindowDisplayIndex(gl.window) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0)
        return {1920, 1080};
    return {float(mode.w), float(mode.h)};
}

void ShowCursor(bool show)
{
    SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

const PxlBackend kSdlGl = {
    "sdl-gl",
    Init,
    Shutdown,
    PumpEvents,
    FrameControl,
    SetWindowSize,
    SetWindowSizeAndPosition,
    SetWindowStyle,
    MonitorSize,
    ShowCursor,
    CreateTexture,
    DestroyTexture,
    CreateShader,
    DestroyShader,
    BeginFrame,
    DrawMesh,
    EndFrame,
    LastFrameDrawCalls,
    ReadFramePixels,
};

} // namespace

const PxlBackend* PxlSdlGlBackend()
{
    return &kSdlGl;
}

#if defined(__SANITIZE_ADDRESS__)
// SDL keeps its D-Bus connection (screensaver, input methods) for the life of the process since video stays
// started, and libdbus frees part of it only in dbus_shutdown. Built in, so that the game and the simulator
// run clean under the sanitizers too, not only the tests with their suppression file.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options()
{
    return "print_suppressions=0";
}
#endif
