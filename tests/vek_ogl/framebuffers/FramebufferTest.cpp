// Framebuffers and renderbuffers on llvmpipe: rendering into textures, array layers and
// renderbuffers and reading the pixels back, the completeness the driver reports, where each
// renderbuffer format attaches, and every refusal with its message before any OpenGL call.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <vek/core/CoreLibrary.h>
#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/LibraryOGL.h>
#include <vek/vek_ogl/extensionator/ExtensionManagerOGL.h>
#include <vek/vek_ogl/extensionator/OpenGLTokenName.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/Renderbuffer.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "support/GLTestContext.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;
using Strings = std::vector<std::string>;
using Pixels = std::vector<std::uint8_t>;

namespace {

class FramebufferTest : public ::testing::Test {
protected:
    FramebufferTest() { ExtensionManager::CurrentTable(); }
    void TearDown() override { EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR)); }

    VEK::Core::AutoInitializer core_;
    AutoInitializer ogl_;
    VEKTest::GLTestContext context_;
};

GLint Bound(GLenum query) {
    GLint name = -1;
    glGetIntegerv(query, &name);
    return name;
}

// The name attached at a point of the bound framebuffer, 0 when none.
GLint AttachedName(GLenum attachment) {
    GLint name = -1;
    ExtensionManager::CurrentTable().glGetFramebufferAttachmentParameteriv(
        GL_FRAMEBUFFER, attachment, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    return name;
}

// Clears the bound framebuffer to blue and draws a red quad over the left half of it.
void DrawLeftHalfRed(int width, int height) {
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glClearColor(0, 0, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 0, 0, 1);
    glBegin(GL_QUADS);
    glVertex2f(0, 0);
    glVertex2f(0.5f, 0);
    glVertex2f(0.5f, 1);
    glVertex2f(0, 1);
    glEnd();
}

// Left half red, right half blue, for RGBA rows of the given width.
void ExpectLeftHalfRed(const Pixels& rgba, int width, int height) {
    int wrong = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * width + x) * 4];
            const bool left = x < width / 2;
            if (p[0] != (left ? 255 : 0) || p[1] != 0 || p[2] != (left ? 0 : 255) || p[3] != 255) {
                ++wrong;
            }
        }
    }
    EXPECT_EQ(wrong, 0) << "of " << width * height << " pixels";
}

}  // namespace

TEST_F(FramebufferTest, RendersIntoTextures) {
    ASSERT_TRUE(Framebuffer::IsSupported());
    Texture2D texture(Texture::kRGBA8, 32, 16, false, nullptr, Texture::kTypeDefault);
    TextureRECT rectangle(Texture::kRGBA8, 20, 12, nullptr, Texture::kTypeDefault);
    {
        Framebuffer framebuffer;
        EXPECT_TRUE(framebuffer.isSupported());
        EXPECT_NE(framebuffer.objectID(), 0u);
        EXPECT_EQ(Bound(GL_FRAMEBUFFER_BINDING), 0);  // not bound by its constructor
        framebuffer.bind();
        EXPECT_EQ(Bound(GL_FRAMEBUFFER_BINDING), GLint(framebuffer.objectID()));
        framebuffer.attach(&texture, 0, 0);
        unsigned status = 0;
        EXPECT_TRUE(framebuffer.statusOkay(&status));
        EXPECT_EQ(status, unsigned(GL_FRAMEBUFFER_COMPLETE));
        DrawLeftHalfRed(32, 16);

        // The rectangle texture replaces it at the same point.
        framebuffer.attach(&rectangle, 0, 0);
        EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), GLint(rectangle.objectID()));
        EXPECT_TRUE(framebuffer.statusOkay(nullptr));
        DrawLeftHalfRed(20, 12);
        framebuffer.detach(&rectangle, 0);
        EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), 0);
        framebuffer.unbind();
        EXPECT_EQ(Bound(GL_FRAMEBUFFER_BINDING), 0);
    }
    Pixels pixels(32 * 16 * 4);
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    texture.getPixelData(pixels.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    ExpectLeftHalfRed(pixels, 32, 16);
    glBindTexture(GL_TEXTURE_2D, 0);

    pixels.assign(20 * 12 * 4, 0);
    glBindTexture(GL_TEXTURE_RECTANGLE, rectangle.objectID());
    rectangle.getPixelData(pixels.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    ExpectLeftHalfRed(pixels, 20, 12);
    glBindTexture(GL_TEXTURE_RECTANGLE, 0);
}

TEST_F(FramebufferTest, RendersIntoOneLayerOfAnArrayTexture) {
    Texture2DArray array(Texture::kRGBA8, 8, 4, 3, false);
    Framebuffer framebuffer;
    framebuffer.bind();
    for (unsigned layer = 0; layer < 3; ++layer) {
        framebuffer.attach(&array, layer, 0, 0);
        ASSERT_TRUE(framebuffer.statusOkay(nullptr));
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    framebuffer.attach(&array, 1, 0, 1);  // layer 1 at colour point 1
    EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT1), GLint(array.objectID()));
    GLint attachedLayer = -1;
    ExtensionManager::CurrentTable().glGetFramebufferAttachmentParameteriv(
        GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_FRAMEBUFFER_ATTACHMENT_TEXTURE_LAYER,
        &attachedLayer);
    EXPECT_EQ(attachedLayer, 1);
    const GLenum second = GL_COLOR_ATTACHMENT1;
    ExtensionManager::CurrentTable().glDrawBuffers(1, &second);
    DrawLeftHalfRed(8, 4);
    framebuffer.unbind();

    Pixels pixels(8 * 4 * 3 * 4);
    glBindTexture(GL_TEXTURE_2D_ARRAY, array.objectID());
    array.getPixelData(pixels.data(), 0, Texture::kFormatRGBA, Texture::kTypeUnsignedByte, 4);
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
    const std::size_t layerBytes = 8 * 4 * 4;
    EXPECT_EQ(Pixels(pixels.begin(), pixels.begin() + layerBytes), Pixels(layerBytes, 0));
    ExpectLeftHalfRed(Pixels(pixels.begin() + layerBytes, pixels.begin() + 2 * layerBytes), 8, 4);
    EXPECT_EQ(Pixels(pixels.begin() + 2 * layerBytes, pixels.end()), Pixels(layerBytes, 0));
}

TEST_F(FramebufferTest, RendersIntoRenderbuffersWithADepthTest) {
    ASSERT_TRUE(Renderbuffer::IsSupported());
    // The binding in force before a renderbuffer is made is in force afterwards.
    GLuint outside = 0;
    ExtensionManager::CurrentTable().glGenRenderbuffers(1, &outside);
    ExtensionManager::CurrentTable().glBindRenderbuffer(GL_RENDERBUFFER, outside);
    Renderbuffer colour(GL_RGBA8, 64, 32);
    Renderbuffer depth(GL_DEPTH_COMPONENT24, 64, 32);
    EXPECT_EQ(Bound(GL_RENDERBUFFER_BINDING), GLint(outside));
    EXPECT_EQ(colour.format(), unsigned(GL_RGBA8));
    EXPECT_EQ(colour.width(), 64);
    EXPECT_EQ(colour.height(), 32);
    ExtensionManager::CurrentTable().glBindRenderbuffer(GL_RENDERBUFFER, 0);
    ExtensionManager::CurrentTable().glDeleteRenderbuffers(1, &outside);

    Framebuffer framebuffer;
    framebuffer.bind();
    framebuffer.attach(&colour, 0);
    framebuffer.attach(&depth, 0);
    EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), GLint(colour.objectID()));
    EXPECT_EQ(AttachedName(GL_DEPTH_ATTACHMENT), GLint(depth.objectID()));
    ASSERT_TRUE(framebuffer.statusOkay(nullptr));

    // A near green quad over the right half, then a far red one over everything: the depth
    // test keeps green on the right. (The orthographic projection looks down -z.)
    glViewport(0, 0, 64, 32);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 1, 0, 1, -1, 1);
    glEnable(GL_DEPTH_TEST);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    const struct { float x0, z, r, g; } quads[] = {{0.5f, 0.5f, 0, 1}, {0.f, -0.5f, 1, 0}};
    for (const auto& q : quads) {
        glColor4f(q.r, q.g, 0, 1);
        glBegin(GL_QUADS);
        glVertex3f(q.x0, 0, q.z);
        glVertex3f(1, 0, q.z);
        glVertex3f(1, 1, q.z);
        glVertex3f(q.x0, 1, q.z);
        glEnd();
    }
    glDisable(GL_DEPTH_TEST);
    Pixels pixels(64 * 32 * 4);
    glReadPixels(0, 0, 64, 32, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int wrong = 0;
    for (int i = 0; i < 64 * 32; ++i) {
        const bool right = i % 64 >= 32;
        wrong += pixels[i * 4] != (right ? 0 : 255) || pixels[i * 4 + 1] != (right ? 255 : 0);
    }
    EXPECT_EQ(wrong, 0);
    framebuffer.detach(&depth, 0);
    EXPECT_EQ(AttachedName(GL_DEPTH_ATTACHMENT), 0);
    framebuffer.unbind();
}

TEST_F(FramebufferTest, RenderbufferFormatsChooseTheirAttachmentPoint) {
    // One format a row: depth formats at the depth point, depth-stencil formats at both, stencil
    // formats at the stencil point, anything else at the colour point asked for.
    struct Row {
        GLenum format;
        bool depth;
        bool stencil;
    };
    const Row rows[] = {
        {GL_DEPTH_COMPONENT, true, false},
        {GL_DEPTH_COMPONENT16, true, false},
        {GL_DEPTH_COMPONENT24, true, false},
        {GL_DEPTH_COMPONENT32, true, false},
        {GL_DEPTH_COMPONENT32F, true, false},
        {GL_DEPTH_STENCIL, true, true},
        {GL_DEPTH24_STENCIL8, true, true},
        {GL_DEPTH32F_STENCIL8, true, true},
        {GL_STENCIL_INDEX, false, true},
        {GL_STENCIL_INDEX1, false, true},
        {GL_STENCIL_INDEX4, false, true},
        {GL_STENCIL_INDEX8, false, true},
        {GL_STENCIL_INDEX16, false, true},
        {GL_RGBA8, false, false},
        {GL_R32F, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(VEKOGLTokenName(row.format));
        Framebuffer framebuffer;
        framebuffer.bind();
        Renderbuffer buffer(row.format, 16, 16);
        const GLint name = GLint(buffer.objectID());
        const bool colour = !row.depth && !row.stencil;
        framebuffer.attach(&buffer, colour ? 1 : 0);
        EXPECT_EQ(AttachedName(GL_DEPTH_ATTACHMENT), row.depth ? name : 0);
        EXPECT_EQ(AttachedName(GL_STENCIL_ATTACHMENT), row.stencil ? name : 0);
        EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), 0);
        EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT1), colour ? name : 0);
        framebuffer.unbind();
    }

    Framebuffer framebuffer;
    framebuffer.bind();
    Renderbuffer depthStencil(GL_DEPTH24_STENCIL8, 16, 16);
    framebuffer.attach(&depthStencil, 0);
    // Detaching clears the depth point only.
    framebuffer.detach(&depthStencil, 0);
    EXPECT_EQ(AttachedName(GL_DEPTH_ATTACHMENT), 0);
    EXPECT_EQ(AttachedName(GL_STENCIL_ATTACHMENT), GLint(depthStencil.objectID()));

    Renderbuffer stencil(GL_STENCIL_INDEX8, 16, 16);
    framebuffer.attach(&stencil, 0);
    EXPECT_EQ(AttachedName(GL_STENCIL_ATTACHMENT), GLint(stencil.objectID()));
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&stencil, 1); }),
              std::string("Color buffer index is not supported with attachment:") +
                  VEKOGLTokenName(GL_STENCIL_ATTACHMENT));

    Renderbuffer colour(GL_RGBA8, 16, 16);
    framebuffer.attach(&colour, 2);
    EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT2), GLint(colour.objectID()));
    EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), 0);
    framebuffer.detach(&colour, 2);
    EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT2), 0);
    framebuffer.unbind();
}

TEST_F(FramebufferTest, CompletenessStatusesOfTheDriver) {
    Framebuffer framebuffer;
    framebuffer.bind();
    unsigned status = 0;
    EXPECT_FALSE(framebuffer.statusOkay(&status));
    EXPECT_EQ(status, unsigned(GL_FRAMEBUFFER_INCOMPLETE_MISSING_ATTACHMENT));

    // Level 1 of a texture without a mip chain has no image.
    Texture2D texture(Texture::kRGBA8, 16, 16, false, nullptr, Texture::kTypeDefault);
    framebuffer.attach(&texture, 1, 0);
    status = 0;
    EXPECT_FALSE(framebuffer.statusOkay(&status));
    EXPECT_EQ(status, unsigned(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT));

    framebuffer.attach(&texture, 0, 0);
    status = 0;
    EXPECT_TRUE(framebuffer.statusOkay(&status));
    EXPECT_EQ(status, unsigned(GL_FRAMEBUFFER_COMPLETE));

    // Separate depth and stencil images: llvmpipe wants one depth-stencil image for both.
    Renderbuffer stencil(GL_STENCIL_INDEX8, 16, 16);
    Renderbuffer depth(GL_DEPTH_COMPONENT24, 16, 16);
    framebuffer.attach(&stencil, 0);
    framebuffer.attach(&depth, 0);
    status = 0;
    EXPECT_FALSE(framebuffer.statusOkay(&status));
    EXPECT_EQ(status, unsigned(GL_FRAMEBUFFER_UNSUPPORTED)) << VEKOGLTokenName(status);
    // One depth-stencil renderbuffer at both points is complete.
    Renderbuffer depthStencil(GL_DEPTH_STENCIL, 16, 16);
    framebuffer.attach(&depthStencil, 0);
    EXPECT_TRUE(framebuffer.statusOkay(nullptr));

    // An empty renderbuffer (a window minimised to nothing) is made; the framebuffer says it is
    // incomplete.
    Renderbuffer empty(GL_RGBA8, 0, 0);
    EXPECT_EQ(empty.width(), 0);
    framebuffer.attach(&empty, 0);
    status = 0;
    EXPECT_FALSE(framebuffer.statusOkay(&status));
    EXPECT_EQ(status, unsigned(GL_FRAMEBUFFER_INCOMPLETE_ATTACHMENT)) << VEKOGLTokenName(status);
    framebuffer.unbind();
}

TEST_F(FramebufferTest, RefusalsComeBeforeAnyCallThatChangesState) {
    Texture2D texture(Texture::kRGBA8, 16, 16, false, nullptr, Texture::kTypeDefault);
    Texture2DArray array(Texture::kRGBA8, 4, 4, 6, false);
    Renderbuffer depth(GL_DEPTH_COMPONENT24, 16, 16);
    Renderbuffer colour(GL_RGBA8, 16, 16);
    Framebuffer framebuffer;
    const unsigned maximum = Framebuffer::MaxColorAttachments();
    ASSERT_GE(maximum, 1u);
    const std::string tooLarge = "Invalid color buffer attachment only " + std::to_string(maximum) +
                                 " attachments supported with " + std::to_string(maximum) +
                                 " requested";
    const std::string depthIndex = std::string(
                                       "Color buffer index is not supported with "
                                       "attachment:") +
                                   VEKOGLTokenName(GL_DEPTH_ATTACHMENT);
    const int maxSize = Renderbuffer::MaxSize();
    ASSERT_GT(maxSize, 0);
    VEKTest::RecordingDecorator recorder;

    // Not bound.
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&texture, 0, 0); }),
              "Framebuffer Objects must be bound to attach objects");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&array, 0, 0, 0); }),
              "Framebuffer Objects must be bound to attach objects");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&colour, 0); }),
              "Framebuffer Objects must be bound to attach objects");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.detach(&texture, 0); }),
              "Framebuffer Object must be bound before detaching objects");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.detach(&colour, 0); }),
              "Framebuffer Object must be bound before detaching objects");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.statusOkay(nullptr); }),
              "Framebuffer object must be bound before calling statusOkay()");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.unbind(); }),
              "Framebuffer object must be bound before calling unbind()");
    EXPECT_EQ(InternalMessageOf([&] { colour.unbind(); }),
              "Framebuffer object must be bound before calling unbind()");
    // A bound texture is refused before the framebuffer's binding is looked at.
    glBindTexture(GL_TEXTURE_2D, texture.objectID());
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&texture, 0, 0); }),
              "Texture cannot be bound during attachment to framebuffer object");
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindTexture(GL_TEXTURE_2D_ARRAY, array.objectID());
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&array, 0, 0, 0); }),
              "Texture cannot be bound during attachment to framebuffer object");
    glBindTexture(GL_TEXTURE_2D_ARRAY, 0);
    // Null objects.
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(static_cast<Texture2*>(nullptr), 0, 0); }),
              "Enforce poTex != NULL");
    EXPECT_EQ(InternalMessageOf(
                  [&] { framebuffer.attach(static_cast<Texture2DArray*>(nullptr), 0, 0, 0); }),
              "Enforce poTex != NULL");
    EXPECT_EQ(
        InternalMessageOf([&] { framebuffer.attach(static_cast<Renderbuffer*>(nullptr), 0); }),
        "Enforce poBuffer != NULL");
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.detach(static_cast<Texture2*>(nullptr), 0); }),
              "Enforce poTex != NULL");
    EXPECT_EQ(
        InternalMessageOf([&] { framebuffer.detach(static_cast<Renderbuffer*>(nullptr), 0); }),
        "Enforce poBuffer != NULL");

    recorder.clear();
    framebuffer.bind();
    // Attachment points that do not exist.
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&texture, 0, maximum); }), tooLarge);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&array, 0, 0, maximum); }), tooLarge);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&colour, maximum); }), tooLarge);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.detach(&texture, maximum); }), tooLarge);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.detach(&colour, maximum); }), tooLarge);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&depth, 1); }), depthIndex);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.detach(&depth, 1); }), depthIndex);
    EXPECT_EQ(InternalMessageOf([&] { framebuffer.attach(&array, 6, 0, 0); }),
              "Array Index too large");
    // Renderbuffer sizes.
    EXPECT_EQ(InternalMessageOf([&] { Renderbuffer(GL_RGBA8, maxSize + 1, 16); }),
              "Can't create renderbuffer of width " + std::to_string(maxSize + 1) +
                  ", a max width of " + std::to_string(maxSize) + " is supported");
    EXPECT_EQ(InternalMessageOf([&] { Renderbuffer(GL_RGBA8, 16, maxSize + 1); }),
              "Can't create renderbuffer of width " + std::to_string(maxSize + 1) +
                  ", a max height of " + std::to_string(maxSize) + " is supported");
    EXPECT_EQ(InternalMessageOf([&] { Renderbuffer(GL_RGBA8, -1, 16); }),
              "Can't create renderbuffer of size -1x16, neither may be negative");
    EXPECT_EQ(InternalMessageOf([&] { Renderbuffer(GL_RGBA8, 16, -2); }),
              "Can't create renderbuffer of size 16x-2, neither may be negative");

    // Only queries reached the driver after the framebuffer was bound: nothing attached,
    // nothing made.
    EXPECT_EQ(recorder.callsExcept({"glGetIntegerv"}), Strings{"glBindFramebufferEXT"});
    EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), 0);
    framebuffer.unbind();
}

TEST_F(FramebufferTest, DriverRefusalsLeaveNothingBehind) {
    // A format the driver does not know: its error, with the name deleted and the binding kept.
    VEKTest::RecordingDecorator recorder;
    try {
        Renderbuffer(0x1234, 16, 16);
        ADD_FAILURE() << "an unknown format was accepted";
    } catch (const ExceptionOGL& e) {
        EXPECT_EQ(e.errorNumber(), unsigned(GL_INVALID_ENUM));
        EXPECT_NE(std::string(e.file()).find("Renderbuffer"), std::string::npos);
    }
    EXPECT_EQ(Bound(GL_RENDERBUFFER_BINDING), 0);
    EXPECT_EQ(recorder.callsExcept({"glGetIntegerv"}),
              (Strings{"glGenRenderbuffersEXT", "glBindRenderbufferEXT", "glRenderbufferStorageEXT",
                       "glBindRenderbufferEXT", "glDeleteRenderbuffersEXT"}));
    // The refused renderbuffer was the context's first, name 1: bound once, so it exists until
    // deleted.
    EXPECT_FALSE(ExtensionManager::CurrentTable().glIsRenderbuffer(1));
}

TEST_F(FramebufferTest, TextureOfAnotherShareGroupIsRefusedByTheDriver) {
    // A context the library has not met yet answers as its driver does.
    for (bool (*isSupported)() : {&Framebuffer::IsSupported, &Renderbuffer::IsSupported}) {
        VEKTest::GLTestContext fresh;
        ASSERT_EQ(ExtensionManager::Instance(), nullptr);
        EXPECT_TRUE(isSupported());
    }
    context_.makeCurrent();
    Texture2D foreign(Texture::kRGBA8, 16, 16, false, nullptr, Texture::kTypeDefault);
    {
        VEKTest::GLTestContext other;  // current, and sharing nothing with context_
        ExtensionManager::CurrentTable();
        Framebuffer framebuffer;
        framebuffer.bind();
        try {
            framebuffer.attach(&foreign, 0, 0);
            ADD_FAILURE() << "a texture unknown to this context was attached";
        } catch (const ExceptionOGL& e) {
            EXPECT_EQ(e.errorNumber(), unsigned(GL_INVALID_OPERATION));
            EXPECT_NE(std::string(e.file()).find("Framebuffer"), std::string::npos);
        }
        EXPECT_EQ(AttachedName(GL_COLOR_ATTACHMENT0), 0);
        framebuffer.unbind();
    }
    context_.makeCurrent();
}
