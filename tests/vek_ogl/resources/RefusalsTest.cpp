// Every refusal of the texture classes with its exact message, made before the transfer reaches
// OpenGL: a recording decorator sees no call but the binding queries some checks need, and the
// pixel-store state, the client attribute stack and every binding are as they were.
#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>
#include <vek/vek_ogl/ogl/Framebuffer.h>
#include <vek/vek_ogl/ogl/PixelUnpackParameters.h>
#include <vek/vek_ogl/ogl/ProgramOGL.h>
#include <vek/vek_ogl/ogl/Shader.h>
#include <vek/vek_ogl/ogl/Texture1.h>
#include <vek/vek_ogl/ogl/Texture2.h>
#include <vek/vek_ogl/ogl/Texture3.h>

#include "ResourceFixture.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::Bound;
using VEKTest::InternalMessageOf;

namespace {

class Refusals : public VEKTest::ResourceTest {};

struct Refusal {
    std::string message;
    std::function<void()> statement;
    bool queriesBinding;  // the check asks OpenGL what is bound, and nothing else
};

std::vector<GLint> Bindings() {
    std::vector<GLint> names;
    for (GLenum query :
         {GL_TEXTURE_BINDING_1D, GL_TEXTURE_BINDING_2D, GL_TEXTURE_BINDING_3D,
          GL_TEXTURE_BINDING_1D_ARRAY, GL_TEXTURE_BINDING_2D_ARRAY, GL_TEXTURE_BINDING_RECTANGLE,
          GL_PIXEL_PACK_BUFFER_BINDING, GL_PIXEL_UNPACK_BUFFER_BINDING, GL_ARRAY_BUFFER_BINDING}) {
        names.push_back(Bound(query));
    }
    return names;
}

const Texture::Format RGBA = Texture::kFormatRGBA;
const Texture::Type UB = Texture::kTypeUnsignedByte;

}  // namespace

TEST_F(Refusals, EveryCheckThrowsItsMessageBeforeAnyTransfer) {
    Texture1D t1(Texture::kRGBA8, 8, false);
    Texture1D unbound1(Texture::kRGBA8, 8, false);
    Texture2D t2(Texture::kRGBA8, 8, 4, false, nullptr, Texture::kTypeDefault);
    Texture2D unbound2(Texture::kRGBA8, 8, 4, false, nullptr, Texture::kTypeDefault);
    Texture3D t3(Texture::kRGBA8, 8, 4, 2, false);
    Texture3D unbound3(Texture::kRGBA8, 8, 4, 2, false);
    Texture2DArray a3(Texture::kRGBA8, 4, 4, 6, false);
    Buffer pbo(100, Buffer::kUnpackBuffer, Buffer::kStreamDraw, nullptr);
    // A refused upload through it must not have made it an unpack buffer first.
    Buffer packRole(100, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    Buffer mapped(100, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    mapped.bind();
    ASSERT_NE(mapped.map(GL_READ_ONLY), nullptr);
    Buffer::BindDefaultPackBuffer();
    // A buffer that is bound in its role and so cannot take another.
    Buffer boundArray(100, Buffer::kArrayBuffer, Buffer::kStaticDraw, nullptr);
    boundArray.bind();
    glBindTexture(GL_TEXTURE_1D, t1.objectID());
    glBindTexture(GL_TEXTURE_2D, t2.objectID());
    glBindTexture(GL_TEXTURE_3D, t3.objectID());
    const PixelUnpackParameters p;
    PixelUnpackParameters unknownAlignment;
    unknownAlignment.setAlignment(static_cast<PixelUnpackParameters::Alignment>(7));
    const PixelUnpackParameters& u = unknownAlignment;
    std::vector<std::uint8_t> data(4096);
    void* d = data.data();

    const std::vector<Refusal> refusals = {
        // One dimension.
        {"error subimage width of zero supplied", [&] { t1.subImage(0, 0, 0, RGBA, UB, d, p); },
         false},
        {"a negative texture image mip-map level supplied",
         [&] { t1.subImage(-1, 0, 8, RGBA, UB, d, p); }, false},
        {"width(9) is greater than width of image (8) ",
         [&] { t1.subImage(0, 0, 9, RGBA, UB, d, p); }, false},
        {"error subimage width of zero supplied",
         [&] { t1.subImage(0, 0, 0, RGBA, UB, &mapped, 100, p); }, false},
        {"width(9) is greater than width of image (8) ",
         [&] { t1.subImage(2, 0, 9, RGBA, UB, &pbo, 0, p); }, false},
        {"offset(100) is greater than pixel buffer object size100",
         [&] { t1.subImage(0, 0, 1, RGBA, UB, &pbo, 100, p); }, false},
        {"Pixel Buffer Object cannot be memory mapped during data transfer",
         [&] { t1.subImage(0, 0, 1, RGBA, UB, &mapped, 0, p); }, false},
        {"Pixel Buffer Object must not be NULL",
         [&] { t1.subImage(0, 0, 1, RGBA, UB, static_cast<Buffer*>(nullptr), 0, p); }, false},
        {"error copySubimage width of zero supplied", [&] { t1.copyTexSubImage(0, 0, 0, 0, 0); },
         false},
        {"a negative texture image mip-map level supplied",
         [&] { t1.copyTexSubImage(-2, 0, 0, 0, 4); }, false},
        {"width(16) is greater than width of image (8) ",
         [&] { t1.copyTexSubImage(0, 0, 0, 0, 16); }, false},
        {"Pixel Buffer Object cannot be memory mapped during data transfer",
         [&] { t1.getPixelData(&mapped, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE); }, false},
        {"Buffer::convertToUnpackBuffer cannot convert buffer target while bound",
         [&] { t1.subImage(0, 0, 1, RGBA, UB, &boundArray, 0, p); }, true},
        {"Buffer::convertToPackBuffer cannot convert buffer target while bound",
         [&] { t1.getPixelData(&boundArray, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE); }, true},
        // Two dimensions.
        {"error subimage width of zero supplied",
         [&] { t2.subImage(0, 0, 0, 0, 0, RGBA, UB, d, p); }, false},
        {"error subimage height of zero supplied",
         [&] { t2.subImage(-1, 0, 0, 1, 0, RGBA, UB, d, p); }, false},
        {"a negative texture image mip-map level supplied",
         [&] { t2.subImage(-1, 0, 0, 9, 5, RGBA, UB, d, p); }, false},
        {"width(9) is greater than width of image (8) ",
         [&] { t2.subImage(0, 0, 0, 9, 5, RGBA, UB, d, p); }, false},
        {"height(5) is greater than height of image (4) ",
         [&] { t2.subImage(0, 0, 0, 8, 5, RGBA, UB, d, p); }, false},
        {"height(5) is greater than height of image (4) ",
         [&] { t2.subImage(0, 0, 0, 8, 5, RGBA, UB, &mapped, 1000, p); }, false},
        {"offset(100) is greater than pixel buffer object size100",
         [&] { t2.subImage(0, 0, 0, 1, 1, RGBA, UB, &mapped, 100, p); }, false},
        {"Pixel Buffer Object cannot be memory mapped during data transfer",
         [&] { t2.subImage(0, 0, 0, 1, 1, RGBA, UB, &mapped, 99, p); }, false},
        {"Buffer::convertToUnpackBuffer cannot convert buffer target while bound",
         [&] { t2.subImage(0, 0, 0, 1, 1, RGBA, UB, &boundArray, 0, p); }, true},
        {"error copySubimage width of zero supplied",
         [&] { t2.copyTexSubImage(0, 0, 0, 0, 0, 0, 0); }, false},
        {"error copySubimage height of zero supplied",
         [&] { t2.copyTexSubImage(0, 0, 0, 0, 0, 1, 0); }, false},
        {"height(8) is greater than height of image (4) ",
         [&] { t2.copyTexSubImage(0, 0, 0, 0, 0, 8, 8); }, false},
        {"Texture must be bound",
         [&] { unbound2.getPixelData(d, 0, Texture::kFormatCOLOR_INDEX, UB, 3); }, true},
        {"Texture must be bound",
         [&] { unbound2.getPixelData(&mapped, 0, 0, Texture::kFormatCOLOR_INDEX, UB, 3); }, true},
        {"COLOR_INDEX not allowed here!",
         [&] { t2.getPixelData(d, 0, Texture::kFormatCOLOR_INDEX, UB, 3); }, true},
        {"Invalid row byte alignment (must be of 1, 2, 4, or 8).",
         [&] { t2.getPixelData(d, 0, RGBA, UB, 3); }, true},
        {"Pixel Buffer Object cannot be memory mapped during data transfer",
         [&] { t2.getPixelData(&mapped, 0, 0, Texture::kFormatCOLOR_INDEX, UB, 3); }, true},
        {"COLOR_INDEX not allowed here!",
         [&] { t2.getPixelData(&pbo, 0, 0, Texture::kFormatCOLOR_INDEX, UB, 3); }, true},
        {"Invalid row byte alignment (must be of 1, 2, 4, or 8).",
         [&] { t2.getPixelData(&boundArray, 0, 0, RGBA, UB, 16); }, true},
        {"Buffer::convertToPackBuffer cannot convert buffer target while bound",
         [&] { t2.getPixelData(&boundArray, 0, 0, RGBA, UB, 4); }, true},
        {"Texture must be enabled (bound & active)",
         [&] { unbound2.setWrap(Texture::kWrapRepeat, Texture::kWrapRepeat); }, true},
        // Three dimensions.
        {"error subimage width  of zero supplied",
         [&] { t3.subImage(0, 0, 0, 0, 0, 0, 0, RGBA, UB, d, p); }, false},
        {"error subimage height of zero supplied",
         [&] { t3.subImage(0, 0, 0, 0, 1, 0, 0, RGBA, UB, d, p); }, false},
        {"error subimage depth  of zero supplied",
         [&] { t3.subImage(-1, 0, 0, 0, 1, 1, 0, RGBA, UB, &mapped, 100, p); }, false},
        {"a negative texture image mip-map level supplied",
         [&] { t3.subImage(-1, 0, 0, 0, 9, 9, 9, RGBA, UB, d, p); }, false},
        {"width(9) is greater than width  of image (8) ",
         [&] { t3.subImage(0, 0, 0, 0, 9, 9, 9, RGBA, UB, d, p); }, false},
        {"height(9) is greater than height of image (4) ",
         [&] { t3.subImage(0, 0, 0, 0, 8, 9, 9, RGBA, UB, d, p); }, false},
        {"depth(3) is greater than depth  of image (2) ",
         [&] { t3.subImage(0, 0, 0, 0, 8, 4, 3, RGBA, UB, &mapped, 100, p); }, false},
        {"depth(7) is greater than depth  of image (6) ",
         [&] { a3.subImage(0, 0, 0, 0, 4, 4, 7, RGBA, UB, d, p); }, false},
        {"offset(250) is greater than pixel buffer object size100",
         [&] { t3.subImage(0, 0, 0, 0, 1, 1, 1, RGBA, UB, &mapped, 250, p); }, false},
        {"Pixel Buffer Object cannot be memory mapped during data transfer",
         [&] { t3.subImage(0, 0, 0, 0, 1, 1, 1, RGBA, UB, &mapped, 0, p); }, false},
        {"Buffer::convertToUnpackBuffer cannot convert buffer target while bound",
         [&] { t3.subImage(0, 0, 0, 0, 1, 1, 1, RGBA, UB, &boundArray, 0, p); }, true},
        {"error copySubimage width of zero supplied",
         [&] { t3.copyTexSubImage(0, 0, 0, 0, 0, 0, 0, 1); }, false},
        {"error copySubimage height of zero supplied",
         [&] { t3.copyTexSubImage(0, 0, 0, 0, 0, 0, 1, 0); }, false},
        {"width(9) is greater than width of image (8) ",
         [&] { t3.copyTexSubImage(0, 0, 0, 0, 0, 0, 9, 1); }, false},
        {"COLOR_INDEX not allowed here!",
         [&] { t3.getPixelData(d, 0, Texture::kFormatCOLOR_INDEX, UB, 3); }, false},
        {"Invalid row byte alignment (must be of 1, 2, 4, or 8).",
         [&] { t3.getPixelData(d, 0, RGBA, UB, 5); }, false},
        {"Pixel Buffer Object cannot be memory mapped during data transfer",
         [&] { t3.getPixelData(&mapped, 0, 0, RGBA, UB, 5); }, false},
        {"Invalid row byte alignment (must be of 1, 2, 4, or 8).",
         [&] { t3.getPixelData(&pbo, 0, 0, RGBA, UB, 0); }, false},
        {"Buffer::convertToPackBuffer cannot convert buffer target while bound",
         [&] { t3.getPixelData(&boundArray, 0, 0, RGBA, UB, 1); }, true},
        // Transfers into or out of a texture that is not the one bound.
        {"Texture must be bound", [&] { unbound1.subImage(0, 0, 8, RGBA, UB, d, p); }, true},
        {"Texture must be bound", [&] { unbound1.subImage(0, 0, 8, RGBA, UB, &pbo, 0, p); }, true},
        {"Texture must be bound", [&] { unbound1.copyTexSubImage(0, 0, 0, 0, 8); }, true},
        {"Texture must be bound", [&] { unbound1.getPixelData(d, 0, GL_RGBA, GL_UNSIGNED_BYTE); },
         true},
        {"Texture must be bound",
         [&] { unbound1.getPixelData(&pbo, 0, 0, GL_RGBA, GL_UNSIGNED_BYTE); }, true},
        {"Texture must be bound", [&] { unbound2.subImage(0, 0, 0, 8, 4, RGBA, UB, d, p); }, true},
        {"Texture must be bound", [&] { unbound2.subImage(0, 0, 0, 8, 4, RGBA, UB, &pbo, 0, p); },
         true},
        {"Texture must be bound", [&] { unbound2.copyTexSubImage(0, 0, 0, 0, 0, 8, 4); }, true},
        {"Texture must be bound", [&] { unbound3.subImage(0, 0, 0, 0, 8, 4, 2, RGBA, UB, d, p); },
         true},
        {"Texture must be bound",
         [&] { unbound3.subImage(0, 0, 0, 0, 8, 4, 2, RGBA, UB, &pbo, 0, p); }, true},
        {"Texture must be bound", [&] { unbound3.copyTexSubImage(0, 0, 0, 0, 0, 0, 8, 4); }, true},
        {"Texture must be bound", [&] { unbound3.getPixelData(d, 0, RGBA, UB, 4); }, true},
        {"Texture must be bound", [&] { unbound3.getPixelData(&pbo, 0, 0, RGBA, UB, 4); }, true},
        // Negative read-back offsets, in the classes that take a signed one.
        {"offset(-4) must not be negative",
         [&] { t1.getPixelData(&pbo, -4, 0, GL_RGBA, GL_UNSIGNED_BYTE); }, false},
        {"offset(-1) must not be negative", [&] { t3.getPixelData(&pbo, -1, 0, RGBA, UB, 4); },
         false},
        // An alignment value outside the parameters' table, refused before the buffer's role or
        // any pixel-store state changes.
        {"Enum value not recognized", [&] { t1.subImage(0, 0, 8, RGBA, UB, d, u); }, false},
        {"Enum value not recognized", [&] { t1.subImage(0, 0, 8, RGBA, UB, &packRole, 0, u); },
         false},
        {"Enum value not recognized", [&] { t2.subImage(0, 0, 0, 8, 4, RGBA, UB, d, u); }, false},
        {"Enum value not recognized",
         [&] { t2.subImage(0, 0, 0, 8, 4, RGBA, UB, &packRole, 0, u); }, false},
        {"Enum value not recognized", [&] { t3.subImage(0, 0, 0, 0, 8, 4, 2, RGBA, UB, d, u); },
         false},
        {"Enum value not recognized",
         [&] { t3.subImage(0, 0, 0, 0, 8, 4, 2, RGBA, UB, &packRole, 0, u); }, false},
        // Enumerations outside their tables.
        {"!\"Format enums are not all properly translated.\"",
         [&] { t2.subImage(0, 0, 0, 1, 1, static_cast<Texture::Format>(12), UB, d, p); }, false},
        {"!\"Type enums are not all properly translated.\"",
         [&] { t3.subImage(0, 0, 0, 0, 1, 1, 1, RGBA, Texture::kTypeDefault, d, p); }, false},
        {"!\"Type enums are not all properly translated.\"",
         [&] { t1.subImage(0, 0, 1, RGBA, static_cast<Texture::Type>(21), &pbo, 0, p); }, false},
    };

    VEKTest::SetUnusualPixelStore();
    const auto state = VEKTest::PixelStoreState();
    const GLint depth = VEKTest::ClientAttribStackDepth();
    const auto bindings = Bindings();
    for (const Refusal& refusal : refusals) {
        SCOPED_TRACE(refusal.message);
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf(refusal.statement), refusal.message);
        const std::vector<std::string> queries = refusal.queriesBinding
                                                     ? std::vector<std::string>{"glGetIntegerv"}
                                                     : std::vector<std::string>{};
        EXPECT_EQ(recorder.callsExcept(queries), std::vector<std::string>());
        if (refusal.queriesBinding) {
            EXPECT_GE(recorder.count("glGetIntegerv"), 1u);
        }
        EXPECT_EQ(VEKTest::PixelStoreState(), state);
        EXPECT_EQ(VEKTest::ClientAttribStackDepth(), depth);
        EXPECT_EQ(Bindings(), bindings);
    }
    // A refused role change leaves the role as it was.
    EXPECT_TRUE(boundArray.isArrayBuffer());
    EXPECT_TRUE(pbo.isUnpackBuffer());
    EXPECT_TRUE(packRole.isPackBuffer());
    mapped.bind();
    mapped.unmap();
    Buffer::BindDefaultPackBuffer();
    Buffer::BindDefaultArrayBuffer();
    glBindTexture(GL_TEXTURE_1D, 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindTexture(GL_TEXTURE_3D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(Refusals, ConstructorsRefuseBeforeMakingAnything) {
    // Mesa has no client storage: a texture over caller memory is refused, nothing is made.
    std::vector<std::uint8_t> pixels(16 * 16 * 4);
    VEKTest::RecordingDecorator recorder;
    EXPECT_EQ(
        InternalMessageOf([&] { Texture2D(Texture::kRGBA8, 16, 16, false, pixels.data(), UB); }),
        "ExtensionManager::Instance()->isSupported(GL_APPLE_CLIENT_STORAGE)");
    EXPECT_EQ(InternalMessageOf([&] {
                  TextureRECT(Texture::kRGBA8, 16, 16, pixels.data(), Texture::kTypeDefault);
              }),
              "ExtensionManager::Instance()->isSupported(GL_APPLE_CLIENT_STORAGE)");
    EXPECT_EQ(InternalMessageOf([] {
                  Texture2D(static_cast<Texture::InternalFormat>(58), 4, 4, false, nullptr, UB);
              }),
              "!\"InternalFormat enums are not all properly translated.\"");
    EXPECT_TRUE(recorder.calls().empty()) << recorder.entryPoints().front();

    // The path that works: storage of the texture's own, then an upload.
    Texture2D texture(Texture::kRGBA8, 16, 16, false, nullptr, Texture::kTypeDefault);
    EXPECT_EQ(texture.clientStorage(), nullptr);
    EXPECT_EQ(recorder.count("glPixelStorei"), 0u);  // no client-storage state touched
    GLint clientStorage = -1;
    glGetIntegerv(GL_UNPACK_CLIENT_STORAGE_APPLE, &clientStorage);
    EXPECT_NE(glGetError(), static_cast<GLenum>(GL_NO_ERROR)) << "Mesa knows no client storage";
}

TEST_F(Refusals, AFailedGeneratingCallDeletesTheNameItMade) {
    // An error left pending by earlier code fails the checked generating call after the driver
    // made the name: the constructor throws, and the name goes with it. A name returned by the
    // call (shaders, programs) would be lost with the error: the pending error is taken before,
    // and no name is made.
    struct Row {
        const char* what;
        const char* made;
        const char* deleted;
        std::function<void()> construct;
        std::size_t names = 1;
    };
    const std::vector<std::uint8_t> pixels(2 * 2 * 2 * 4);
    const std::vector<Row> rows = {
        {"Texture1D", "glGenTextures", "glDeleteTextures",
         [] { Texture1D(Texture::kRGBA8, 8, false); }},
        {"Texture2D", "glGenTextures", "glDeleteTextures",
         [] { Texture2D(Texture::kRGBA8, 8, 4, true, nullptr, Texture::kTypeDefault); }},
        {"TextureRECT", "glGenTextures", "glDeleteTextures",
         [] { TextureRECT(Texture::kRGBA8, 3, 2, nullptr, Texture::kTypeDefault); }},
        {"Texture1DArray", "glGenTextures", "glDeleteTextures",
         [] { Texture1DArray(Texture::kRGBA8, 8, 3, false); }},
        {"Texture3D", "glGenTextures", "glDeleteTextures",
         [] { Texture3D(Texture::kRGBA8, 2, 2, 2, false); }},
        {"Texture3D from data", "glGenTextures", "glDeleteTextures",
         [&] {
             Texture3D(Texture::kRGBA8, 0, 2, 2, 2, RGBA, UB, pixels.data(),
                       PixelUnpackParameters());
         }},
        {"Texture2DArray", "glGenTextures", "glDeleteTextures",
         [] { Texture2DArray(Texture::kRGBA8, 2, 2, 3, false); }},
        {"Buffer", "glGenBuffers", "glDeleteBuffers",
         [] { Buffer(16, Buffer::kArrayBuffer, Buffer::kStaticDraw, nullptr); }},
        {"Framebuffer", "glGenFramebuffersEXT", "glDeleteFramebuffersEXT", [] { Framebuffer(); }},
        {"VertexShader", "glCreateShader", "glDeleteShader", [] { VertexShader(); }, 0},
        {"FragmentShader", "glCreateShader", "glDeleteShader", [] { FragmentShader(); }, 0},
        {"Program", "glCreateProgram", "glDeleteProgram", [] { Program(); }, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        VEKTest::RecordingDecorator recorder;
        glEnable(0x7FFF);  // GL_INVALID_ENUM, left pending
        EXPECT_THROW(row.construct(), VEK::OGL::ExceptionOGL);
        EXPECT_EQ(recorder.count(row.made), row.names);
        EXPECT_EQ(recorder.count(row.deleted), row.names);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}
