// The prelude of every shader the graphics layer compiles: the built-in ones and assets/Shaders/*.glsl alike.
// The layer puts the GLSL version line first (one switch in pxl_gl.cpp: desktop GL 3.3 core here, GLSL ES 3.00
// with its precision lines for WebGL 2), then "#define PXL_VERTEX_STAGE" or "#define PXL_PIXEL_STAGE", then
// this file, then the shader's own text, so a shader file starts with no #version line of its own.
//
// Every vertex comes from the layer's batcher (pxl_gl_batch.cpp) already placed: transform and camera applied,
// the sprite frame's offset added to its texture coordinate. Each draw may sample one of up to four textures
// of its batch (glowing text alternates its glyph sheet and the glow backdrop); the vertex says which.

#ifdef PXL_VERTEX_STAGE

layout(location = 0) in vec2 a_position; // clip space
layout(location = 1) in vec2 a_uv;
layout(location = 2) in vec4 a_color; // rgb: the mesh's vertex colour plus the draw's tint; a: times the draw's alpha
layout(location = 3) in vec4 a_frame; // the texture rectangle the draw covers: min uv, max uv
layout(location = 4) in uint a_slot;  // which of u_textures[4] the draw samples

out vec2 v_uv;
out vec4 v_color;
flat out vec4 v_frame;
flat out int v_slot;

// Hands the vertex on as the batcher made it.
void PassVertexOn()
{
    gl_Position = vec4(a_position, 0.0, 1.0);
    v_uv = a_uv;
    v_color = a_color;
    v_frame = a_frame;
    v_slot = int(a_slot);
}

#else

in vec2 v_uv;
in vec4 v_color; // rgb: added to the texture's colour (the vertex colour plus the draw's tint); a: the draw's alpha
flat in vec4 v_frame; // the texture rectangle of this draw: sampling stays inside it
flat in int v_slot;   // which of the batch's textures this draw samples

uniform sampler2D u_textures[4];

out vec4 o_colour;

// Sampled at an explicit level of detail, which is defined in branches; only a sampler with mipmap filtering
// (PXL_FILTER_SMOOTH) reads past level 0.
vec4 SampleSlot(vec2 uv, float lod)
{
    vec4 texel;
    if (v_slot == 0)
        texel = textureLod(u_textures[0], uv, lod);
    else if (v_slot == 1)
        texel = textureLod(u_textures[1], uv, lod);
    else if (v_slot == 2)
        texel = textureLod(u_textures[2], uv, lod);
    else
        texel = textureLod(u_textures[3], uv, lod);
    return texel;
}

vec2 SlotSize()
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

// The draw's texture at v_uv, kept half a texel inside the draw's frame, so that under linear filtering a frame
// of a sheet never picks up the edge of its neighbour.
// Called first thing in a shader's main, where the derivatives that give the level of detail are defined.
vec4 SampleFrame()
{
    vec2 size = SlotSize();
    vec2 texelsAcross = dFdx(v_uv) * size;
    vec2 texelsDown = dFdy(v_uv) * size;
    float lod = max(0.0, 0.5 * log2(max(dot(texelsAcross, texelsAcross), dot(texelsDown, texelsDown))));
    vec2 halfTexel = 0.5 / size;
    vec2 low = v_frame.xy + halfTexel;
    vec2 high = max(low, v_frame.zw - halfTexel);
    return SampleSlot(clamp(v_uv, low, high), lod);
}

#endif
