#pragma once

#include "vek/vek_ogl/ogl/Texture.h"

namespace VEK {
namespace OGL {

class Buffer;
class PixelUnpackParameters;

namespace internal {

// The caller of a transfer: its refusals and its OpenGL call name this file and line.
struct Site {
    const char* file;
    int line;
};
#define VEK_TEXTURE_SITE (::VEK::OGL::internal::Site{__FILE__, __LINE__})

// What sets the dimension classes apart, as data: the transfers below are written once over
// the number of dimensions and read their messages and rules from here.
struct TextureRules {
    unsigned dimensions;  // 1, 2 or 3
    // The refusal of a size that is not a power of two where the context needs one.
    const char* powerOfTwo;
    // Per dimension: the refusal of a zero upload size, and the words naming the image's size.
    const char* uploadZero[3];
    const char* uploadImageWords[3];
    // The same for copies from the read framebuffer, which have at most two dimensions.
    const char* copyZero[2];
    const char* copyImageWords[2];
    // Read-backs: whether the binding is checked before anything else (else last); whether
    // COLOR_INDEX is refused for a read into memory and for one into a buffer; whether the
    // class takes OpenGL's own format and type with one-byte rows (and checks neither).
    bool readBoundFirst;
    bool readRefusesColorIndex;
    bool bufferReadRefusesColorIndex;
    bool readTakesGLEnums;
};
extern const TextureRules kTexture1Rules;
extern const TextureRules kTexture2Rules;
extern const TextureRules kTexture3Rules;

// A region of a level: offsets and sizes, one per dimension the rules name.
struct Region {
    int level;
    int offset[3];
    unsigned size[3];
};

// Allocates level 0 of the texture bound to its target, and with mipmaps every halved level
// down to 1 (the layer dimension, layerDimension, keeps its size; -1 for none). data: client
// storage, or null. Nothing bound to the pixel unpack target is read.
void AllocateLevels(Site site, const Texture& texture, const TextureRules& rules,
                    const unsigned size[3], int layerDimension, bool mipmaps, unsigned glType,
                    const void* data);

// Uploads into the bound texture from client memory, or from the buffer at a byte offset.
void Upload(Site site, const Texture& texture, const TextureRules& rules, const Region& region,
            Texture::Format format, Texture::Type type, const void* data,
            const PixelUnpackParameters& parameters);
void Upload(Site site, const Texture& texture, const TextureRules& rules, const Region& region,
            Texture::Format format, Texture::Type type, Buffer* pbo, unsigned offset,
            const PixelUnpackParameters& parameters);

// Copies from the read framebuffer at (x, y): region.size's first two sizes (one for a
// one-dimensional texture), into the slice region.offset[2] of a three-dimensional one.
void Copy(Site site, const Texture& texture, const TextureRules& rules, const Region& region, int x,
          int y);

// Reads a level back with rows aligned to byteAlignment bytes, into memory or into the buffer
// at the offset. The GL forms take OpenGL's format and type (rules.readTakesGLEnums).
void ReadBack(Site site, const Texture& texture, const TextureRules& rules, int level,
              Texture::Format format, Texture::Type type, unsigned byteAlignment, void* data);
void ReadBack(Site site, const Texture& texture, const TextureRules& rules, int level,
              Texture::Format format, Texture::Type type, unsigned byteAlignment, Buffer* pbo,
              long long offset);
void ReadBackGL(Site site, const Texture& texture, const TextureRules& rules, int level,
                unsigned glFormat, unsigned glType, void* data);
void ReadBackGL(Site site, const Texture& texture, const TextureRules& rules, int level,
                unsigned glFormat, unsigned glType, Buffer* pbo, long long offset);

// Bytes of level 0 in this format and type, over the dimensions the rules name.
unsigned PixelDataSize(Site site, const Texture& texture, const TextureRules& rules,
                       Texture::Format format, Texture::Type type);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
