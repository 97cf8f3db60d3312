#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Object.h"

namespace VEK {
namespace OGL {

/// One OpenGL buffer object of a fixed size, made and filled by the constructor. Its role (pixel
/// unpack, pixel pack, vertex array or element array) chooses the target it binds to and may be
/// changed while it is not bound. subData, getSubData, map and unmap act on whatever buffer is
/// bound to this buffer's target: bind() first. Refusals are InternalException with a readable
/// message; errors OpenGL raises come as ExceptionOGL.
class VEK_EXPORT Buffer : public Object {
public:
    /// The buffer's role, which chooses the target it binds to.
    enum Type : int {
        kUnpackBuffer = 0,       ///< Pixel unpack (upload source): GL_PIXEL_UNPACK_BUFFER.
        kPackBuffer = 1,         ///< Pixel pack (read-back destination): GL_PIXEL_PACK_BUFFER.
        kArrayBuffer = 2,        ///< Vertex array: GL_ARRAY_BUFFER.
        kElementArrayBuffer = 3  ///< Element (index) array: GL_ELEMENT_ARRAY_BUFFER.
    };
    /// The usage hint given to glBufferData.
    enum Usage : int {
        kStreamDraw = 0,   ///< GL_STREAM_DRAW.
        kStreamRead = 1,   ///< GL_STREAM_READ.
        kStreamCopy = 2,   ///< GL_STREAM_COPY.
        kStaticDraw = 3,   ///< GL_STATIC_DRAW.
        kStaticRead = 4,   ///< GL_STATIC_READ.
        kStaticCopy = 5,   ///< GL_STATIC_COPY.
        kDynamicDraw = 6,  ///< GL_DYNAMIC_DRAW.
        kDynamicRead = 7,  ///< GL_DYNAMIC_READ.
        kDynamicCopy = 8   ///< GL_DYNAMIC_COPY.
    };

    /// Makes a buffer of nSize bytes in the given role and fills it from data, which may be null
    /// (the storage is then left undefined). The caller's binding of the target is the same
    /// afterwards. Throws InternalException without pixel or vertex buffer object support, for
    /// nSize <= 0 or a type or usage outside its enumeration (nothing is made); ExceptionOGL on a
    /// GL error (the name is deleted again).
    Buffer(int nSize, Type type, Usage usage, const void* data);
    /// Deletes the buffer, mapped or bound; OpenGL unmaps a mapped buffer as it deletes it.
    /// Throws nothing (a failing delete is swallowed).
    ~Buffer() override;

    /// Whether pixel and vertex buffer objects are both supported by the current context.
    /// Throws nothing.
    static bool IsSupported();

    /// Binds the buffer to the target of its role. Throws ExceptionOGL on a GL error.
    void bind();
    /// Binds no buffer to GL_ARRAY_BUFFER. Throws ExceptionOGL on a GL error.
    static void BindDefaultArrayBuffer();
    /// Binds no buffer to GL_ELEMENT_ARRAY_BUFFER. Throws ExceptionOGL on a GL error.
    static void BindDefaultElementArrayBuffer();
    /// Binds no buffer to GL_PIXEL_PACK_BUFFER. Throws ExceptionOGL on a GL error.
    static void BindDefaultPackBuffer();
    /// Binds no buffer to GL_PIXEL_UNPACK_BUFFER. Throws ExceptionOGL on a GL error.
    static void BindDefaultUnpackBuffer();

    /// Makes the buffer a vertex array buffer; no OpenGL binding changes. Throws
    /// InternalException while it is bound to its current target; ExceptionOGL on a GL error.
    void convertToArrayBuffer();
    /// Makes the buffer an element array buffer; no OpenGL binding changes. Throws
    /// InternalException while it is bound to its current target; ExceptionOGL on a GL error.
    void convertToElementArrayBuffer();
    /// Makes the buffer a pixel pack buffer; no OpenGL binding changes. Throws
    /// InternalException while it is bound to its current target; ExceptionOGL on a GL error.
    void convertToPackBuffer();
    /// Makes the buffer a pixel unpack buffer; no OpenGL binding changes. Throws
    /// InternalException while it is bound to its current target; ExceptionOGL on a GL error.
    void convertToUnpackBuffer();

    /// Whether the buffer's role is vertex array. Throws nothing.
    bool isArrayBuffer() const;
    /// Whether the buffer's role is element array. Throws nothing.
    bool isElementArrayBuffer() const;
    /// Whether the buffer's role is pixel pack. Throws nothing.
    bool isPackBuffer() const;
    /// Whether the buffer's role is pixel unpack. Throws nothing.
    bool isUnpackBuffer() const;

    /// Writes size bytes from data at byte offset into the buffer bound to the target. Throws
    /// InternalException while mapped, for null data or a negative offset; ExceptionOGL on a GL
    /// error (a range beyond the buffer among them).
    void subData(int offset, int size, const void* data);
    /// Reads size bytes at byte offset of the buffer bound to the target into data. Throws
    /// InternalException while mapped, for null data or a negative offset; ExceptionOGL on a GL
    /// error (a range beyond the buffer among them).
    void getSubData(int offset, int size, void* data);
    /// Maps the buffer bound to the target and returns OpenGL's pointer (null passed on as it
    /// is); access: GL_READ_ONLY, GL_WRITE_ONLY or GL_READ_WRITE. Throws InternalException when
    /// already mapped; ExceptionOGL on a GL error.
    void* map(unsigned access);
    /// Unmaps the buffer bound to the target. Throws InternalException when not mapped, or with
    /// "Cannot unmap buffer" when OpenGL reports the contents lost (it then still counts as
    /// mapped); ExceptionOGL on a GL error.
    void unmap();

    /// Whether the buffer is mapped (between map and a successful unmap). Throws nothing.
    bool isMapped() const { return mapped_; }
    /// The byte size given at construction. Throws nothing.
    int size() const { return size_; }
    /// The usage hint given at construction. Throws nothing.
    Usage usagePolicy() const { return usage_; }

    /// A hook that checks nothing and has no effect. Throws nothing.
    void verifyCurrentBufferObject() const {}

    /// The OpenGL target of a role. Throws InternalException for a value outside Type.
    static unsigned Type2GL(Type type);
    /// The role of an OpenGL target. Throws InternalException for a target without a role.
    static Type GL2Type(unsigned glTarget);
    /// The OpenGL usage enumerant of a hint. Throws InternalException for a value outside Usage.
    static unsigned Usage2GL(Usage usage);
    /// The hint of an OpenGL usage enumerant. Throws InternalException for any other value.
    static Usage GL2Usage(unsigned glUsage);

private:
    void convertTo(Type type, const char* refusal);

    int size_;
    Usage usage_;
    bool mapped_;
};

}  // namespace OGL
}  // namespace VEK
