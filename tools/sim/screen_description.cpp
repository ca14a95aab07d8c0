#include "tools/sim/screen_description.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const char* const GlowBackdrop = "Fonts/TerminalTextBackground.png";

bool IsFontSheet(const std::string& file)
{
    return file.rfind("Fonts/", 0) == 0 && file != GlowBackdrop;
}

uint32_t GridCount(float extent)
{
    if (!(extent > 0.0f)) {
        return 1;
    }
    long count = std::lround(1.0f / extent);
    return count < 1 ? 1u : static_cast<uint32_t>(count);
}

// A quad of the record in window pixels: centre, size, rotation.
struct Placed {
    float x, y, width, height, rotation;
};

Placed Place(const PxlDrawRecord& draw, int windowWidth, int windowHeight)
{
    float zoom = std::fabs(draw.cameraZoom) < 1e-12f ? 1e-12f : draw.cameraZoom;
    Placed placed;
    placed.x = windowWidth * 0.5f + (draw.position.x - draw.cameraPosition.x) / zoom;
    placed.y = windowHeight * 0.5f - (draw.position.y - draw.cameraPosition.y) / zoom;
    placed.width = std::fabs(draw.scale.x / zoom);
    placed.height = std::fabs(draw.scale.y / zoom);
    placed.rotation = draw.rotation;
    return placed;
}

bool OnScreen(const Placed& placed, int windowWidth, int windowHeight)
{
    // The rotated quad's bounding box against the window.
    float c = std::fabs(std::cos(placed.rotation));
    float s = std::fabs(std::sin(placed.rotation));
    float halfW = (placed.width * c + placed.height * s) / 2.0f;
    float halfH = (placed.width * s + placed.height * c) / 2.0f;
    return placed.x + halfW > 0 && placed.x - halfW < windowWidth && placed.y + halfH > 0 &&
           placed.y - halfH < windowHeight;
}

bool Near(float a, float b, float tolerance)
{
    return std::fabs(a - b) <= tolerance;
}

bool SameColour(const PXL_Color& a, const PXL_Color& b)
{
    return Near(a.r, b.r, 1e-4f) && Near(a.g, b.g, 1e-4f) && Near(a.b, b.b, 1e-4f) && Near(a.a, b.a, 1e-4f);
}

// Whether a glyph carries on the run: the same font, size, colour and line, one pen step further on.
bool ContinuesRun(const ScreenText& run, const std::string& font, const Placed& glyph, const PXL_Color& tint,
                  float lastX)
{
    if (run.font != font || !Near(run.glyphWidth, glyph.width, 0.01f) || !Near(run.glyphHeight, glyph.height, 0.01f) ||
        !SameColour(run.tint, tint) || !Near(run.y, glyph.y, 0.5f)) {
        return false;
    }
    float step = glyph.x - lastX;
    if (run.text.size() > 1) {
        return Near(step, run.advance, 0.05f);
    }
    // Every font advances by between a half and four fifths of its glyph width.
    return step > 0.3f * glyph.width && step < 1.05f * glyph.width;
}

void AppendEscaped(std::string& out, const std::string& text)
{
    out += '"';
    for (unsigned char c : text) {
        switch (c) {
        case '"':
            out += "\\\"";
            break;
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            if (c < 0x20 || c >= 0x7f) {
                char code[8];
                std::snprintf(code, sizeof code, "\\u%04x", c);
                out += code;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    out += '"';
}

void AppendNumber(std::string& out, double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", std::isfinite(value) ? value : 0.0);
    out += text;
}

void AppendColour(std::string& out, const PXL_Color& colour)
{
    out += '[';
    AppendNumber(out, colour.r);
    out += ',';
    AppendNumber(out, colour.g);
    out += ',';
    AppendNumber(out, colour.b);
    out += ',';
    AppendNumber(out, colour.a);
    out += ']';
}

template <typename... Values> void AppendField(std::string& out, const char* name, Values... values)
{
    out += '"';
    out += name;
    out += "\":";
    if constexpr (sizeof...(values) == 1) {
        (AppendNumber(out, values), ...);
    } else {
        out += '[';
        bool first = true;
        ((out += first ? "" : ",", first = false, AppendNumber(out, values)), ...);
        out += ']';
    }
}

} // namespace

bool ScreenPicture::Contains(float px, float py) const
{
    // Into the picture's own axes; y is flipped on screen, so a counter-clockwise turn is undone clockwise.
    float dx = px - x;
    float dy = y - py;
    float c = std::cos(-rotation);
    float s = std::sin(-rotation);
    float u = dx * c - dy * s;
    float v = dx * s + dy * c;
    return std::fabs(u) <= width / 2.0f && std::fabs(v) <= height / 2.0f;
}

std::string AssetRelativePath(const std::string& path)
{
    size_t at = path.find("Assets/");
    if (at == std::string::npos) {
        return path;
    }
    return path.substr(at + 7);
}

ScreenDescription DescribeScreen(const std::vector<PxlDrawRecord>& draws, int windowWidth, int windowHeight,
                                 uint64_t frame)
{
    ScreenDescription screen;
    screen.frame = frame;
    screen.windowWidth = windowWidth;
    screen.windowHeight = windowHeight;
    float lastGlyphX = 0;
    bool runOpen = false; // the last glyph described may be carried on by the next
    PXL_Vec2 glowAt{0, 0};
    bool glowPending = false;
    for (size_t i = 0; i < draws.size(); ++i) {
        const PxlDrawRecord& draw = draws[i];
        // A draw in the untextured mode shows no picture, whatever texture was bound before it.
        bool textured = draw.pixelShader != 0 && draw.texture != nullptr;
        std::string file = textured ? AssetRelativePath(PxlTexturePath(draw.texture)) : std::string();
        Placed placed = Place(draw, windowWidth, windowHeight);
        if (file == GlowBackdrop) {
            glowAt = draw.position;
            glowPending = true;
            continue;
        }
        bool glow = glowPending && Near(glowAt.x, draw.position.x, 1e-3f) && Near(glowAt.y, draw.position.y, 1e-3f);
        glowPending = false;
        if (!(draw.alpha > 0.001f) || !OnScreen(placed, windowWidth, windowHeight)) {
            continue;
        }
        uint32_t columns = textured ? GridCount(draw.uvExtent.x) : 1;
        uint32_t rows = textured ? GridCount(draw.uvExtent.y) : 1;
        auto column = static_cast<uint32_t>(std::lround(draw.textureOffset.x * static_cast<float>(columns)));
        auto row = static_cast<uint32_t>(std::lround(draw.textureOffset.y * static_cast<float>(rows)));
        uint32_t frameIndex = textured ? row * columns + column : 0;

        if (IsFontSheet(file)) {
            char c = static_cast<char>(frameIndex + 32u);
            if (runOpen && !screen.texts.empty() &&
                ContinuesRun(screen.texts.back(), file, placed, draw.tint, lastGlyphX)) {
                ScreenText& run = screen.texts.back();
                if (run.text.size() == 1) {
                    run.advance = placed.x - run.x;
                }
                run.text += c;
                run.right = std::max(run.right, placed.x + placed.width / 2.0f);
                run.glow = run.glow || glow;
            } else {
                ScreenText run;
                run.font = file;
                run.text = std::string(1, c);
                run.x = placed.x;
                run.y = placed.y;
                run.left = placed.x - placed.width / 2.0f;
                run.right = placed.x + placed.width / 2.0f;
                run.top = placed.y - placed.height / 2.0f;
                run.bottom = placed.y + placed.height / 2.0f;
                run.glyphWidth = placed.width;
                run.glyphHeight = placed.height;
                run.advance = placed.width;
                run.tint = draw.tint;
                run.glow = glow;
                run.order = i;
                screen.texts.push_back(run);
            }
            lastGlyphX = placed.x;
            runOpen = true;
            continue;
        }
        runOpen = false;
        ScreenPicture picture;
        picture.file = file;
        picture.frame = frameIndex;
        picture.columns = columns;
        picture.rows = rows;
        picture.x = placed.x;
        picture.y = placed.y;
        picture.width = placed.width;
        picture.height = placed.height;
        picture.rotation = placed.rotation;
        picture.tint = draw.tint;
        picture.alpha = draw.alpha;
        picture.order = i;
        screen.pictures.push_back(picture);
    }
    return screen;
}

ScreenDescription DescribeLastFrame(uint64_t frame)
{
    PXL_Vec2 window = PXL_Window_GetSize();
    return DescribeScreen(PxlFrameDraws(), static_cast<int>(window.x), static_cast<int>(window.y), frame);
}

std::string ScreenDescriptionJson(const ScreenDescription& screen)
{
    std::string out = "{";
    AppendField(out, "frame", static_cast<double>(screen.frame));
    out += ',';
    AppendField(out, "window", static_cast<double>(screen.windowWidth), static_cast<double>(screen.windowHeight));
    out += ",\n\"texts\":[";
    for (size_t i = 0; i < screen.texts.size(); ++i) {
        const ScreenText& text = screen.texts[i];
        out += i == 0 ? "\n{" : ",\n{";
        out += "\"font\":";
        AppendEscaped(out, text.font);
        out += ",\"text\":";
        AppendEscaped(out, text.text);
        out += ',';
        AppendField(out, "position", text.x, text.y);
        out += ',';
        AppendField(out, "box", text.left, text.top, text.right, text.bottom);
        out += ',';
        AppendField(out, "glyph", text.glyphWidth, text.glyphHeight);
        out += ",\"tint\":";
        AppendColour(out, text.tint);
        out += text.glow ? ",\"glow\":true}" : ",\"glow\":false}";
    }
    out += "],\n\"pictures\":[";
    for (size_t i = 0; i < screen.pictures.size(); ++i) {
        const ScreenPicture& picture = screen.pictures[i];
        out += i == 0 ? "\n{" : ",\n{";
        out += "\"file\":";
        AppendEscaped(out, picture.file);
        out += ',';
        AppendField(out, "frame", static_cast<double>(picture.frame));
        out += ',';
        AppendField(out, "grid", static_cast<double>(picture.columns), static_cast<double>(picture.rows));
        out += ',';
        AppendField(out, "centre", picture.x, picture.y);
        out += ',';
        AppendField(out, "size", picture.width, picture.height);
        out += ',';
        AppendField(out, "rotation", picture.rotation);
        out += ",\"tint\":";
        AppendColour(out, picture.tint);
        out += ',';
        AppendField(out, "alpha", picture.alpha);
        out += '}';
    }
    out += "]}\n";
    return out;
}
