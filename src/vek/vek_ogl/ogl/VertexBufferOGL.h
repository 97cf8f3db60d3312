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
    /// Float attributes of 1 to 4 components (kFloat1 to kFloat4).
    enum AttributeType { kFloat1 = 1, kFloat2 = 2, kFloat3 = 3, kFloat4 = 4 };
    /// OpenGL buffer usages, passed to glBufferData unchanged.
    enum ExpectedUsage : unsigned {
        kStreamDraw = 0x88E0,   ///< GL_STREAM_DRAW
        kStreamRead = 0x88E1,   ///< GL_STREAM_READ
        kStreamCopy = 0x88E2,   ///< GL_STREAM_COPY
        kStaticDraw = 0x88E4,   ///< GL_STATIC_DRAW
        kStaticRead = 0x88E5,   ///< GL_STATIC_READ
        kStaticCopy = 0x88E6,   ///< GL_STATIC_COPY
        kDynamicDraw = 0x88E8,  ///< GL_DYNAMIC_DRAW
        kDynamicRead = 0x88E9,  ///< GL_DYNAMIC_READ
        kDynamicCopy = 0x88EA   ///< GL_DYNAMIC_COPY
    };
    /// OpenGL primitive modes, passed to glDrawArrays unchanged.
    enum PrimitiveType : unsigned {
        kPoints = 0,         ///< GL_POINTS
        kLines = 1,          ///< GL_LINES
        kLineLoop = 2,       ///< GL_LINE_LOOP
        kLineStrip = 3,      ///< GL_LINE_STRIP
        kTriangles = 4,      ///< GL_TRIANGLES
        kTriangleStrip = 5,  ///< GL_TRIANGLE_STRIP
        kTriangleFan = 6     ///< GL_TRIANGLE_FAN
    };

    /// One attribute stream; "Unexpected field type" for a type outside 1 to 4.
    class VEK_EXPORT Field {
    public:
        /// A field named after its shader attribute. Throws InternalException ("Unexpected field
        /// type") for a type outside 1 to 4.
        Field(const std::string& name, AttributeType type, ExpectedUsage usage);

        /// The field's type. Throws nothing.
        AttributeType attributeType() const { return attributeType_; }
        /// The attribute name. Throws nothing.
        const std::string& name() const { return name_; }
        /// The buffer usage. Throws nothing.
        ExpectedUsage expectedUsage() const { return expectedUsage_; }
        /// The attribute location found by setupWithProgram; -1 before. Throws nothing.
        int resolvedSlot() const { return resolvedSlot_; }
        /// GL_FLOAT. Throws nothing.
        unsigned componentType() const { return componentType_; }
        /// Bytes per vertex. Throws nothing.
        unsigned elementSize() const { return elementSize_; }
        /// Components per vertex, 1 to 4. Throws nothing.
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

    /// No fields and no vertices. Throws nothing.
    VertexBuffer();
    /// Zero-filled host copies of vertexCount vertices; a field's or the whole buffer's byte
    /// count must fit 32 bits. Throws InternalException when they do not.
    VertexBuffer(const std::vector<Field>& fields, unsigned vertexCount,
                 PrimitiveType primitiveType);
    /// Deletes the OpenGL objects; failures are dropped. Throws nothing.
    ~VertexBuffer();
    /// Takes other's fields, host copies and OpenGL objects. Throws nothing.
    VertexBuffer(VertexBuffer&& other) noexcept;
    /// Deletes this buffer's OpenGL objects and takes other's. Throws nothing.
    VertexBuffer& operator=(VertexBuffer&& other) noexcept;
    VertexBuffer(const VertexBuffer&) = delete;
    VertexBuffer& operator=(const VertexBuffer&) = delete;

    /// Copies the field's data for every vertex into its host copy, reading one element every
    /// sourceStride bytes (0: tightly packed). index must name a field. Throws
    /// InternalException for a bad index or null data.
    void setField(unsigned index, const unsigned char* data, unsigned sourceStride);
    /// As above, refusing a copy that would read past dataBytes bytes of source. Throws
    /// InternalException for a bad index, null data or a source too short.
    void setField(unsigned index, const unsigned char* data, std::size_t dataBytes,
                  unsigned sourceStride);
    /// The first field of that name; a missing one is skipped with ignoreMissingFields, else
    /// refused. Throws InternalException for a missing field without ignoreMissingFields, and
    /// as setField(unsigned, const unsigned char*, unsigned).
    void setField(const std::string& name, const unsigned char* data, bool ignoreMissingFields,
                  unsigned sourceStride);
    /// The same with the source's size, as setField(unsigned, const unsigned char*, std::size_t,
    /// unsigned). Throws InternalException for a missing field without ignoreMissingFields, and as
    /// that overload.
    void setField(const std::string& name, const unsigned char* data, std::size_t dataBytes,
                  bool ignoreMissingFields, unsigned sourceStride);

    /// (Re)creates the vertex array and buffer objects and finds each field's attribute in the
    /// linked program; a field the program lacks is refused. Throws InternalException for a null
    /// program, a missing attribute or without vertex array objects (OpenGL 3.0 or
    /// GL_ARB_vertex_array_object); ExceptionOGL on a GL error, InternalException without a current
    /// context.
    void setupWithProgram(Program* oglProgram);
    /// Uploads every field and records the layout in the vertex array object. Throws
    /// InternalException before setupWithProgram; ExceptionOGL on a GL error, InternalException
    /// without a current context.
    void marshallData();
    /// Draws the first min(count, vertexCount()) vertices with the caller's program. Throws
    /// InternalException before setupWithProgram; ExceptionOGL on a GL error, InternalException
    /// without a current context.
    void drawPrimitives(unsigned count);

    /// Beside the operations above, an indexed draw. The indices are kept on the host and
    /// uploaded by marshallData into an element buffer of the vertex array object; an index
    /// past the vertices held is refused. Throws InternalException for no or null indices or an
    /// index past the vertices.
    void setIndices(const unsigned* indices, unsigned count);
    /// Draws the first min(count, indices uploaded) indices with the caller's program. Throws
    /// InternalException before marshallData uploaded indices; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    void drawIndexedPrimitives(unsigned count);
    /// Indices held on the host. Throws nothing.
    unsigned indexCount() const { return static_cast<unsigned>(indices_.size()); }

    /// Vertices held. Throws nothing.
    unsigned vertexCount() const { return vertexCount_; }
    /// The primitive mode of the draws. Throws nothing.
    PrimitiveType primitiveType() const { return primitiveType_; }
    /// Bytes per vertex over all fields. Throws nothing.
    unsigned vertexSize() const { return vertexSize_; }
    /// Bytes for all vertices over all fields. Throws nothing.
    unsigned totalSize() const { return totalSize_; }
    /// The fields in order. Throws nothing.
    const std::vector<Field>& fields() const { return fields_; }
    /// Field index's host copy. Throws InternalException for a bad index.
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
