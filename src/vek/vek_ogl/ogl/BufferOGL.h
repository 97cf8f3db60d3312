#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Object.h"

namespace VEK {
namespace OGL {

/// One OpenGL buffer object of a fixed size, made and filled by the constructor. Its role (pixel
/// unpack, pixel pack, vertex array or element array) chooses the target it binds to and may be
/// changed while it is not bound. subData, getSubData, map and unmap act on whatever buffer is
/// bound to this buffer's target: bind() first.
class VEK_EXPORT Buffer : public Object {
public:
    enum Type : int {
        kUnpackBuffer = 0,
        kPackBuffer = 1,
        kArrayBuffer = 2,
        kElementArrayBuffer = 3
    };
    enum Usage : int {
        kStreamDraw = 0,
        kStreamRead = 1,
        kStreamCopy = 2,
        kStaticDraw = 3,
        kStaticRead = 4,
        kStaticCopy = 5,
        kDynamicDraw = 6,
        kDynamicRead = 7,
        kDynamicCopy = 8
    };

    /// data may be null: the storage is then left undefined. The caller's binding of the target
    /// is the same afterwards.
    Buffer(int nSize, Type type, Usage usage, const void* data);
    /// Deletes the buffer, mapped or bound; OpenGL unmaps a mapped buffer as it deletes it.
    ~Buffer() override;

    /// Pixel and vertex buffer objects both supported by the current context.
    static bool IsSupported();

    void bind();
    static void BindDefaultArrayBuffer();
    static void BindDefaultElementArrayBuffer();
    static void BindDefaultPackBuffer();
    static void BindDefaultUnpackBuffer();

    /// Refused while the buffer is bound to its current target.
    void convertToArrayBuffer();
    void convertToElementArrayBuffer();
    void convertToPackBuffer();
    void convertToUnpackBuffer();

    bool isArrayBuffer() const;
    bool isElementArrayBuffer() const;
    bool isPackBuffer() const;
    bool isUnpackBuffer() const;

    void subData(int offset, int size, const void* data);
    void getSubData(int offset, int size, void* data);
    /// access: GL_READ_ONLY, GL_WRITE_ONLY or GL_READ_WRITE.
    void* map(unsigned access);
    void unmap();

    bool isMapped() const { return mapped_; }
    int size() const { return size_; }
    Usage usagePolicy() const { return usage_; }

    void verifyCurrentBufferObject() const {}

    static unsigned Type2GL(Type type);
    static Type GL2Type(unsigned glTarget);
    static unsigned Usage2GL(Usage usage);
    static Usage GL2Usage(unsigned glUsage);

private:
    void convertTo(Type type, const char* refusal);

    int size_;
    Usage usage_;
    bool mapped_;
};

}  // namespace OGL
}  // namespace VEK
