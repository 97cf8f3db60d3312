#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "vek/Export.h"

namespace VEK {
namespace OGL {

class Program;

/// The vertex data of one drawable as separate attribute streams: named float fields of one to
/// four components, each with a host-side copy and, once set up with a program, its own buffer
/// object, all in one vertex array object.
///
///   VertexBuffer vb({{"position", VertexBuffer::kFloat2, VertexBuffer::kStaticDraw},
///                    {"colour", VertexBuffer::kFloat3, VertexBuffer::kStaticDraw}},
///                   3, VertexBuffer::kTriangles);
///   vb.setField("position", bytesOf(positions), false, 0);
///   vb.setField("colour", bytesOf(colours), false, 0);
///   vb.setupWithProgram(&program);   // linked; finds each field's attribute by name
///   vb.marshallData();               // uploads and records the layout
///   program.enable();
///   vb.drawPrimitives(3);
///
/// Copies are refused (one owner of the OpenGL objects); moves hand everything over.
class VEK_EXPORT VertexBuffer {
public:
    /// Float attributes of 1 to 4 components.
    enum AttributeType { kFloat1 = 1, kFloat2 = 2, kFloat3 = 3, kFloat4 = 4 };
    /// OpenGL buffer usages, passed to glBufferData unchanged.
    enum ExpectedUsage : unsigned {
        kStreamDraw = 0x88E0,
        kStreamRead = 0x88E1,
        kStreamCopy = 0x88E2,
        kStaticDraw = 0x88E4,
        kStaticRead = 0x88E5,
        kStaticCopy = 0x88E6,
        kDynamicDraw = 0x88E8,
        kDynamicRead = 0x88E9,
        kDynamicCopy = 0x88EA
    };
    /// OpenGL primitive modes, passed to glDrawArrays unchanged.
    enum PrimitiveType : unsigned {
        kPoints = 0,
        kLines = 1,
        kLineLoop = 2,
        kLineStrip = 3,
        kTriangles = 4,
        kTriangleStrip = 5,
        kTriangleFan = 6
    };

    /// One attribute stream; "Unexpected field type" for a type outside 1 to 4.
    class VEK_EXPORT Field {
    public:
        Field(const std::string& name, AttributeType type, ExpectedUsage usage);

        AttributeType attributeType() const { return attributeType_; }
        const std::string& name() const { return name_; }
        ExpectedUsage expectedUsage() const { return expectedUsage_; }
        /// The attribute location found by setupWithProgram; -1 before.
        int resolvedSlot() const { return resolvedSlot_; }
        unsigned componentType() const { return componentType_; }
        /// Bytes per vertex.
        unsigned elementSize() const { return elementSize_; }
        unsigned componentCount() const { return componentCount_; }

    private:
        friend class VertexBuffer;

        AttributeType attributeType_;
        std::string name_;
        ExpectedUsage expectedUsage_;
        int resolvedSlot_ = -1;
        unsigned componentType_;
        unsigned elementSize_;
        unsigned componentCount_;
    };

    VertexBuffer();
    /// Zero-filled host copies of vertexCount vertices; a field's or the whole buffer's byte
    /// count must fit 32 bits.
    VertexBuffer(const std::vector<Field>& fields, unsigned vertexCount,
                 PrimitiveType primitiveType);
    ~VertexBuffer();
    VertexBuffer(VertexBuffer&& other) noexcept;
    VertexBuffer& operator=(VertexBuffer&& other) noexcept;
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    /// Copies the field's data for every vertex into its host copy, reading one element every
    /// sourceStride bytes (0: tightly packed). index must name a field.
    void setField(unsigned index, const unsigned char* data, unsigned sourceStride);
    /// As above, refusing a copy that would read past dataBytes bytes of source.
    void setField(unsigned index, const unsigned char* data, std::size_t dataBytes,
                  unsigned sourceStride);
    /// The first field of that name; a missing one is skipped with ignoreMissingFields, else
    /// refused.
    void setField(const std::string& name, const unsigned char* data, bool ignoreMissingFields,
                  unsigned sourceStride);
    void setField(const std::string& name, const unsigned char* data, std::size_t dataBytes,
                  bool ignoreMissingFields, unsigned sourceStride);

    /// (Re)creates the vertex array and buffer objects and finds each field's attribute in the
    /// linked program; a field the program lacks is refused.
    void setupWithProgram(Program* oglProgram);
    /// Uploads every field and records the layout in the vertex array object.
    void marshallData();
    /// Draws the first min(count, vertexCount()) vertices with the caller's program.
    void drawPrimitives(unsigned count);

    /// Beside the operations above, an indexed draw. The indices are kept on the host and
    /// uploaded by marshallData into an element buffer of the vertex array object; an index
    /// past the vertices held is refused.
    void setIndices(const unsigned* indices, unsigned count);
    /// Draws the first min(count, indices uploaded) indices with the caller's program.
    void drawIndexedPrimitives(unsigned count);
    unsigned indexCount() const { return static_cast<unsigned>(indices_.size()); }

    unsigned vertexCount() const { return vertexCount_; }
    PrimitiveType primitiveType() const { return primitiveType_; }
    /// Bytes per vertex over all fields, and for all vertices.
    unsigned vertexSize() const { return vertexSize_; }
    unsigned totalSize() const { return totalSize_; }
    const std::vector<Field>& fields() const { return fields_; }
    const std::vector<unsigned char>& hostData(unsigned index) const;

private:
    void setup();
    void prepareHostSideResources();
    void prepareDeviceSideResources();
    void deleteDeviceSideResources();
    void useWithProgram(Program* oglProgram);
    unsigned fieldIndex(const std::string& name) const;

    std::vector<Field> fields_;
    unsigned vertexSize_ = 0;
    unsigned vertexCount_ = 0;
    unsigned totalSize_ = 0;
    PrimitiveType primitiveType_ = kTriangles;
    std::vector<unsigned> attributeBuffers_;
    unsigned vertexBuffer_ = 0;
    std::vector<std::vector<unsigned char>> hostData_;
    std::vector<unsigned> indices_;
    unsigned elementBuffer_ = 0;
    unsigned marshalledIndexCount_ = 0;
};

}  // namespace OGL
}  // namespace VEK
