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
    void subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                  Format format, Type type, const void* data,
                  const PixelUnpackParameters& parameters);
    /// offset: bytes into the buffer, which becomes a pixel unpack buffer if it is not one.
    void subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                  Format format, Type type, Buffer* pbo, unsigned offset,
                  const PixelUnpackParameters& parameters);
    void copyTexSubImage(int level, int xoffset, int yoffset, int x, int y, unsigned width,
                         unsigned height);
    /// byteAlignment: of each row, 1, 2, 4 or 8.
    void getPixelData(void* data, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// The buffer becomes a pixel pack buffer if it is not one.
    void getPixelData(Buffer* pbo, unsigned offset, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// Bytes of level 0 in this format and type.
    unsigned pixelDataSize(int level, Format format, Type type) const;
    void setWrap(WrapMode s, WrapMode t);
    /// The caller's pixel memory the texture was made over, or null.
    void* clientStorage() const { return clientStorage_; }

protected:
    /// clientStorage needs GL_APPLE_client_storage; type kTypeDefault: unsigned bytes.
    Texture2(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
             unsigned height, bool mipmaps, void* clientStorage, Type type);

private:
    /// The checks made before any texture exists; returns width.
    static unsigned CheckStorage(Target target, unsigned width, unsigned height,
                                 const void* clientStorage);

    void* clientStorage_;
};

class VEK_EXPORT Texture2D : public Texture2 {
public:
    /// data: client storage (GL_APPLE_client_storage); null for storage of the texture's own.
    Texture2D(InternalFormat format, unsigned width, unsigned height, bool mipmaps, void* data,
              Type type);
    static bool IsSupported() { return true; }
    static bool isSupported() { return true; }
};

/// A rectangle texture: any size, no mip chain.
class VEK_EXPORT TextureRECT : public Texture2 {
public:
    TextureRECT(InternalFormat format, unsigned width, unsigned height, void* data, Type type);
    static bool IsSupported();
    static bool isSupported() { return IsSupported(); }
};

/// A one-dimensional array texture: height is the layer count, the same at every level.
class VEK_EXPORT Texture1DArray : public Texture2 {
public:
    Texture1DArray(InternalFormat format, unsigned width, unsigned layers, bool mipmaps);
    unsigned depth(unsigned level) const override;
};

}  // namespace OGL
}  // namespace VEK
