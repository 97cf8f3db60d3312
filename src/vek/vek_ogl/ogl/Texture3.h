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
    void subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width, unsigned height,
                  unsigned depth, Format format, Type type, const void* data,
                  const PixelUnpackParameters& parameters);
    /// offset: bytes into the buffer, which becomes a pixel unpack buffer if it is not one.
    void subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width, unsigned height,
                  unsigned depth, Format format, Type type, Buffer* pbo, unsigned offset,
                  const PixelUnpackParameters& parameters);
    /// Copies into slice zoffset.
    void copyTexSubImage(int level, int xoffset, int yoffset, int zoffset, int x, int y,
                         unsigned width, unsigned height);
    /// byteAlignment: of each row, 1, 2, 4 or 8.
    void getPixelData(void* data, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// The buffer becomes a pixel pack buffer if it is not one.
    void getPixelData(Buffer* pbo, int offset, int level, Format format, Type type,
                      unsigned byteAlignment) const;
    /// Bytes of level 0 in this format and type (the array classes count every layer).
    unsigned pixelDataSize(int level, Format format, Type type) const;
    void setWrap(WrapMode s, WrapMode t, WrapMode r);

protected:
    Texture3(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
             unsigned height, unsigned depth, bool mipmaps);
    /// Defines one level from data laid out as parameters describe.
    Texture3(Target target, TargetBinding targetBinding, InternalFormat format, int level,
             unsigned width, unsigned height, unsigned depth, Format dataFormat, Type type,
             const void* data, const PixelUnpackParameters& parameters);

private:
    /// The power-of-two checks made before any texture exists; returns width.
    static unsigned CheckStorage(Target target, unsigned width, unsigned height, unsigned depth);
    void finishStorage();
};

class VEK_EXPORT Texture3D : public Texture3 {
public:
    Texture3D(InternalFormat format, unsigned width, unsigned height, unsigned depth, bool mipmaps);
    Texture3D(InternalFormat format, int level, unsigned width, unsigned height, unsigned depth,
              Format dataFormat, Type type, const void* data,
              const PixelUnpackParameters& parameters);
    static bool IsSupported() { return true; }
};

/// A two-dimensional array texture: depth is the layer count, the same at every level.
class VEK_EXPORT Texture2DArray : public Texture3 {
public:
    Texture2DArray(InternalFormat format, unsigned width, unsigned height, unsigned layers,
                   bool mipmaps);
    unsigned depth(unsigned level) const override;
};

}  // namespace OGL
}  // namespace VEK
