#include "vek/vek_ogl/ogl/BufferOGL.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"

namespace VEK {
namespace OGL {

namespace {

struct Role {
    unsigned target;
    unsigned binding;
};

const Role kRoles[] = {
    {GL_PIXEL_UNPACK_BUFFER, GL_PIXEL_UNPACK_BUFFER_BINDING},
    {GL_PIXEL_PACK_BUFFER, GL_PIXEL_PACK_BUFFER_BINDING},
    {GL_ARRAY_BUFFER, GL_ARRAY_BUFFER_BINDING},
    {GL_ELEMENT_ARRAY_BUFFER, GL_ELEMENT_ARRAY_BUFFER_BINDING},
};

const unsigned kUsages[] = {GL_STREAM_DRAW,  GL_STREAM_READ,  GL_STREAM_COPY,
                            GL_STATIC_DRAW,  GL_STATIC_READ,  GL_STATIC_COPY,
                            GL_DYNAMIC_DRAW, GL_DYNAMIC_READ, GL_DYNAMIC_COPY};

const char kTranslationMessage[] = "!\"Buffer type enums are not all properly translated.\"";

}  // namespace

Buffer::Buffer(int nSize, Type type, Usage usage, const void* data)
    : Object(GL_PIXEL_UNPACK_BUFFER, GL_PIXEL_UNPACK_BUFFER_BINDING),
      size_(nSize),
      usage_(usage),
      mapped_(false) {
    ExtensionManager* manager = ExtensionManager::Instance();
    if (!manager->isSupported(OGLEXT_ARB_pixel_buffer_object)) {
        VEK_THROW_INTERNAL("ExtensionManager::Instance()->isSupported(GL_ARB_PIXEL_BUFFER_OBJECT)");
    }
    if (!manager->isSupported(OGLEXT_ARB_vertex_buffer_object)) {
        VEK_THROW_INTERNAL(
            "ExtensionManager::Instance()->isSupported(GL_ARB_VERTEX_BUFFER_OBJECT)");
    }
    if (nSize <= 0) {
        VEK_THROW_INTERNAL("Range error: nSize > 0");
    }
    // Checked before anything is made, so that a bad value leaves no buffer behind.
    const unsigned glTarget = Type2GL(type);
    const unsigned glUsage = Usage2GL(usage);

    // No destructor runs for a constructor that throws: every failure from the generating call
    // on (which may have made the name before its check failed) deletes a name that was made.
    try {
        VEK_GL(GenBuffers)(1, &objectID_);
        if (objectID_ == 0) {
            VEK_THROW_INTERNAL("objectID_ != 0");
        }
        // The new name was never bound, so the role change cannot be refused.
        changeTarget(glTarget, kRoles[type].binding);
        const unsigned previous = getBoundID();
        bind();
        try {
            VEK_GL(BufferData)(glTarget, nSize, data, glUsage);
        } catch (...) {
            VEK_GL(BindBuffer)(glTarget, previous);
            throw;
        }
        VEK_GL(BindBuffer)(glTarget, previous);
    } catch (...) {
        if (objectID_ != 0) {
            try {
                VEK_GL(DeleteBuffers)(1, &objectID_);
            } catch (...) {
                // The first failure is the one to report.
            }
        }
        throw;
    }
}

Buffer::~Buffer() {
    try {
        VEK_GL(DeleteBuffers)(1, &objectID_);
    } catch (...) {
        // A destructor cannot report: the name is given up either way.
    }
}

bool Buffer::IsSupported() {
    ExtensionManager* manager = ExtensionManager::Instance();
    return manager->isSupported(OGLEXT_ARB_pixel_buffer_object) &&
           manager->isSupported(OGLEXT_ARB_vertex_buffer_object);
}

void Buffer::bind() {
    VEK_GL(BindBuffer)(target(), objectID_);
}

void Buffer::BindDefaultArrayBuffer() {
    VEK_GL(BindBuffer)(GL_ARRAY_BUFFER, 0);
}

void Buffer::BindDefaultElementArrayBuffer() {
    VEK_GL(BindBuffer)(GL_ELEMENT_ARRAY_BUFFER, 0);
}

void Buffer::BindDefaultPackBuffer() {
    VEK_GL(BindBuffer)(GL_PIXEL_PACK_BUFFER, 0);
}

void Buffer::BindDefaultUnpackBuffer() {
    VEK_GL(BindBuffer)(GL_PIXEL_UNPACK_BUFFER, 0);
}

void Buffer::convertTo(Type type, const char* refusal) {
    if (getBoundID() == objectID_) {
        VEK_THROW_INTERNAL(refusal);
    }
    changeTarget(kRoles[type].target, kRoles[type].binding);
}

void Buffer::convertToArrayBuffer() {
    convertTo(kArrayBuffer,
              "Buffer::convertToArrayBuffer cannot convert buffer target while bound");
}

void Buffer::convertToElementArrayBuffer() {
    convertTo(kElementArrayBuffer,
              "Buffer::convertToElementArrayBuffer cannot convert buffer target while bound");
}

void Buffer::convertToPackBuffer() {
    convertTo(kPackBuffer, "Buffer::convertToPackBuffer cannot convert buffer target while bound");
}

void Buffer::convertToUnpackBuffer() {
    convertTo(kUnpackBuffer,
              "Buffer::convertToUnpackBuffer cannot convert buffer target while bound");
}

bool Buffer::isArrayBuffer() const {
    return target() == GL_ARRAY_BUFFER;
}

bool Buffer::isElementArrayBuffer() const {
    return target() == GL_ELEMENT_ARRAY_BUFFER;
}

bool Buffer::isPackBuffer() const {
    return target() == GL_PIXEL_PACK_BUFFER;
}

bool Buffer::isUnpackBuffer() const {
    return target() == GL_PIXEL_UNPACK_BUFFER;
}

void Buffer::subData(int offset, int size, const void* data) {
    if (mapped_) {
        VEK_THROW_INTERNAL("Buffer::subData buffer cannot be mapped");
    }
    if (data == nullptr) {
        VEK_THROW_INTERNAL("Buffer::subData pointer to data must not be NULL");
    }
    if (offset < 0) {
        VEK_THROW_INTERNAL("Buffer::subData offset must not be negative");
    }
    VEK_GL(BufferSubData)(target(), offset, size, data);
}

void Buffer::getSubData(int offset, int size, void* data) {
    if (mapped_) {
        VEK_THROW_INTERNAL("Buffer::getSubData buffer cannot be mapped");
    }
    if (data == nullptr) {
        VEK_THROW_INTERNAL("Buffer::getSubData pointer to data must not be NULL");
    }
    if (offset < 0) {
        VEK_THROW_INTERNAL("Buffer::getSubData offset must not be negative");
    }
    VEK_GL(GetBufferSubData)(target(), offset, size, data);
}

void* Buffer::map(unsigned access) {
    if (mapped_) {
        VEK_THROW_INTERNAL("Buffer is already mapped (this will cause a GL error)");
    }
    void* pointer = VEK_GL(MapBuffer)(target(), access);
    mapped_ = true;
    return pointer;
}

void Buffer::unmap() {
    if (!mapped_) {
        VEK_THROW_INTERNAL("Buffer must be mapped before umapping it (this will cause a GL error)");
    }
    if (!VEK_GL(UnmapBuffer)(target())) {
        VEK_THROW_INTERNAL("Cannot unmap buffer");
    }
    mapped_ = false;
}

unsigned Buffer::Type2GL(Type type) {
    const int index = static_cast<int>(type);
    if (index < 0 || index >= static_cast<int>(sizeof(kRoles) / sizeof(kRoles[0]))) {
        VEK_THROW_INTERNAL(kTranslationMessage);
    }
    return kRoles[index].target;
}

Buffer::Type Buffer::GL2Type(unsigned glTarget) {
    for (unsigned i = 0; i < sizeof(kRoles) / sizeof(kRoles[0]); ++i) {
        if (kRoles[i].target == glTarget) {
            return static_cast<Type>(i);
        }
    }
    VEK_THROW_INTERNAL(kTranslationMessage);
}

unsigned Buffer::Usage2GL(Usage usage) {
    const int index = static_cast<int>(usage);
    if (index < 0 || index >= static_cast<int>(sizeof(kUsages) / sizeof(kUsages[0]))) {
        VEK_THROW_INTERNAL(kTranslationMessage);
    }
    return kUsages[index];
}

Buffer::Usage Buffer::GL2Usage(unsigned glUsage) {
    for (unsigned i = 0; i < sizeof(kUsages) / sizeof(kUsages[0]); ++i) {
        if (kUsages[i] == glUsage) {
            return static_cast<Usage>(i);
        }
    }
    VEK_THROW_INTERNAL(kTranslationMessage);
}

}  // namespace OGL
}  // namespace VEK
