#include "ShadedDrawing.h"

#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>

namespace vekinfo {

namespace {

// GLSL 1.30 runs on the off-screen context's OpenGL 3.0 and everything above it.
const char* const kVertexShader =
    "#version 130\n"
    "in vec2 position;\n"
    "in vec3 colour;\n"
    "out vec3 shade;\n"
    "void main() { shade = colour; gl_Position = vec4(position, 0.0, 1.0); }\n";
const char* const kFragmentShader =
    "#version 130\n"
    "uniform float brightness;\n"
    "in vec3 shade;\n"
    "out vec4 fragment;\n"
    "void main() { fragment = vec4(shade * brightness, 1.0); }\n";

}  // namespace

void DrawShadedTriangle() {
    using VEK::OGL::Program;
    using VEK::OGL::VertexBuffer;
    Program program;
    const char* vertex[] = {kVertexShader};
    const char* fragment[] = {kFragmentShader};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    program.setAttributeLocation(0, "position");
    program.setAttributeLocation(1, "colour");
    program.link(true);

    const float positions[] = {-1.f, -1.f, 1.f, -1.f, 0.f, 1.f};
    const float colours[] = {1.f, 0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f};
    VertexBuffer triangle(
        {VertexBuffer::Field("position", VertexBuffer::kFloat2, VertexBuffer::kStaticDraw),
         VertexBuffer::Field("colour", VertexBuffer::kFloat3, VertexBuffer::kStaticDraw)},
        3, VertexBuffer::kTriangles);
    triangle.setField("position", reinterpret_cast<const unsigned char*>(positions),
                      sizeof(positions), false, 0);
    triangle.setField("colour", reinterpret_cast<const unsigned char*>(colours), sizeof(colours),
                      false, 0);
    triangle.setupWithProgram(&program);
    triangle.marshallData();

    program.enable();
    program.setUniform("brightness", 1.f);
    triangle.drawPrimitives(3);
    program.disable();
}

}  // namespace vekinfo
