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
    void subImage(int level, int xoffset, unsigned width, Format format, Type type,
                  const void* data, const PixelUnpackParameters& parameters);
    /// offset: bytes into the buffer, which becomes a pixel unpack buffer if it is not one.
    void subImage(int level, int xoffset, unsigned width, Format format, Type type, Buffer* pbo,
                  unsigned offset, const PixelUnpackParameters& parameters);
    void copyTexSubImage(int level, int xoffset, int x, int y, unsigned width);
    /// Raw OpenGL format and type enumerants.
    void getPixelData(void* data, int level, unsigned glFormat, unsigned glType) const;
    /// The buffer becomes a pixel pack buffer if it is not one; rows are packed to one byte.
    void getPixelData(Buffer* pbo, int offset, int level, unsigned glFormat, unsigned glType) const;
    /// Bytes of level 0 in this format and type.
    unsigned pixelDataSize(int level, Format format, Type type) const;
    void setWrap(WrapMode s);

protected:
    Texture1(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
             bool mipmaps);
};

class VEK_EXPORT Texture1D : public Texture1 {
public:
    Texture1D(InternalFormat format, unsigned width, bool mipmaps);
};

}  // namespace OGL
}  // namespace VEK
