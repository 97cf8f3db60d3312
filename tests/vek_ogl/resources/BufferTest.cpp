// Buffer objects on a real context: roles, the caller's bindings, mapping, sub-data, refusals.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include <vek/vek_ogl/ExceptionOGL.h>
#include <vek/vek_ogl/extensionator/FunctionTable.h>
#include <vek/vek_ogl/ogl/BufferOGL.h>

#include "ResourceFixture.h"
#include "support/InternalMessage.h"
#include "support/RecordingDecorator.h"

using namespace VEK::OGL;
using VEKTest::Bound;
using VEKTest::InternalMessageOf;

namespace {

class BufferObject : public VEKTest::ResourceTest {};

// Plain OpenGL beyond 1.1, from the current context's table.
const FunctionTable& Raw() {
    return ExtensionManager::CurrentTable();
}

const char kTranslation[] = "!\"Buffer type enums are not all properly translated.\"";

}  // namespace

TEST_F(BufferObject, TranslationsFollowTheTablesAndRefuseTheRest) {
    const unsigned targets[] = {GL_PIXEL_UNPACK_BUFFER, GL_PIXEL_PACK_BUFFER, GL_ARRAY_BUFFER,
                                GL_ELEMENT_ARRAY_BUFFER};
    for (int i = 0; i < 4; ++i) {
        const auto type = static_cast<Buffer::Type>(i);
        EXPECT_EQ(Buffer::Type2GL(type), targets[i]);
        EXPECT_EQ(Buffer::GL2Type(targets[i]), type);
    }
    const unsigned usages[] = {0x88E0, 0x88E1, 0x88E2, 0x88E4, 0x88E5,
                               0x88E6, 0x88E8, 0x88E9, 0x88EA};
    for (int i = 0; i < 9; ++i) {
        const auto usage = static_cast<Buffer::Usage>(i);
        EXPECT_EQ(Buffer::Usage2GL(usage), usages[i]);
        EXPECT_EQ(Buffer::GL2Usage(usages[i]), usage);
    }
    EXPECT_EQ(InternalMessageOf([] { Buffer::Usage2GL(static_cast<Buffer::Usage>(9)); }),
              kTranslation);
    EXPECT_EQ(InternalMessageOf([] { Buffer::Usage2GL(static_cast<Buffer::Usage>(-1)); }),
              kTranslation);
    EXPECT_EQ(InternalMessageOf([] { Buffer::GL2Usage(0x88E3); }), kTranslation);
    EXPECT_EQ(InternalMessageOf([] { Buffer::Type2GL(static_cast<Buffer::Type>(4)); }),
              kTranslation);
    EXPECT_EQ(InternalMessageOf([] { Buffer::GL2Type(GL_TEXTURE_BUFFER); }), kTranslation);
}

TEST_F(BufferObject, ConstructionFillsAndKeepsTheCallersBinding) {
    ASSERT_TRUE(Buffer::IsSupported());
    GLuint callers = 0;
    Raw().glGenBuffers(1, &callers);
    Raw().glBindBuffer(GL_ARRAY_BUFFER, callers);
    Raw().glBufferData(GL_ARRAY_BUFFER, 16, nullptr, GL_STATIC_DRAW);

    const std::vector<std::uint8_t> data = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
    Buffer vertices(10, Buffer::kArrayBuffer, Buffer::kStaticDraw, data.data());
    EXPECT_EQ(Bound(GL_ARRAY_BUFFER_BINDING), static_cast<GLint>(callers));
    EXPECT_TRUE(vertices.isInitialized());
    EXPECT_TRUE(vertices.isArrayBuffer());
    EXPECT_FALSE(vertices.isBound());
    EXPECT_EQ(vertices.size(), 10);
    EXPECT_EQ(vertices.usagePolicy(), Buffer::kStaticDraw);

    // The driver holds the data and the usage given.
    vertices.bind();
    std::vector<std::uint8_t> back(10);
    vertices.getSubData(0, 10, back.data());
    EXPECT_EQ(back, data);
    GLint usage = 0;
    Raw().glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_USAGE, &usage);
    EXPECT_EQ(usage, GL_STATIC_DRAW);
    const std::uint8_t patch[3] = {90, 91, 92};
    vertices.subData(4, 3, patch);
    vertices.getSubData(3, 5, back.data());
    EXPECT_EQ(std::vector<std::uint8_t>(back.begin(), back.begin() + 5),
              (std::vector<std::uint8_t>{4, 90, 91, 92, 8}));
    Buffer::BindDefaultArrayBuffer();
    EXPECT_EQ(Bound(GL_ARRAY_BUFFER_BINDING), 0);

    Buffer indices(8, Buffer::kElementArrayBuffer, Buffer::kDynamicRead, nullptr);
    EXPECT_TRUE(indices.isElementArrayBuffer());
    EXPECT_EQ(indices.target(), static_cast<unsigned>(GL_ELEMENT_ARRAY_BUFFER));
    Buffer unpack(8, Buffer::kUnpackBuffer, Buffer::kStreamDraw, nullptr);
    EXPECT_TRUE(unpack.isUnpackBuffer());
    Buffer pack(8, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    EXPECT_TRUE(pack.isPackBuffer());
    EXPECT_NE(pack.objectID(), unpack.objectID());
    Raw().glDeleteBuffers(1, &callers);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BufferObject, RefusedSizesMakeNoBufferAndCallNothing) {
    VEKTest::RecordingDecorator recorder;
    EXPECT_EQ(
        InternalMessageOf([] { Buffer(0, Buffer::kArrayBuffer, Buffer::kStaticDraw, nullptr); }),
        "Range error: nSize > 0");
    EXPECT_EQ(
        InternalMessageOf([] { Buffer(-5, Buffer::kArrayBuffer, Buffer::kStaticDraw, nullptr); }),
        "Range error: nSize > 0");
    EXPECT_EQ(InternalMessageOf(
                  [] { Buffer(4, Buffer::kArrayBuffer, static_cast<Buffer::Usage>(12), nullptr); }),
              kTranslation);
    EXPECT_TRUE(recorder.calls().empty());
}

TEST_F(BufferObject, RoleChangesOnlyWhileUnbound) {
    Buffer buffer(64, Buffer::kUnpackBuffer, Buffer::kStreamDraw, nullptr);
    buffer.bind();
    {
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf([&] { buffer.convertToPackBuffer(); }),
                  "Buffer::convertToPackBuffer cannot convert buffer target while bound");
        EXPECT_EQ(InternalMessageOf([&] { buffer.convertToArrayBuffer(); }),
                  "Buffer::convertToArrayBuffer cannot convert buffer target while bound");
        EXPECT_EQ(InternalMessageOf([&] { buffer.convertToElementArrayBuffer(); }),
                  "Buffer::convertToElementArrayBuffer cannot convert buffer target while bound");
        EXPECT_EQ(InternalMessageOf([&] { buffer.convertToUnpackBuffer(); }),
                  "Buffer::convertToUnpackBuffer cannot convert buffer target while bound");
        // Only the binding was asked; nothing was bound or changed.
        EXPECT_EQ(recorder.callsExcept({"glGetIntegerv"}), std::vector<std::string>());
    }
    EXPECT_TRUE(buffer.isUnpackBuffer());
    EXPECT_EQ(Bound(GL_PIXEL_UNPACK_BUFFER_BINDING), static_cast<GLint>(buffer.objectID()));

    Buffer::BindDefaultUnpackBuffer();
    buffer.convertToPackBuffer();
    EXPECT_TRUE(buffer.isPackBuffer());
    EXPECT_EQ(buffer.target(), static_cast<unsigned>(GL_PIXEL_PACK_BUFFER));
    // Bound to its new target, the check is made there.
    buffer.bind();
    EXPECT_EQ(Bound(GL_PIXEL_PACK_BUFFER_BINDING), static_cast<GLint>(buffer.objectID()));
    EXPECT_THROW(buffer.convertToArrayBuffer(), VEK::InternalException);
    Buffer::BindDefaultPackBuffer();
    buffer.convertToArrayBuffer();
    buffer.convertToElementArrayBuffer();
    EXPECT_TRUE(buffer.isElementArrayBuffer());
    buffer.bind();
    EXPECT_EQ(Bound(GL_ELEMENT_ARRAY_BUFFER_BINDING), static_cast<GLint>(buffer.objectID()));
    Buffer::BindDefaultElementArrayBuffer();
    EXPECT_EQ(Bound(GL_ELEMENT_ARRAY_BUFFER_BINDING), 0);
}

TEST_F(BufferObject, MappingAndSubDataRefusals) {
    Buffer buffer(16, Buffer::kArrayBuffer, Buffer::kDynamicDraw, nullptr);
    buffer.bind();
    std::uint8_t bytes[4] = {};
    {
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf([&] { buffer.unmap(); }),
                  "Buffer must be mapped before umapping it (this will cause a GL error)");
        EXPECT_EQ(InternalMessageOf([&] { buffer.subData(-1, 4, bytes); }),
                  "Buffer::subData offset must not be negative");
        EXPECT_EQ(InternalMessageOf([&] { buffer.subData(0, 4, nullptr); }),
                  "Buffer::subData pointer to data must not be NULL");
        EXPECT_EQ(InternalMessageOf([&] { buffer.getSubData(-1, 4, bytes); }),
                  "Buffer::getSubData offset must not be negative");
        EXPECT_EQ(InternalMessageOf([&] { buffer.getSubData(0, 4, nullptr); }),
                  "Buffer::getSubData pointer to data must not be NULL");
        EXPECT_TRUE(recorder.calls().empty());
    }

    auto* mapped = static_cast<std::uint8_t*>(buffer.map(GL_WRITE_ONLY));
    ASSERT_NE(mapped, nullptr);
    EXPECT_TRUE(buffer.isMapped());
    std::memset(mapped, 0x5A, 16);
    {
        VEKTest::RecordingDecorator recorder;
        EXPECT_EQ(InternalMessageOf([&] { buffer.map(GL_READ_ONLY); }),
                  "Buffer is already mapped (this will cause a GL error)");
        // The mapped check comes first.
        EXPECT_EQ(InternalMessageOf([&] { buffer.subData(-1, 4, nullptr); }),
                  "Buffer::subData buffer cannot be mapped");
        EXPECT_EQ(InternalMessageOf([&] { buffer.getSubData(-1, 4, nullptr); }),
                  "Buffer::getSubData buffer cannot be mapped");
        EXPECT_TRUE(recorder.calls().empty());
    }
    buffer.unmap();
    EXPECT_FALSE(buffer.isMapped());
    buffer.getSubData(12, 4, bytes);
    EXPECT_EQ(bytes[0], 0x5A);
    EXPECT_EQ(bytes[3], 0x5A);

    // Beyond the end is for OpenGL to report, through the error checker.
    EXPECT_THROW(buffer.subData(14, 4, bytes), ExceptionOGL);
    Buffer::BindDefaultArrayBuffer();
}

TEST_F(BufferObject, DestroyedWhileMappedReleasesTheNameOnce) {
    auto buffer = std::make_unique<Buffer>(4096, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    const GLuint name = buffer->objectID();
    buffer->bind();
    ASSERT_NE(buffer->map(GL_READ_ONLY), nullptr);
    {
        VEKTest::RecordingDecorator recorder;
        buffer.reset();
        // One delete and no unmap of its own: OpenGL unmaps a buffer as it deletes it.
        EXPECT_EQ(recorder.entryPoints(), std::vector<std::string>{"glDeleteBuffers"});
    }
    EXPECT_FALSE(Raw().glIsBuffer(name));
    EXPECT_EQ(Bound(GL_PIXEL_PACK_BUFFER_BINDING), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    // The next buffer maps afresh.
    Buffer next(16, Buffer::kPackBuffer, Buffer::kStreamRead, nullptr);
    next.bind();
    EXPECT_NE(next.map(GL_READ_ONLY), nullptr);
    next.unmap();
    Buffer::BindDefaultPackBuffer();
}
