#version 330 core
// Green-screen phosphor. Strokes take the tint's colour (added to the texture's, as everywhere) and burn a
// little brighter where they are solid than at their soft edges; the picture is crossed by faint scanlines
// and darkens slightly towards the corners of the window. The hue stays the tint's, so green text, red
// digits and the wave picture all keep theirs. The glow around text is the game's own backdrop picture,
// drawn with this shader under each glyph.
in vec2 v_uv;
in vec4 v_color;
in vec4 v_tint;
flat in vec4 v_frame; // the texture rectangle of this draw: sampling stays inside it
flat in int v_slot;   // which of the batch's textures this draw samples

uniform sampler2D u_textures[4];
uniform vec2 u_viewport; // window size in pixels

out vec4 o_colour;

// Textures have no mipmaps: level 0 is what implicit sampling would take, and it is defined in branches.
vec4 SampleSlot(vec2 uv)
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

void main()
{
    vec2 halfTexel = 0.5 / SlotSize();
    vec2 low = v_frame.xy + halfTexel;
    vec2 high = max(low, v_frame.zw - halfTexel);
    vec4 texel = SampleSlot(clamp(v_uv, low, high));

    vec3 phosphor = clamp(texel.rgb + v_color.rgb + v_tint.rgb, 0.0, 1.0);
    vec3 colour = phosphor * (0.8 + 0.3 * texel.a * texel.a);

    // Every third row of pixels is a little darker.
    float scanline = mod(floor(gl_FragCoord.y), 3.0) < 1.0 ? 0.78 : 1.0;
    float vignette = 1.0;
    if (u_viewport.x > 0.0) {
        vec2 centred = gl_FragCoord.xy / u_viewport - 0.5;
        vignette = 1.0 - 0.2 * dot(centred, centred);
    }

    o_colour = vec4(clamp(colour * scanline * vignette, 0.0, 1.0), texel.a * v_color.a * v_tint.a);
}
