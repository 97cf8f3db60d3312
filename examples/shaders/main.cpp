// Compiles a shader pair, links it, sets uniforms of several kinds, draws a vertex buffer into a
// framebuffer object of an off-screen context and checks the pixels.
#include <cstdio>
#include <sstream>
#include <string>

#include <vek/core/CoreLibrary.h>
#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLInterceptor.h>
#include <vek/vek_ogl/ogl/ContextOffscreen.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/Shader.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>

using namespace VEK::OGL;

namespace {

int gFailures = 0;

void Check(bool ok, const std::string& what) {
    std::printf("%s: %s\n", ok ? "ok  " : "FAIL", what.c_str());
    gFailures += ok ? 0 : 1;
}

const char* const kVertexSource = R"(#version 130
uniform mat4 transform;
in vec2 position;
in vec3 colour;
out vec3 shade;
void main() { shade = colour; gl_Position = transform * vec4(position, 0.0, 1.0); }
)";

const char* const kFragmentSource = R"(#version 130
uniform vec4 tint;
uniform bool invert;
in vec3 shade;
out vec4 fragment;
void main() {
    vec3 c = shade * tint.rgb;
    fragment = vec4(invert ? vec3(1.0) - c : c, 1.0);
}
)";

struct Pixel {
    int r, g, b;
};

Pixel Read(OpenGLInterceptor* gl, int x, int y) {
    GLubyte p[4] = {};
    gl->cgmReadPixels(__FILE__, __LINE__, x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
    return {p[0], p[1], p[2]};
}

bool Near(Pixel p, int r, int g, int b) {
    auto within = [](int a, int e) { return a >= e - 2 && a <= e + 2; };
    return within(p.r, r) && within(p.g, g) && within(p.b, b);
}

void Run() {
    DisplayDeviceKey display;
    Check(Context::DisplayDevice(0, display), "a display with a desktop");
    ContextOffscreen context(display);
    context.makeCurrent();
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();

    // A 64x64 colour target.
    GLuint framebuffer = 0, colour = 0;
    gl->cgmGenFramebuffers(__FILE__, __LINE__, 1, &framebuffer);
    gl->cgmGenRenderbuffers(__FILE__, __LINE__, 1, &colour);
    gl->cgmBindRenderbuffer(__FILE__, __LINE__, GL_RENDERBUFFER, colour);
    gl->cgmRenderbufferStorage(__FILE__, __LINE__, GL_RENDERBUFFER, GL_RGBA8, 64, 64);
    gl->cgmBindFramebuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, framebuffer);
    gl->cgmFramebufferRenderbuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0,
                                   GL_RENDERBUFFER, colour);
    gl->cgmViewport(__FILE__, __LINE__, 0, 0, 64, 64);
    gl->cgmClearColor(__FILE__, __LINE__, 0.f, 0.f, 0.f, 1.f);
    gl->cgmClear(__FILE__, __LINE__, GL_COLOR_BUFFER_BIT);

    {
        // A broken shader tells why.
        VertexShader broken;
        broken.load("#version 130\nvoid main() { gl_Position = nowhere; }\n");
        try {
            broken.compile(true);
            Check(false, "a broken shader does not compile");
        } catch (const VEK::InternalException& e) {
            Check(std::string(e.message()).rfind("Program Compile Error: \n", 0) == 0,
                  "a compile error carries the driver's log");
        }

        VertexShader vertex;
        vertex.load(kVertexSource);
        vertex.compile(true);
        FragmentShader fragment;
        fragment.load(kFragmentSource);
        fragment.compile(true);
        Program program;
        program.attach(&vertex);
        program.attach(&fragment);
        program.link(true);
        Check(program.isLinked(), "the pair links");

        // A white quad over the whole frame, moved by the transform onto the left half.
        const float corners[] = {-1, -1, 1, -1, -1, 1, 1, 1};
        const float white[] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1};
        VertexBuffer quad({{"position", VertexBuffer::kFloat2, VertexBuffer::kStaticDraw},
                           {"colour", VertexBuffer::kFloat3, VertexBuffer::kStaticDraw}},
                          4, VertexBuffer::kTriangleStrip);
        quad.setField("position", reinterpret_cast<const unsigned char*>(corners), sizeof(corners),
                      false, 0);
        quad.setField("colour", reinterpret_cast<const unsigned char*>(white), sizeof(white), false,
                      0);
        quad.setupWithProgram(&program);
        quad.marshallData();

        program.enable();
        const float leftHalf[16] = {0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -0.5f, 0, 0, 1};
        program.setUniformMatrix4("transform", leftHalf, false);
        program.setUniform("tint", 1.f, 0.5f, 0.f, 1.f);
        program.setUniform("invert", false);
        quad.drawPrimitives(4);
        Check(Near(Read(gl, 16, 32), 255, 128, 0), "the left half is white, tinted orange");
        Check(Near(Read(gl, 48, 32), 0, 0, 0), "the right half is untouched");

        const int invert = program.getUniformLocation("invert");
        program.setUniform(invert, true);
        quad.drawPrimitives(4);
        Check(Near(Read(gl, 16, 32), 0, 127, 255), "inverted by a bool set by location");
        program.disable();

        try {
            program.setUniform(invert, false);
            Check(false, "a checked setter needs its program current");
        } catch (const VEK::InternalException& e) {
            Check(std::string(e.message()) == "Program must be enabled to set uniform parameter",
                  "a checked setter needs its program current");
        }
    }

    gl->cgmBindFramebuffer(__FILE__, __LINE__, GL_FRAMEBUFFER, 0);
    gl->cgmDeleteFramebuffers(__FILE__, __LINE__, 1, &framebuffer);
    gl->cgmDeleteRenderbuffers(__FILE__, __LINE__, 1, &colour);
    ReleaseOGLContext();
}

}  // namespace

int main() {
    try {
        VEK::Core::AutoInitializer core;
        AutoInitializer ogl;
        Run();
    } catch (const VEK::ExceptionBase& e) {
        std::ostringstream text;
        text << e;
        std::printf("FAIL: %s\n", text.str().c_str());
        ++gFailures;
    }
    std::printf("%d failure(s)\n", gFailures);
    return gFailures == 0 ? 0 : 1;
}
