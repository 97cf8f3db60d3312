// Vertex buffers: the device side made with a program, and drawings
// read back as pixels on a core-profile 3.3 and a compatibility context.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <string>
#include <type_traits>
#include <vector>

#include <vek/core/exceptions/InternalException.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>

#include "support/GLLayer.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;
using VEKTest::RawGL;
using VB = VertexBuffer;

static_assert(!std::is_copy_constructible_v<VB> && !std::is_copy_assignable_v<VB>);
static_assert(std::is_nothrow_move_constructible_v<VB>);

namespace {

const char* const kVertex =
    "#version 330\n"
    "in vec2 position;\n"
    "in vec3 colour;\n"
    "out vec3 shade;\n"
    "void main() { shade = colour; gl_Position = vec4(position, 0.0, 1.0); }\n";
const char* const kFragment =
    "#version 330\n"
    "in vec3 shade;\n"
    "out vec4 fragment;\n"
    "void main() { fragment = vec4(shade, 1.0); }\n";

const unsigned char* Bytes(const float* data) {
    return reinterpret_cast<const unsigned char*>(data);
}

// Two quads as triangles: the left half of the frame red, the right half green.
struct Quads {
    std::vector<float> positions;
    std::vector<float> colours;
    Quads() {
        const float x[2][2] = {{-1.f, 0.f}, {0.f, 1.f}};
        const float rgb[2][3] = {{1.f, 0.f, 0.f}, {0.f, 1.f, 0.f}};
        for (int q = 0; q < 2; ++q) {
            const float corners[6][2] = {{x[q][0], -1.f}, {x[q][1], -1.f}, {x[q][1], 1.f},
                                         {x[q][0], -1.f}, {x[q][1], 1.f},  {x[q][0], 1.f}};
            for (const auto& c : corners) {
                positions.insert(positions.end(), c, c + 2);
                colours.insert(colours.end(), rgb[q], rgb[q] + 3);
            }
        }
    }
};

std::vector<VB::Field> PositionAndColour() {
    return {VB::Field("position", VB::kFloat2, VB::kStaticDraw),
            VB::Field("colour", VB::kFloat3, VB::kDynamicDraw)};
}

using Pixel = std::array<int, 4>;
const Pixel kRed{255, 0, 0, 255};
const Pixel kGreen{0, 255, 0, 255};
const Pixel kBlue{0, 0, 255, 255};
const Pixel kBlack{0, 0, 0, 255};

// A 64x64 framebuffer object, bound and cleared to black.
class Target {
public:
    Target() {
        const auto& gl = RawGL();
        gl.glGenFramebuffers(1, &framebuffer_);
        gl.glGenRenderbuffers(1, &colour_);
        gl.glBindRenderbuffer(GL_RENDERBUFFER, colour_);
        gl.glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, 64, 64);
        gl.glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
        gl.glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                     colour_);
        glViewport(0, 0, 64, 64);
        clear();
    }
    ~Target() {
        RawGL().glBindFramebuffer(GL_FRAMEBUFFER, 0);
        RawGL().glDeleteFramebuffers(1, &framebuffer_);
        RawGL().glDeleteRenderbuffers(1, &colour_);
    }
    void clear() {
        glClearColor(0.f, 0.f, 0.f, 1.f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    static Pixel at(int x, int y) {
        unsigned char p[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2], p[3]};
    }

private:
    GLuint framebuffer_ = 0;
    GLuint colour_ = 0;
};

// position at attribute 3 and colour at 0: the first field is not at location 0.
void LinkPositionColour(Program& program) {
    const char* vertex[] = {kVertex};
    const char* fragment[] = {kFragment};
    program.loadVertexShader(1, vertex, nullptr);
    program.loadFragmentShader(1, fragment, nullptr);
    program.setAttributeLocation(3, "position");
    program.setAttributeLocation(0, "colour");
    program.link(true);
}

class VertexBuffers : public ::testing::TestWithParam<bool> {
protected:
    VEKTest::GLLayer layer{GetParam()};
};

}  // namespace

TEST_P(VertexBuffers, TwoFieldsDrawnWithAProgram) {
    Target target;
    Program program;
    LinkPositionColour(program);
    const Quads quads;
    VB vb(PositionAndColour(), 12, VB::kTriangles);
    vb.setField("position", Bytes(quads.positions.data()), false, 0);
    vb.setField("colour", Bytes(quads.colours.data()), false, 0);
    vb.setupWithProgram(&program);
    EXPECT_EQ(vb.fields()[0].resolvedSlot(), 3);
    EXPECT_EQ(vb.fields()[1].resolvedSlot(), 0);
    vb.marshallData();
    GLint binding = -1;
    glGetIntegerv(GL_VERTEX_ARRAY_BINDING, &binding);
    EXPECT_EQ(binding, 0);

    program.enable();
    vb.drawPrimitives(1000);  // as many as there are
    EXPECT_EQ(Target::at(16, 32), kRed);
    EXPECT_EQ(Target::at(48, 32), kGreen);

    target.clear();
    {
        VEKTest::RecordingDecorator recorder;
        vb.drawPrimitives(6);  // the left quad only
        EXPECT_EQ(recorder.entryPoints(), (std::vector<std::string>{"glBindVertexArray", "glDrawArrays",
                                                              "glBindVertexArray"}));
    }
    EXPECT_EQ(Target::at(16, 32), kRed);
    EXPECT_EQ(Target::at(48, 32), kBlack);

    // New host data reaches the picture after marshallData.
    std::vector<float> blue(36, 0.f);
    for (std::size_t i = 2; i < blue.size(); i += 3) {
        blue[i] = 1.f;
    }
    vb.setField(1, Bytes(blue.data()), 0);
    vb.marshallData();
    vb.drawPrimitives(12);
    EXPECT_EQ(Target::at(16, 32), kBlue);
    EXPECT_EQ(Target::at(48, 32), kBlue);

    // A moved buffer draws; the moved-from one has nothing to draw with.
    VB moved(std::move(vb));
    target.clear();
    moved.drawPrimitives(12);
    EXPECT_EQ(Target::at(48, 32), kBlue);
    EXPECT_EQ(InternalMessageOf([&] { vb.drawPrimitives(12); }), "vertexBuffer_ != 0");
}

TEST_P(VertexBuffers, InterleavedSourceThroughStridesAndOffsets) {
    Target target;
    Program program;
    LinkPositionColour(program);
    const Quads quads;
    // x, y, r, g, b for each vertex: 20 bytes apart.
    std::vector<float> interleaved;
    for (std::size_t v = 0; v < 12; ++v) {
        interleaved.insert(interleaved.end(), &quads.positions[2 * v], &quads.positions[2 * v] + 2);
        interleaved.insert(interleaved.end(), &quads.colours[3 * v], &quads.colours[3 * v] + 3);
    }
    const std::size_t bytes = interleaved.size() * sizeof(float);
    VB vb(PositionAndColour(), 12, VB::kTriangles);
    vb.setField("position", Bytes(interleaved.data()), bytes, false, 20);
    vb.setField("colour", Bytes(interleaved.data() + 2), bytes - 8, false, 20);
    EXPECT_EQ(InternalMessageOf([&] {
                  vb.setField("colour", Bytes(interleaved.data() + 3), bytes - 12, false, 20);
              }),
              "Field colour with source stride 20 reads 232 bytes from a source of 228");
    EXPECT_EQ(vb.hostData(1).size(), quads.colours.size() * sizeof(float));
    EXPECT_EQ(std::memcmp(vb.hostData(1).data(), quads.colours.data(), vb.hostData(1).size()), 0);
    vb.setupWithProgram(&program);
    vb.marshallData();
    program.enable();
    vb.drawPrimitives(12);
    EXPECT_EQ(Target::at(16, 32), kRed);
    EXPECT_EQ(Target::at(48, 32), kGreen);
}

TEST_P(VertexBuffers, RefusalsComeBeforeAnyCall) {
    Program program;
    LinkPositionColour(program);
    VB vb(PositionAndColour(), 12, VB::kTriangles);
    {
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf([&] { vb.setupWithProgram(nullptr); }),
                  "Enforce oglProgram != NULL");
        EXPECT_EQ(InternalMessageOf([&] { vb.marshallData(); }), "vertexBuffer_ != 0");
        EXPECT_EQ(InternalMessageOf([&] { vb.drawPrimitives(3); }), "vertexBuffer_ != 0");
        EXPECT_TRUE(recorder.entryPoints().empty());
    }
    // A field the program lacks: the fields before it keep their slots, and nothing is
    // uploaded with the one left unresolved.
    VB withNormal({VB::Field("position", VB::kFloat2, VB::kStaticDraw),
                   VB::Field("normal", VB::kFloat3, VB::kStaticDraw),
                   VB::Field("colour", VB::kFloat3, VB::kStaticDraw)},
                  3, VB::kTriangles);
    EXPECT_EQ(InternalMessageOf([&] { withNormal.setupWithProgram(&program); }),
              "f.resolvedSlot_ >= 0");
    EXPECT_EQ(withNormal.fields()[0].resolvedSlot(), 3);
    VEKTest::RecordingDecorator recorder;
    EXPECT_EQ(InternalMessageOf([&] { withNormal.marshallData(); }), "f.resolvedSlot_ >= 0");
    EXPECT_TRUE(recorder.entryPoints().empty());
}

TEST_P(VertexBuffers, DeviceObjectsAreRemadeAndDeleted) {
    Program program;
    LinkPositionColour(program);
    VEKTest::RecordingDecorator recorder;
    {
        VB vb(PositionAndColour(), 12, VB::kTriangles);
        vb.setupWithProgram(&program);
        vb.setupWithProgram(&program);  // the first objects go
        vb.marshallData();
    }
    EXPECT_EQ(recorder.count("glGenVertexArrays"), 2u);
    EXPECT_EQ(recorder.count("glDeleteVertexArrays"), 2u);
    EXPECT_EQ(recorder.count("glGenBuffers"), 2u);
    EXPECT_EQ(recorder.count("glDeleteBuffers"), 2u);
}

TEST_P(VertexBuffers, IndexedDrawThroughTheElementBuffer) {
    Target target;
    Program program;
    LinkPositionColour(program);
    // Four corners per half: red on the left, green on the right.
    const float positions[] = {-1, -1, 0, -1, 0, 1, -1, 1, 0, -1, 1, -1, 1, 1, 0, 1};
    const float colours[] = {1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0,
                             0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1, 0};
    VB vb(PositionAndColour(), 8, VB::kTriangles);
    vb.setField(0u, Bytes(positions), sizeof(positions), 0);
    vb.setField(1u, Bytes(colours), sizeof(colours), 0);
    const unsigned indices[] = {0, 1, 2, 0, 2, 3, 4, 5, 6, 4, 6, 7};
    const unsigned pastTheEnd[] = {0, 1, 2, 0, 2, 8};
    vb.setupWithProgram(&program);
    {
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf([&] { vb.setIndices(pastTheEnd, 6); }),
                  "Index 8 at 5 is past the 8 vertices held");
        EXPECT_EQ(InternalMessageOf([&] { vb.setIndices(indices, 0); }), "count > 0");
        EXPECT_EQ(InternalMessageOf([&] { vb.drawIndexedPrimitives(6); }),
                  "marshalledIndexCount_ > 0");
        EXPECT_TRUE(recorder.entryPoints().empty());
    }
    vb.setIndices(indices, 12);
    EXPECT_EQ(vb.indexCount(), 12u);
    vb.marshallData();
    program.enable();
    vb.drawIndexedPrimitives(1000);  // as many as there are
    EXPECT_EQ(Target::at(16, 32), kRed);
    EXPECT_EQ(Target::at(48, 32), kGreen);
    target.clear();
    vb.drawIndexedPrimitives(6);
    EXPECT_EQ(Target::at(16, 32), kRed);
    EXPECT_EQ(Target::at(48, 32), kBlack);
    // The plain draw still reads the vertices in order.
    target.clear();
    vb.drawPrimitives(8);
    EXPECT_EQ(Target::at(28, 48), kRed);  // inside the first triangle only
}

INSTANTIATE_TEST_SUITE_P(Contexts, VertexBuffers, ::testing::Values(false, true),
                         VEKTest::GLLayer::Name);
