// Vertex stage of the terminal look. The graphics layer has already placed each vertex (transform and camera)
// and added the sprite frame's offset to its texture coordinate, so this passes everything on. The layer puts
// its shader prelude (platform/pxl_gl_prelude.glsl: version line, inputs, PassVertexOn) in front of this.
void main()
{
    PassVertexOn();
}
