#version 330 core
// Vertex stage of the terminal look. The layer has already placed each vertex (transform and camera) and
// added the sprite frame's offset to its texture coordinate, so this passes everything on.
layout(location = 0) in vec2 a_position; // clip space
layout(location = 1) in vec2 a_uv;
layout(location = 2) in vec4 a_color;    // the mesh's vertex colour
layout(location = 3) in vec4 a_tint;     // rgb: the draw's tint; a: the draw's alpha
layout(location = 4) in vec4 a_frame;    // the texture rectangle the draw covers: min uv, max uv
layout(location = 5) in float a_slot;    // which of u_textures[4] the draw samples

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
