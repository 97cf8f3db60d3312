#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Texture.h"

namespace VEK {
namespace OGL {

class Buffer;
class PixelUnpackParameters;

/// A one-dimensional texture: storage with an optional mip chain, uploads from client memory or
/// a pixel unpack buffer, copies from the read framebuffer and read-backs. Transfers and setWrap
/// act on the texture bound to the target: bind it first; transfers refuse an unbound texture.
/// Every check (regions against the level-0 size, buffer, parameters, binding) comes before
/// anything is changed.
class VEK_EXPORT Texture1 : public Texture {
public:
    /// Uploads width texels from client memory laid out as parameters describe, at xoffset of
    /// level; the pixel-store state is put back afterwards. Throws InternalException for a zero
    /// width, a negative level, a width beyond the level-0 width, a format, type or alignment
    /// outside its enumeration, or an unbound texture; ExceptionOGL on a GL error.
    void subImage(int level, int xoffset, unsigned width, Format format, Type type,
                  const void* data, const PixelUnpackParameters& parameters);
    /// Uploads from a pixel buffer at byte offset, which becomes a pixel unpack buffer if it is
    /// not one; bindings and pixel-store state are put back afterwards. Throws InternalException
    /// as the client-memory form does, and for a null or mapped buffer, an offset outside it, or
    /// a buffer bound in its other role; ExceptionOGL on a GL error.
    void subImage(int level, int xoffset, unsigned width, Format format, Type type, Buffer* pbo,
                  unsigned offset, const PixelUnpackParameters& parameters);
    /// Copies width texels from (x, y) of the read framebuffer to xoffset of level. Throws
    /// InternalException for a zero width, a negative level, a width beyond the level-0 width or
    /// an unbound texture; ExceptionOGL on a GL error.
    void copyTexSubImage(int level, int xoffset, int x, int y, unsigned width);
    /// Reads level into client memory with rows packed to one byte; glFormat and glType are raw
    /// OpenGL enumerants. Throws InternalException for an unbound texture; ExceptionOGL on a GL
    /// error (an unknown format or type among them).
    void getPixelData(void* data, int level, unsigned glFormat, unsigned glType) const;
    /// Reads level into a pixel buffer at byte offset, rows packed to one byte; the buffer
    /// becomes a pixel pack buffer if it is not one. Throws InternalException for a null or
    /// mapped buffer, a negative offset, a buffer bound in its other role or an unbound texture;
    /// ExceptionOGL on a GL error.
    void getPixelData(Buffer* pbo, int offset, int level, unsigned glFormat, unsigned glType) const;
    /// Bytes of level 0 (whatever level says) in this format and type. Throws InternalException
    /// for a type other than (unsigned) byte, (unsigned) short, half float or float, or a count
    /// beyond 32 bits.
    unsigned pixelDataSize(int level, Format format, Type type) const;
    /// Sets the wrap mode of the texture bound to the target. Throws InternalException for a mode
    /// outside WrapMode; ExceptionOGL on a GL error.
    void setWrap(WrapMode s);

protected:
    /// Defines level 0 (with mipmaps, every level down to one texel) with nearest filtering and
    /// clamped wrapping; the caller's binding of the target is put back. Throws InternalException
    /// for a width that is not a power of two where the context needs one, and as Texture's
    /// constructor does; ExceptionOGL on a GL error.
    Texture1(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
             bool mipmaps);
};

/// A one-dimensional texture (GL_TEXTURE_1D).
class VEK_EXPORT Texture1D : public Texture1 {
public:
    /// Makes the texture and its storage as Texture1 does. Throws InternalException for a width
    /// that is not a power of two where the context needs one or a format outside its
    /// enumeration; ExceptionOGL on a GL error.
    Texture1D(InternalFormat format, unsigned width, bool mipmaps);
};

}  // namespace OGL
}  // namespace VEK
