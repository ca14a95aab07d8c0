#version 330 core
// Green-screen phosphor: strokes take the tint's colour (added to the texture's, as everywhere), burn a
// little brighter at their core, bleed a soft halo of the same colour into their surroundings, and the whole
// picture is crossed by faint scanlines. The colour stays the tint's, so green text, red digits and the wave
// picture all keep theirs.
in vec2 v_uv;
in vec4 v_color;
in vec4 v_tint;
flat in vec4 v_frame; // the texture rectangle of this draw; samples stay inside it

uniform sampler2D u_texture;
uniform vec2 u_viewport; // window size in pixels

out vec4 o_colour;

const vec2 kTaps[8] = vec2[](vec2(1.0, 0.0), vec2(-1.0, 0.0), vec2(0.0, 1.0), vec2(0.0, -1.0),
                             vec2(0.707, 0.707), vec2(-0.707, 0.707), vec2(0.707, -0.707), vec2(-0.707, -0.707));

vec2 frameLow;
vec2 frameHigh;

float CoverageAt(vec2 uv)
{
    return texture(u_texture, clamp(uv, frameLow, frameHigh)).a;
}

void main()
{
    vec2 halfTexel = 0.5 / vec2(textureSize(u_texture, 0));
    frameLow = v_frame.xy + halfTexel;
    frameHigh = max(frameLow, v_frame.zw - halfTexel);
    vec4 texel = texture(u_texture, clamp(v_uv, frameLow, frameHigh));

    // The halo is measured in screen pixels, whatever the picture's resolution and the zoom.
    vec2 uvPerPixel = abs(dFdx(v_uv)) + abs(dFdy(v_uv));
    float halo = 0.0;
    for (int i = 0; i < 8; ++i) {
        halo += CoverageAt(v_uv + kTaps[i] * uvPerPixel * 2.0);
        halo += 0.6 * CoverageAt(v_uv + kTaps[i] * uvPerPixel * 4.5);
        halo += 0.35 * CoverageAt(v_uv + kTaps[i] * uvPerPixel * 7.0);
    }
    halo /= 8.0 * (1.0 + 0.6 + 0.35);

    vec3 phosphor = clamp(texel.rgb + v_color.rgb + v_tint.rgb, 0.0, 1.0);
    float coverage = max(texel.a, 0.6 * halo);
    vec3 colour = phosphor * (0.82 + 0.3 * texel.a);

    // Every third row of pixels is a little darker.
    float scanline = mod(floor(gl_FragCoord.y), 3.0) < 1.0 ? 0.8 : 1.0;
    float vignette = 1.0;
    if (u_viewport.x > 0.0) {
        vec2 centred = gl_FragCoord.xy / u_viewport - 0.5;
        vignette = 1.0 - 0.18 * dot(centred, centred);
    }

    o_colour = vec4(clamp(colour * scanline * vignette, 0.0, 1.0), coverage * v_color.a * v_tint.a);
}
