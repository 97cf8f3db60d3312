#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Texture.h"

namespace VEK {
namespace OGL {

class Buffer;
class PixelUnpackParameters;

/// A two-dimensional texture (or a one-dimensional array, whose rows are its layers): storage
/// with an optional mip chain, uploads from client memory or a pixel unpack buffer, copies from
/// the read framebuffer and read-backs. Transfers act on the texture bound to the target: bind it
/// first; transfers and setWrap refuse an unbound texture. Every check (regions against the
/// level-0 size, buffer, parameters, binding) comes before anything is changed.
class VEK_EXPORT Texture2 : public Texture {
public:
    /// Uploads a width x height region from client memory laid out as parameters describe, at
    /// (xoffset, yoffset) of level; the pixel-store state is put back afterwards. Throws
    /// InternalException for a zero size, a negative level, a size beyond the level-0 size, a
    /// format, type or alignment outside its enumeration, or an unbound texture; ExceptionOGL on
    /// a GL error.
    void subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                  Format format, Type type, const void* data,
                  const PixelUnpackParameters& parameters);
    /// Uploads from a pixel buffer at byte offset, which becomes a pixel unpack buffer if it is
    /// not one; bindings and pixel-store state are put back afterwards. Throws InternalException
    /// as the client-memory form does, and for a null or mapped buffer, an offset outside it, or
    /// a buffer bound in its other role; ExceptionOGL on a GL error.
    void subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                  Format format, Type type, Buffer* pbo, unsigned offset,
                  const PixelUnpackParameters& parameters);
    /// Copies a width x height region from (x, y) of the read framebuffer to (xoffset, yoffset)
    /// of level. Throws InternalException for a zero size, a negative level, a size beyond the
    /// level-0 size or an unbound texture; ExceptionOGL on a GL error.
    void copyTexSubImage(int level, int xoffset, int yoffset, int x, int y, unsigned width,
                         unsigned height);
    /// Reads level into client memory, each row aligned to byteAlignment (1, 2, 4 or 8) bytes.
    /// Throws InternalException for an unbound texture, kFormatCOLOR_INDEX, a format or type
    /// outside its enumeration or another alignment; ExceptionOGL on a GL error.
    void getPixelData(void* data, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// Reads level into a pixel buffer at byte offset; the buffer becomes a pixel pack buffer if
    /// it is not one. Throws InternalException as the client-memory form does, and for a null or
    /// mapped buffer or a buffer bound in its other role; ExceptionOGL on a GL error.
    void getPixelData(Buffer* pbo, unsigned offset, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// Bytes of level 0 (whatever level says) in this format and type. Throws InternalException
    /// for a type other than (unsigned) byte, (unsigned) short, half float or float, or a count
    /// beyond 32 bits.
    unsigned pixelDataSize(int level, Format format, Type type) const;
    /// Sets the s and t wrap modes. Throws InternalException when the texture is not bound to its
    /// target or for a mode outside WrapMode; ExceptionOGL on a GL error.
    void setWrap(WrapMode s, WrapMode t);
    /// The caller's pixel memory the texture was made over, or null. Throws nothing.
    void* clientStorage() const { return clientStorage_; }

protected:
    /// Defines level 0 (with mipmaps, every level down to one texel; an array keeps its layers)
    /// with nearest filtering and clamped wrapping; the caller's binding of the target is put
    /// back. clientStorage needs GL_APPLE_client_storage; type kTypeDefault: unsigned bytes.
    /// Throws InternalException for a size that is not a power of two where the context needs
    /// one, client storage without its extension, and as Texture's constructor does;
    /// ExceptionOGL on a GL error.
    Texture2(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
             unsigned height, bool mipmaps, void* clientStorage, Type type);

private:
    /// The checks made before any texture exists; returns width.
    static unsigned CheckStorage(Target target, unsigned width, unsigned height,
                                 const void* clientStorage);

    void* clientStorage_;
};

/// A two-dimensional texture (GL_TEXTURE_2D).
class VEK_EXPORT Texture2D : public Texture2 {
public:
    /// Makes the texture and its storage as Texture2 does. data: client storage
    /// (GL_APPLE_client_storage), which must outlive the texture; null for storage of the
    /// texture's own. Throws InternalException for a size that is not a power of two where the
    /// context needs one, client storage without its extension, or a format or type outside its
    /// enumeration; ExceptionOGL on a GL error.
    Texture2D(InternalFormat format, unsigned width, unsigned height, bool mipmaps, void* data,
              Type type);
    /// Two-dimensional textures are always supported: true. Throws nothing.
    static bool IsSupported() { return true; }
    /// The same as IsSupported. Throws nothing.
    static bool isSupported() { return true; }
};

/// A rectangle texture (GL_TEXTURE_RECTANGLE): any size, no mip chain.
class VEK_EXPORT TextureRECT : public Texture2 {
public:
    /// Makes the texture and its storage as Texture2 does, without mipmaps; data: client storage
    /// or null, as for Texture2D. Throws InternalException for a size that is not a power of two
    /// where the context supports neither such sizes nor rectangles, client storage without its
    /// extension, or a format or type outside its enumeration; ExceptionOGL on a GL error.
    TextureRECT(InternalFormat format, unsigned width, unsigned height, void* data, Type type);
    /// Whether the current context supports rectangle textures. Throws nothing.
    static bool IsSupported();
    /// The same as IsSupported. Throws nothing.
    static bool isSupported() { return IsSupported(); }
};

/// A one-dimensional array texture (GL_TEXTURE_1D_ARRAY): height is the layer count, the same at
/// every level.
class VEK_EXPORT Texture1DArray : public Texture2 {
public:
    /// Makes the texture and its storage as Texture2 does, with unsigned-byte storage and no
    /// client storage. Throws InternalException for a width that is not a power of two where the
    /// context needs one or a format outside its enumeration; ExceptionOGL on a GL error.
    Texture1DArray(InternalFormat format, unsigned width, unsigned layers, bool mipmaps);
    /// The level-0 depth (1) at every level. Throws nothing.
    unsigned depth(unsigned level) const override;
};

}  // namespace OGL
}  // namespace VEK
