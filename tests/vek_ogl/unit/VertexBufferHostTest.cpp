// Vertex buffers' host side, which needs no context: field sizes, strides and the refusals.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>
#include <vector>

#include <vek/vek_ogl/extensionator/OpenGLTypes.h>
#include <vek/vek_ogl/ogl/VertexBufferOGL.h>

#include "support/InternalMessage.h"

using namespace VEK::OGL;
using VEKTest::InternalMessageOf;
using VB = VertexBuffer;

namespace {

const unsigned char* Bytes(const float* data) {
    return reinterpret_cast<const unsigned char*>(data);
}

}  // namespace

TEST(VertexBufferHost, LayoutStridesAndRefusals) {
    EXPECT_EQ(InternalMessageOf([] { VB::Field("pos", VB::AttributeType(5), VB::kStaticDraw); }),
              "Unexpected field type");
    EXPECT_EQ(InternalMessageOf([] { VB::Field("pos", VB::AttributeType(0), VB::kStaticDraw); }),
              "Unexpected field type");
    VB empty;
    EXPECT_EQ(empty.vertexCount(), 0u);
    EXPECT_TRUE(empty.fields().empty());

    VB vb({VB::Field("a", VB::kFloat3, VB::kStaticDraw),
           VB::Field("b", VB::kFloat2, VB::kStaticDraw)},
          4, VB::kTriangleStrip);
    EXPECT_EQ(vb.vertexSize(), 20u);
    EXPECT_EQ(vb.totalSize(), 80u);
    EXPECT_EQ(vb.hostData(0), std::vector<unsigned char>(48, 0));
    EXPECT_EQ(vb.hostData(1).size(), 32u);
    EXPECT_EQ(vb.fields()[0].elementSize(), 12u);
    EXPECT_EQ(vb.fields()[1].componentCount(), 2u);
    EXPECT_EQ(vb.fields()[0].componentType(), unsigned(GL_FLOAT));
    EXPECT_EQ(vb.fields()[0].resolvedSlot(), -1);
    EXPECT_EQ(vb.primitiveType(), VB::kTriangleStrip);

    float source[16];
    for (int i = 0; i < 16; ++i) {
        source[i] = float(i);
    }
    vb.setField(0, Bytes(source), 0);
    const std::vector<unsigned char> packed = vb.hostData(0);
    EXPECT_EQ(std::memcmp(packed.data(), source, 48), 0);
    vb.setField(0, Bytes(source + 1), 12);  // the element size: the same one-block copy
    EXPECT_EQ(std::memcmp(vb.hostData(0).data(), source + 1, 48), 0);
    vb.setField(0, Bytes(source), 16);  // every fourth float skipped
    const float* strided = reinterpret_cast<const float*>(vb.hostData(0).data());
    EXPECT_EQ(std::vector<float>(strided, strided + 12),
              (std::vector<float>{0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14}));

    // With the source's size, a copy that would read past it is refused and changes nothing.
    vb.setField(0, Bytes(source), sizeof(source), 16);  // reads 3 x 16 + 12 = 60 bytes
    EXPECT_EQ(InternalMessageOf([&] { vb.setField(0, Bytes(source + 1), 59, 16); }),
              "Field a with source stride 16 reads 60 bytes from a source of 59");
    EXPECT_EQ(InternalMessageOf([&] { vb.setField("b", Bytes(source), 31, false, 0); }),
              "Field b with source stride 0 reads 32 bytes from a source of 31");
    EXPECT_EQ(std::vector<float>(strided, strided + 3), (std::vector<float>{0, 1, 2}));

    vb.setField("b", Bytes(source + 8), false, 0);
    EXPECT_EQ(std::memcmp(vb.hostData(1).data(), source + 8, 32), 0);
    vb.setField("missing", Bytes(source), true, 0);  // skipped
    EXPECT_EQ(InternalMessageOf([&] { vb.setField("missing", Bytes(source), false, 0); }),
              "ignoreMissingFields");
    EXPECT_EQ(InternalMessageOf([&] { vb.setField(2, Bytes(source), 0); }),
              "index < fields_.size()");
    EXPECT_EQ(InternalMessageOf([&] { vb.setField(0, nullptr, 0); }), "data != nullptr");

    // Byte counts that do not fit 32 bits are refused before anything is allocated.
    EXPECT_EQ(InternalMessageOf([] {
                  VB huge({VB::Field("p", VB::kFloat4, VB::kStaticDraw)}, 0x10000000u, VB::kPoints);
              }),
              "Vertex buffer of 268435456 vertices of 16 bytes exceeds 32-bit sizes");

    VB moved(std::move(vb));
    EXPECT_EQ(moved.totalSize(), 80u);
    EXPECT_EQ(vb.totalSize(), 0u);
    EXPECT_TRUE(vb.fields().empty());
}
