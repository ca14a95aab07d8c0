#include "platform/pxl_gl.h"

#include "platform/pxl_gl_batch.h"
#include "platform/pxl_gl_debug.h"

#include <algorithm>
#include <cstdio>
#include <epoxy/gl.h>
#include <map>
#include <vector>

namespace {

// The version line every shader starts with. A WebGL 2 build puts "#version 300 es" and its precision lines
// ("precision highp float;", "precision highp int;") here instead; nothing else changes.
constexpr const char* GlslVersion = "#version 330 core\n";

constexpr const char* GlslPrelude =
#include "pxl_gl_prelude.inc"
    ;

constexpr const char* BuiltinVertex = R"(
void main()
{
    PassVertexOn();
}
)";

// Untextured: the vertex colour plus the tint, at the draw's alpha.
constexpr const char* UntexturedPixel = R"(
void main()
{
    o_colour = v_color;
}
)";

// Textured: the tint is added to the texture's colour (a black picture takes the tint's colour); only the
// texture's alpha and the draw's alpha make it transparent.
constexpr const char* TexturedPixel = R"(
void main()
{
    vec4 texel = SampleFrame();
    o_colour = vec4(clamp(texel.rgb + v_color.rgb, 0.0, 1.0), texel.a * v_color.a);
}
)";

// Handles given to the core (textures and shaders): the GL name, and the generation that tells whether it
// belongs to the current GL context.
struct GlObject {
    GLuint id;
    uint64_t generation;
    int width = 0; // a texture's size; 0 for a shader
    int height = 0;
};

// A freed texture's storage, kept for the next texture of its size: a canvas the game rebuilds every frame it
// changes then has its pixels replaced in place rather than a new GL texture made and deleted each time.
struct SpareTexture {
    GLuint id;
    int width;
    int height;
};
// Only small textures are kept, and few: the storage of big pictures goes back to the driver at once.
constexpr int MaxSpareTextureSide = 512;
constexpr size_t MaxSpareTextures = 4;

struct FrameTarget {
    GLuint framebuffer = 0;
    GLuint colour = 0;
};

struct Gl {
    uint64_t generation = 0; // 0 while no context is open
    uint64_t generations = 0;

    GLuint samplers[6] = {}; // [point, linear, smooth][clamp]
    GlObject* builtinVertex = nullptr;
    GlObject* untexturedPixel = nullptr;
    GlObject* texturedPixel = nullptr;
    std::map<std::pair<GLuint, GLuint>, GlProgram> programs;

    FrameTarget targets[2];
    int targetWidth = 0;
    int targetHeight = 0;
    int drawing = 0;
    int finished = -1;
    bool inFrame = false;
    int lastDrawCalls = 0;

    std::vector<SpareTexture> spareTextures; // oldest first
    int texturesMade = 0;
};

Gl gl;

bool ContextReady(uint64_t generation)
{
    return gl.generation != 0 && generation == gl.generation;
}

// ---- Shaders and programs ----------------------------------------------------------------------------------

GLuint Compile(GLenum stage, const std::string& source, const std::string& name)
{
    // The shader's own text keeps its own line numbers in the compiler's messages.
    const char* stageLine = stage == GL_VERTEX_SHADER ? "#define PXL_VERTEX_STAGE\n" : "#define PXL_PIXEL_STAGE\n";
    const char* parts[] = {GlslVersion, stageLine, GlslPrelude, "\n#line 1\n", source.c_str()};
    GLuint shader = glCreateShader(stage);
    glShaderSource(shader, GLsizei(std::size(parts)), parts, nullptr);
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

GlObject* MakeShader(GLenum stage, const std::string& source, const std::string& name)
{
    GLuint id = Compile(stage, source, name);
    return id ? new GlObject{id, gl.generation} : nullptr;
}

const GlProgram* ProgramFor(GLuint vertex, GLuint pixel)
{
    auto found = gl.programs.find({vertex, pixel});
    if (found != gl.programs.end())
        return found->second.id ? &found->second : nullptr;
    GlProgram& program = gl.programs[{vertex, pixel}];
    GLuint id = glCreateProgram();
    glAttachShader(id, vertex);
    glAttachShader(id, pixel);
    GlBatchBindInputs(id);
    glLinkProgram(id);
    GLint ok = 0;
    glGetProgramiv(id, GL_LINK_STATUS, &ok);
    if (!ok) {
        char log[2048] = {};
        glGetProgramInfoLog(id, sizeof log - 1, nullptr, log);
        std::fprintf(stderr, "PXL: shader pair does not link; drawing with the built-in pair instead:\n%s\n", log);
        glDeleteProgram(id);
        return nullptr; // remembered as failed, so the message comes once
    }
    program.id = id;
    glUseProgram(id);
    for (int slot = 0; slot < GlTextureSlots; ++slot) {
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
            GlBatchRetireProgram(it->second);
            if (it->second.id)
                glDeleteProgram(it->second.id);
            it = gl.programs.erase(it);
        } else {
            ++it;
        }
    }
}

GLuint PixelStageFor(const PxlDrawState& state, bool& textured)
{
    textured = true;
    if (state.pixelShader == PXL_PIXEL_SHADER_CUSTOM && state.customPixel &&
        ContextReady(((GlObject*)state.customPixel->native)->generation))
        return ((GlObject*)state.customPixel->native)->id;
    if (state.pixelShader == PXL_PIXEL_SHADER_TEXTURED || state.pixelShader == PXL_PIXEL_SHADER_CUSTOM)
        return gl.texturedPixel->id;
    textured = false;
    return gl.untexturedPixel->id;
}

GLuint VertexStageFor(const PxlDrawState& state)
{
    if (state.vertexShader == PXL_VERTEX_SHADER_CUSTOM && state.customVertex &&
        ContextReady(((GlObject*)state.customVertex->native)->generation))
        return ((GlObject*)state.customVertex->native)->id;
    return gl.builtinVertex->id;
}

// The sampler object for the draw's filter and address mode (CreateSamplers' order).
GLuint SamplerFor(const PxlDrawState& state)
{
    int filter = state.filter == PXL_FILTER_SMOOTH ? 2 : (state.filter == PXL_FILTER_LINEAR ? 1 : 0);
    return gl.samplers[filter * 2 + (state.address == PXL_ADDRESS_CLAMP ? 1 : 0)];
}

void CreateSamplers()
{
    glGenSamplers(6, gl.samplers);
    const GLint minifying[3] = {GL_NEAREST, GL_LINEAR, GL_LINEAR_MIPMAP_LINEAR};
    const GLint magnifying[3] = {GL_NEAREST, GL_LINEAR, GL_LINEAR};
    for (int filter = 0; filter < 3; ++filter) {
        for (int clamp = 0; clamp < 2; ++clamp) {
            GLuint sampler = gl.samplers[filter * 2 + clamp];
            GLint wrap = clamp ? GL_CLAMP_TO_EDGE : GL_REPEAT;
            glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER, minifying[filter]);
            glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER, magnifying[filter]);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, wrap);
            glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, wrap);
        }
    }
}

// Frees the handle, and its GL object when that belongs to the current context.
template <typename Free> void DestroyObject(uintptr_t native, Free free)
{
    auto* object = (GlObject*)native;
    if (!object)
        return;
    if (ContextReady(object->generation))
        free(object->id);
    delete object;
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

} // namespace

// ---- Context -----------------------------------------------------------------------------------------------

bool PxlGlContextSupported()
{
    return epoxy_gl_version() >= 33;
}

bool PxlGlOpen()
{
    gl.generation = ++gl.generations;
    gl.lastDrawCalls = 0;
    PxlGlStartDebugOutput();
    gl.builtinVertex = MakeShader(GL_VERTEX_SHADER, BuiltinVertex, "built-in vertex");
    gl.untexturedPixel = MakeShader(GL_FRAGMENT_SHADER, UntexturedPixel, "built-in untextured");
    gl.texturedPixel = MakeShader(GL_FRAGMENT_SHADER, TexturedPixel, "built-in textured");
    if (!gl.builtinVertex || !gl.untexturedPixel || !gl.texturedPixel)
        return false;
    GlBatchCreate();
    CreateSamplers();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    return true;
}

void PxlGlClose()
{
    if (gl.generation) {
        for (auto& [stages, program] : gl.programs) {
            if (program.id)
                glDeleteProgram(program.id);
        }
        gl.programs.clear();
        for (GlObject** shader : {&gl.builtinVertex, &gl.untexturedPixel, &gl.texturedPixel}) {
            if (*shader)
                glDeleteShader((*shader)->id);
            delete *shader;
            *shader = nullptr;
        }
        DeleteTargets();
        if (gl.samplers[0])
            glDeleteSamplers(6, gl.samplers);
        std::fill(std::begin(gl.samplers), std::end(gl.samplers), 0);
        GlBatchDestroy();
        for (const SpareTexture& spare : gl.spareTextures)
            glDeleteTextures(1, &spare.id);
    }
    gl.spareTextures.clear();
    gl.generation = 0;
    gl.inFrame = false;
    GlBatchDrop();
}

bool PxlGlIsOpen()
{
    return gl.generation != 0;
}

// ---- Frames ------------------------------------------------------------------------------------------------

void PxlGlBeginFrame(const PXL_Color& background, int width, int height)
{
    if (!gl.generation)
        return;
    EnsureTargets(width, height);
    gl.drawing = gl.finished == 0 ? 1 : 0;
    glBindFramebuffer(GL_FRAMEBUFFER, gl.targets[gl.drawing].framebuffer);
    glViewport(0, 0, width, height);
    glClearColor(background.r, background.g, background.b, background.a);
    glClear(GL_COLOR_BUFFER_BIT);
    GlBatchBegin(width, height);
    gl.inFrame = true;
}

void PxlGlDrawMesh(const PXL_MeshData& mesh, const PxlDrawState& state)
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
        auto* handle = (GlObject*)state.texture->native;
        if (!ContextReady(handle->generation))
            return;
        texture = handle->id;
    }
    const GlProgram* program = ProgramFor(VertexStageFor(state), pixel);
    // A custom pair that does not link falls back to the built-in pair, as a shader that does not compile does.
    if (!program)
        program = ProgramFor(gl.builtinVertex->id, textured ? gl.texturedPixel->id : gl.untexturedPixel->id);
    if (!program || (textured && program->slots == 0))
        return;
    GlBatchAdd(*program, state.blend != PXL_BLEND_OPAQUE, texture, textured ? SamplerFor(state) : 0, mesh, state);
}

bool PxlGlFinishFrame()
{
    if (!gl.inFrame)
        return false;
    GlBatchFlush();
    gl.inFrame = false;
    gl.lastDrawCalls = GlBatchDrawCalls();
    gl.finished = gl.drawing;
    PxlGlCheckErrors("the frame");
    return true;
}

void PxlGlPresent(int drawableWidth, int drawableHeight)
{
    if (gl.finished < 0)
        return;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, gl.targets[gl.finished].framebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    bool sameSize = drawableWidth == gl.targetWidth && drawableHeight == gl.targetHeight;
    glBlitFramebuffer(0, 0, gl.targetWidth, gl.targetHeight, 0, 0, drawableWidth, drawableHeight, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
}

int PxlGlLastFrameDrawCalls()
{
    return gl.lastDrawCalls;
}

bool PxlGlReadFramePixels(std::vector<uint8_t>& rgba, int& width, int& height)
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

uintptr_t PxlGlCreateTexture(const uint8_t* rgba, int width, int height)
{
    if (!gl.generation)
        return 0;
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    auto spare = std::find_if(gl.spareTextures.begin(), gl.spareTextures.end(), [&](const SpareTexture& texture) {
        return texture.width == width && texture.height == height;
    });
    if (spare != gl.spareTextures.end()) {
        GLuint id = spare->id;
        gl.spareTextures.erase(spare);
        glBindTexture(GL_TEXTURE_2D, id);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
        glGenerateMipmap(GL_TEXTURE_2D);
        return uintptr_t(new GlObject{id, gl.generation, width, height});
    }
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
    // Every picture has its mipmaps, for the draws that ask for smooth filtering; the others read level 0.
    glGenerateMipmap(GL_TEXTURE_2D);
    ++gl.texturesMade;
    return uintptr_t(new GlObject{id, gl.generation, width, height});
}

void PxlGlDestroyTexture(uintptr_t native)
{
    auto* texture = (GlObject*)native;
    if (!texture)
        return;
    if (ContextReady(texture->generation)) {
        // Draws still queued with it go out first, so they show the pixels it has now.
        GlBatchRetireTexture(texture->id);
        if (texture->width <= MaxSpareTextureSide && texture->height <= MaxSpareTextureSide) {
            gl.spareTextures.push_back({texture->id, texture->width, texture->height});
            if (gl.spareTextures.size() > MaxSpareTextures) {
                glDeleteTextures(1, &gl.spareTextures.front().id);
                gl.spareTextures.erase(gl.spareTextures.begin());
            }
        } else {
            glDeleteTextures(1, &texture->id);
        }
    }
    delete texture;
}

int PxlGlTexturesMade()
{
    return gl.texturesMade;
}

uintptr_t PxlGlCreateShader(PxlShaderStage stage, const std::string& source, const std::string& path)
{
    if (!gl.generation) {
        std::fprintf(stderr, "PXL: shader \"%s\" needs an open window\n", path.c_str());
        return 0;
    }
    return uintptr_t(MakeShader(stage == PxlShaderStage::Vertex ? GL_VERTEX_SHADER : GL_FRAGMENT_SHADER, source, path));
}

void PxlGlDestroyShader(uintptr_t native)
{
    DestroyObject(native, [](GLuint id) {
        ForgetProgramsUsing(id);
        glDeleteShader(id);
    });
}
