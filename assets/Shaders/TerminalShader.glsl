// Green-screen phosphor. Strokes take the tint's colour (added to the texture's, as everywhere) and burn a
// little brighter where they are solid than at their soft edges; the picture is crossed by faint scanlines
// and darkens slightly towards the corners of the window. The hue stays the tint's, so green text, red
// digits and the wave picture all keep theirs. The glow around text is the game's own backdrop picture,
// drawn with this shader under each glyph. The layer puts its shader prelude (platform/pxl_gl_prelude.glsl:
// version line, inputs, o_colour, SampleFrame) in front of this.

uniform vec2 u_viewport; // window size in pixels

void main()
{
    vec4 texel = SampleFrame();

    vec3 phosphor = clamp(texel.rgb + v_color.rgb, 0.0, 1.0);
    vec3 colour = phosphor * (0.8 + 0.3 * texel.a * texel.a);

    // Every third row of pixels is a little darker.
    float scanline = mod(floor(gl_FragCoord.y), 3.0) < 1.0 ? 0.78 : 1.0;
    float vignette = 1.0;
    if (u_viewport.x > 0.0) {
        vec2 centred = gl_FragCoord.xy / u_viewport - 0.5;
        vignette = 1.0 - 0.2 * dot(centred, centred);
    }

    o_colour = vec4(clamp(colour * scanline * vignette, 0.0, 1.0), texel.a * v_color.a);
}
