#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Texture.h"

namespace VEK {
namespace OGL {

class Buffer;
class PixelUnpackParameters;

/// A three-dimensional texture (or a two-dimensional array, whose slices are its layers):
/// storage with an optional mip chain, uploads from client memory or a pixel unpack buffer,
/// copies from the read framebuffer and read-backs. Transfers and setWrap act on the texture
/// bound to the target: bind it first; transfers refuse an unbound texture. Every check (regions
/// against the level-0 size, buffer, parameters, binding) comes before anything is changed.
class VEK_EXPORT Texture3 : public Texture {
public:
    /// Uploads a width x height x depth region from client memory laid out as parameters
    /// describe, at (xoffset, yoffset, zoffset) of level; the pixel-store state is put back
    /// afterwards. Throws InternalException for a zero size, a negative level, a size beyond the
    /// level-0 size, a format, type or alignment outside its enumeration, or an unbound texture;
    /// ExceptionOGL on a GL error.
    void subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width, unsigned height,
                  unsigned depth, Format format, Type type, const void* data,
                  const PixelUnpackParameters& parameters);
    /// Uploads from a pixel buffer at byte offset, which becomes a pixel unpack buffer if it is
    /// not one; bindings and pixel-store state are put back afterwards. Throws InternalException
    /// as the client-memory form does, and for a null or mapped buffer, an offset outside it, or
    /// a buffer bound in its other role; ExceptionOGL on a GL error.
    void subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width, unsigned height,
                  unsigned depth, Format format, Type type, Buffer* pbo, unsigned offset,
                  const PixelUnpackParameters& parameters);
    /// Copies a width x height region from (x, y) of the read framebuffer to (xoffset, yoffset)
    /// of slice zoffset of level. Throws InternalException for a zero size, a negative level, a
    /// size beyond the level-0 size or an unbound texture; ExceptionOGL on a GL error.
    void copyTexSubImage(int level, int xoffset, int yoffset, int zoffset, int x, int y,
                         unsigned width, unsigned height);
    /// Reads level into client memory, each row aligned to byteAlignment (1, 2, 4 or 8) bytes.
    /// Throws InternalException for kFormatCOLOR_INDEX, a format or type outside its
    /// enumeration, another alignment or an unbound texture; ExceptionOGL on a GL error.
    void getPixelData(void* data, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// Reads level into a pixel buffer at byte offset; the buffer becomes a pixel pack buffer if
    /// it is not one. Throws InternalException for a null or mapped buffer, a negative offset, a
    /// format or type outside its enumeration, an alignment other than 1, 2, 4 or 8, a buffer
    /// bound in its other role or an unbound texture; ExceptionOGL on a GL error (which
    /// kFormatCOLOR_INDEX raises).
    void getPixelData(Buffer* pbo, int offset, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// Bytes of level 0 (whatever level says) in this format and type; the array classes count
    /// every layer. Throws InternalException for a type other than (unsigned) byte, (unsigned)
    /// short, half float or float, or a count beyond 32 bits.
    unsigned pixelDataSize(int level, Format format, Type type) const;
    /// Sets the s, t and r wrap modes of the texture bound to the target. Throws
    /// InternalException for a mode outside WrapMode; ExceptionOGL on a GL error.
    void setWrap(WrapMode s, WrapMode t, WrapMode r);

protected:
    /// Defines level 0 (with mipmaps, every level down to one texel; an array keeps its layers)
    /// with nearest filtering and clamped wrapping; the caller's binding of the target is put
    /// back. Throws InternalException for a size that is not a power of two where the context
    /// needs one, and as Texture's constructor does; ExceptionOGL on a GL error.
    Texture3(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
             unsigned height, unsigned depth, bool mipmaps);
    /// Defines one level from data laid out as parameters describe, with nearest filtering and
    /// clamped wrapping; bindings and pixel-store state are put back. Throws InternalException
    /// for a size that is not a power of two where the context needs one, a negative level, a
    /// format, type or alignment outside its enumeration, and as Texture's constructor does;
    /// ExceptionOGL on a GL error.
    Texture3(Target target, TargetBinding targetBinding, InternalFormat format, int level,
             unsigned width, unsigned height, unsigned depth, Format dataFormat, Type type,
             const void* data, const PixelUnpackParameters& parameters);

private:
    /// The power-of-two checks made before any texture exists; returns width.
    static unsigned CheckStorage(Target target, unsigned width, unsigned height, unsigned depth);
    void finishStorage();
};

/// A three-dimensional texture (GL_TEXTURE_3D).
class VEK_EXPORT Texture3D : public Texture3 {
public:
    /// Makes the texture and its storage as Texture3 does. Throws InternalException for a size
    /// that is not a power of two where the context needs one or a format outside its
    /// enumeration; ExceptionOGL on a GL error.
    Texture3D(InternalFormat format, unsigned width, unsigned height, unsigned depth, bool mipmaps);
    /// Makes the texture with the one level given, defined from data laid out as parameters
    /// describe. Throws InternalException for a size that is not a power of two where the context
    /// needs one, a negative level, a format, type or alignment outside its enumeration;
    /// ExceptionOGL on a GL error.
    Texture3D(InternalFormat format, int level, unsigned width, unsigned height, unsigned depth,
              Format dataFormat, Type type, const void* data,
              const PixelUnpackParameters& parameters);
    /// Three-dimensional textures are always supported: true. Throws nothing.
    static bool IsSupported() { return true; }
};

/// A two-dimensional array texture (GL_TEXTURE_2D_ARRAY): depth is the layer count, the same at
/// every level.
class VEK_EXPORT Texture2DArray : public Texture3 {
public:
    /// Makes the texture and its storage as Texture3 does. Throws InternalException for a width
    /// or height that is not a power of two where the context needs one or a format outside its
    /// enumeration; ExceptionOGL on a GL error.
    Texture2DArray(InternalFormat format, unsigned width, unsigned height, unsigned layers,
                   bool mipmaps);
    /// The layer count at every level. Throws nothing.
    unsigned depth(unsigned level) const override;
};

}  // namespace OGL
}  // namespace VEK
