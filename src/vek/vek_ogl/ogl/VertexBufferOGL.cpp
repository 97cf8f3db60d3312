#include "vek/vek_ogl/ogl/VertexBufferOGL.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstring>
#include <utility>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/ProgramOGL.h"
#include "vek/vek_ogl/ogl/internal/DriverPaths.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"

namespace VEK {
namespace OGL {

namespace {

constexpr unsigned kNoField = ~0u;

// Leaves no vertex array bound when an operation that bound one ends with an exception.
class VertexArrayBinding {
public:
    explicit VertexArrayBinding(GLuint array) { VEK_GL(BindVertexArray)(array); }
    ~VertexArrayBinding() {
        if (!released_) {
            internal::RestoreGuard()([] { VEK_GL(BindVertexArray)(0); });
        }
    }
    void release() {
        released_ = true;
        VEK_GL(BindVertexArray)(0);
    }

private:
    bool released_ = false;
};

}  // namespace

VertexBuffer::Field::Field(const std::string& name, AttributeType type, ExpectedUsage usage)
    : attributeType_(type), name_(name), expectedUsage_(usage), componentType_(GL_FLOAT) {
    if (type < kFloat1 || type > kFloat4) {
        VEK_THROW_INTERNAL("Unexpected field type");
    }
    componentCount_ = static_cast<unsigned>(type);
    elementSize_ = 4 * componentCount_;
}

VertexBuffer::VertexBuffer() = default;

VertexBuffer::VertexBuffer(const std::vector<Field>& fields, unsigned vertexCount,
                           PrimitiveType primitiveType)
    : fields_(fields), vertexCount_(vertexCount), primitiveType_(primitiveType) {
    prepareHostSideResources();
}

VertexBuffer::~VertexBuffer() {
    // A destructor cannot report: an OpenGL error here (the current context does not know the
    // names) is dropped rather than ending the process.
    try {
        deleteDeviceSideResources();
    } catch (...) {
    }
}

VertexBuffer::VertexBuffer(VertexBuffer&& other) noexcept
    : fields_(std::move(other.fields_)),
      vertexSize_(std::exchange(other.vertexSize_, 0)),
      vertexCount_(std::exchange(other.vertexCount_, 0)),
      totalSize_(std::exchange(other.totalSize_, 0)),
      primitiveType_(other.primitiveType_),
      attributeBuffers_(std::move(other.attributeBuffers_)),
      vertexBuffer_(std::exchange(other.vertexBuffer_, 0)),
      hostData_(std::move(other.hostData_)),
      indices_(std::move(other.indices_)),
      elementBuffer_(std::exchange(other.elementBuffer_, 0)),
      marshalledIndexCount_(std::exchange(other.marshalledIndexCount_, 0)) {
    other.fields_.clear();
    other.attributeBuffers_.clear();
    other.hostData_.clear();
    other.indices_.clear();
}

VertexBuffer& VertexBuffer::operator=(VertexBuffer&& other) noexcept {
    if (this != &other) {
        try {
            deleteDeviceSideResources();
        } catch (...) {
        }
        fields_ = std::move(other.fields_);
        vertexSize_ = std::exchange(other.vertexSize_, 0);
        vertexCount_ = std::exchange(other.vertexCount_, 0);
        totalSize_ = std::exchange(other.totalSize_, 0);
        primitiveType_ = other.primitiveType_;
        attributeBuffers_ = std::move(other.attributeBuffers_);
        vertexBuffer_ = std::exchange(other.vertexBuffer_, 0);
        hostData_ = std::move(other.hostData_);
        indices_ = std::move(other.indices_);
        elementBuffer_ = std::exchange(other.elementBuffer_, 0);
        marshalledIndexCount_ = std::exchange(other.marshalledIndexCount_, 0);
        other.fields_.clear();
        other.attributeBuffers_.clear();
        other.hostData_.clear();
        other.indices_.clear();
    }
    return *this;
}

void VertexBuffer::prepareHostSideResources() {
    // Byte counts are worked out in 64 bits and refused when they do not fit the 32-bit sizes
    // (and the int vertex count that glDrawArrays takes).
    VEK_ASSERT(vertexCount_ <= INT_MAX);
    std::uint64_t vertexSize = 0;
    for (const Field& f : fields_) {
        vertexSize += f.elementSize_;
    }
    const std::uint64_t totalSize = vertexSize * vertexCount_;
    if (totalSize > UINT_MAX) {
        VEK_THROW_INTERNAL("Vertex buffer of " << vertexCount_ << " vertices of " << vertexSize
                                               << " bytes exceeds 32-bit sizes");
    }
    vertexSize_ = static_cast<unsigned>(vertexSize);
    totalSize_ = static_cast<unsigned>(totalSize);
    hostData_.assign(fields_.size(), std::vector<unsigned char>());
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        hostData_[i].assign(static_cast<std::size_t>(fields_[i].elementSize_) * vertexCount_, 0);
    }
}

const std::vector<unsigned char>& VertexBuffer::hostData(unsigned index) const {
    VEK_ASSERT(index < hostData_.size());
    return hostData_[index];
}

void VertexBuffer::setField(unsigned index, const unsigned char* data, unsigned sourceStride) {
    // An index past the fields would write past the host copies.
    VEK_ASSERT(index < fields_.size());
    VEK_ASSERT(data != nullptr);
    const std::size_t e = fields_[index].elementSize_;
    if (vertexCount_ == 0) {
        return;
    }
    unsigned char* destination = hostData_[index].data();
    if (sourceStride == 0 || sourceStride == e) {
        std::memcpy(destination, data, e * vertexCount_);
        return;
    }
    for (unsigned v = 0; v < vertexCount_; ++v) {
        std::memcpy(destination, data, e);
        destination += e;
        data += sourceStride;
    }
}

void VertexBuffer::setField(unsigned index, const unsigned char* data, std::size_t dataBytes,
                            unsigned sourceStride) {
    VEK_ASSERT(index < fields_.size());
    const std::uint64_t e = fields_[index].elementSize_;
    std::uint64_t needed = 0;
    if (vertexCount_ > 0) {
        needed = (sourceStride == 0 || sourceStride == e)
                     ? e * vertexCount_
                     : std::uint64_t(sourceStride) * (vertexCount_ - 1) + e;
    }
    if (needed > dataBytes) {
        VEK_THROW_INTERNAL("Field " << fields_[index].name_ << " with source stride "
                                    << sourceStride << " reads " << needed
                                    << " bytes from a source of " << dataBytes);
    }
    setField(index, data, sourceStride);
}

unsigned VertexBuffer::fieldIndex(const std::string& name) const {
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        if (fields_[i].name_ == name) {
            return static_cast<unsigned>(i);
        }
    }
    return kNoField;
}

void VertexBuffer::setField(const std::string& name, const unsigned char* data,
                            bool ignoreMissingFields, unsigned sourceStride) {
    const unsigned index = fieldIndex(name);
    if (index == kNoField) {
        VEK_ASSERT(ignoreMissingFields);
        return;
    }
    setField(index, data, sourceStride);
}

void VertexBuffer::setField(const std::string& name, const unsigned char* data,
                            std::size_t dataBytes, bool ignoreMissingFields,
                            unsigned sourceStride) {
    const unsigned index = fieldIndex(name);
    if (index == kNoField) {
        VEK_ASSERT(ignoreMissingFields);
        return;
    }
    setField(index, data, dataBytes, sourceStride);
}

void VertexBuffer::deleteDeviceSideResources() {
    if (vertexBuffer_ == 0) {
        return;
    }
    const GLuint array = std::exchange(vertexBuffer_, 0);
    std::vector<unsigned> buffers;
    buffers.swap(attributeBuffers_);
    const GLuint elements = std::exchange(elementBuffer_, 0);
    marshalledIndexCount_ = 0;
    VEK_GL(DeleteBuffers)(static_cast<GLsizei>(buffers.size()), buffers.data());
    if (elements != 0) {
        VEK_GL(DeleteBuffers)(1, &elements);
    }
    VEK_GL(DeleteVertexArrays)(1, &array);
}

void VertexBuffer::prepareDeviceSideResources() {
    deleteDeviceSideResources();
    if (!internal::CurrentDriverPaths().vertexArrays) {
        VEK_THROW_INTERNAL(
            "Vertex buffers need vertex array objects (OpenGL 3.0 or GL_ARB_vertex_array_object)");
    }
    // Sized first, so that every name made is in a member the destructor deletes.
    std::vector<unsigned> buffers(fields_.size(), 0);
    VEK_GL(GenVertexArrays)(1, &vertexBuffer_);
    attributeBuffers_.swap(buffers);
    VEK_GL(GenBuffers)(static_cast<GLsizei>(attributeBuffers_.size()), attributeBuffers_.data());
}

void VertexBuffer::setup() {
    prepareDeviceSideResources();
}

void VertexBuffer::useWithProgram(Program* oglProgram) {
    VEK_ENFORCE(oglProgram != NULL);
    for (Field& f : fields_) {
        f.resolvedSlot_ = oglProgram->getAttributeLocation(f.name_.c_str());
        VEK_ASSERT(f.resolvedSlot_ >= 0);
    }
}

void VertexBuffer::setupWithProgram(Program* oglProgram) {
    VEK_ENFORCE(oglProgram != NULL);
    setup();
    useWithProgram(oglProgram);
}

void VertexBuffer::marshallData() {
    VEK_ASSERT(vertexBuffer_ != 0);
    VEK_ASSERT(attributeBuffers_.size() == fields_.size());
    // A field left unresolved by a failed setup would reach OpenGL as location -1.
    for (const Field& f : fields_) {
        VEK_ASSERT(f.resolvedSlot_ >= 0);
    }
    if (!indices_.empty() && elementBuffer_ == 0) {
        VEK_GL(GenBuffers)(1, &elementBuffer_);
    }
    VertexArrayBinding binding(vertexBuffer_);
    for (std::size_t i = 0; i < fields_.size(); ++i) {
        const Field& f = fields_[i];
        const GLuint slot = static_cast<GLuint>(f.resolvedSlot_);
        VEK_GL(BindBuffer)(GL_ARRAY_BUFFER, attributeBuffers_[i]);
        VEK_GL(BufferData)
        (GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(hostData_[i].size()), hostData_[i].data(),
         f.expectedUsage_);
        VEK_GL(VertexAttribPointer)
        (slot, static_cast<GLint>(f.componentCount_), f.componentType_, GL_FALSE, 0, nullptr);
        VEK_GL(EnableVertexAttribArray)(slot);
    }
    if (!indices_.empty()) {
        // The element buffer binding is part of the vertex array object's state.
        VEK_GL(BindBuffer)(GL_ELEMENT_ARRAY_BUFFER, elementBuffer_);
        VEK_GL(BufferData)
        (GL_ELEMENT_ARRAY_BUFFER, static_cast<GLsizeiptr>(indices_.size() * sizeof(unsigned)),
         indices_.data(), GL_STATIC_DRAW);
    }
    binding.release();
    marshalledIndexCount_ = static_cast<unsigned>(indices_.size());
}

void VertexBuffer::setIndices(const unsigned* indices, unsigned count) {
    VEK_ASSERT(count > 0);
    VEK_ASSERT(count <= INT_MAX);
    VEK_ASSERT(indices != nullptr);
    for (unsigned i = 0; i < count; ++i) {
        if (indices[i] >= vertexCount_) {
            VEK_THROW_INTERNAL("Index " << indices[i] << " at " << i << " is past the "
                                        << vertexCount_ << " vertices held");
        }
    }
    indices_.assign(indices, indices + count);
}

void VertexBuffer::drawIndexedPrimitives(unsigned count) {
    VEK_ASSERT(vertexBuffer_ != 0);
    VEK_ASSERT(marshalledIndexCount_ > 0);
    VertexArrayBinding binding(vertexBuffer_);
    VEK_GL(DrawElements)
    (primitiveType_, static_cast<GLsizei>(std::min(count, marshalledIndexCount_)), GL_UNSIGNED_INT,
     nullptr);
    binding.release();
}

void VertexBuffer::drawPrimitives(unsigned count) {
    // Without a vertex array object the draw would read whatever arrays the context has bound.
    VEK_ASSERT(vertexBuffer_ != 0);
    VertexArrayBinding binding(vertexBuffer_);
    VEK_GL(DrawArrays)(primitiveType_, 0, static_cast<GLsizei>(std::min(count, vertexCount_)));
    binding.release();
}

}  // namespace OGL
}  // namespace VEK
