#include "vek/vek_ogl/ogl/internal/TextureTransfer.h"

#include <cstdint>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"
#include "vek/vek_ogl/ogl/PixelUnpackParameters.h"
#include "vek/vek_ogl/ogl/internal/PixelStore.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

namespace VEK {
namespace OGL {
namespace internal {

const TextureRules kTexture1Rules = {
    1,
    "Texture2::ctor hardware only supports power of two textures",
    {"error subimage width of zero supplied", nullptr, nullptr},
    {"width of image", nullptr, nullptr},
    {"error copySubimage width of zero supplied", nullptr},
    {"width of image", nullptr},
    false,
    false,
    false,
    true,
};

const TextureRules kTexture2Rules = {
    2,
    "Texture2::ctor hardware only supports power of two textures",
    {"error subimage width of zero supplied", "error subimage height of zero supplied", nullptr},
    {"width of image", "height of image", nullptr},
    {"error copySubimage width of zero supplied", "error copySubimage height of zero supplied"},
    {"width of image", "height of image"},
    true,
    true,
    true,
    false,
};

const TextureRules kTexture3Rules = {
    3,
    "Texture3::ctor hardware only supports power of two textures",
    {"error subimage width  of zero supplied", "error subimage height of zero supplied",
     "error subimage depth  of zero supplied"},
    {"width  of image", "height of image", "depth  of image"},
    {"error copySubimage width of zero supplied", "error copySubimage height of zero supplied"},
    {"width of image", "height of image"},
    false,
    true,
    false,
    false,
};

namespace {

struct GLFormatType {
    GLenum format;
    GLenum type;
};

const char* const kSizeNames[3] = {"width", "height", "depth"};

unsigned LevelZeroSize(const Texture& texture, unsigned dimension) {
    switch (dimension) {
        case 0:
            return texture.width(0);
        case 1:
            return texture.height(0);
        default:
            return texture.depth(0);
    }
}

// The dimensions of the pixel-store state a transfer reads and sets: an array's layers are
// images to some drivers (Mesa reads a one-dimensional array back layer by layer, with the pack
// image height and skipped images), so every array transfer takes the three-dimensional state.
unsigned PixelStoreDimensions(const Texture& texture, const TextureRules& rules) {
    const GLenum target = texture.target();
    return target == GL_TEXTURE_1D_ARRAY || target == GL_TEXTURE_2D_ARRAY ? 3 : rules.dimensions;
}

PixelLayout Layout(const Texture& texture, const TextureRules& rules, GLenum format, GLenum type,
                   unsigned width) {
    return PixelLayout{PixelStoreDimensions(texture, rules), format, type, width};
}

// The row width of a level as OpenGL stores it; a level that cannot exist reads as 0 (its rows
// are then taken to need the alignment).
unsigned LevelWidth(const Texture& texture, int level) {
    return level < 0 || level > 31 ? 0 : texture.width(static_cast<unsigned>(level));
}

GLsizei Size(unsigned size) {
    return static_cast<GLsizei>(size);
}

void SubImage(Site site, GLenum target, unsigned dimensions, const Region& r, GLenum format,
              GLenum type, const void* data) {
    switch (dimensions) {
        case 1:
            VEK_GL_AT(TexSubImage1D, site.file, site.line)
            (target, r.level, r.offset[0], Size(r.size[0]), format, type, data);
            break;
        case 2:
            VEK_GL_AT(TexSubImage2D, site.file, site.line)
            (target, r.level, r.offset[0], r.offset[1], Size(r.size[0]), Size(r.size[1]), format,
             type, data);
            break;
        default:
            VEK_GL_AT(TexSubImage3D, site.file, site.line)
            (target, r.level, r.offset[0], r.offset[1], r.offset[2], Size(r.size[0]),
             Size(r.size[1]), Size(r.size[2]), format, type, data);
            break;
    }
}

// The checks every read-back makes, in the class's order; returns the OpenGL format and type.
GLFormatType CheckReadBack(Site site, const Texture& texture, const TextureRules& rules,
                           Texture::Format format, Texture::Type type, unsigned byteAlignment,
                           const Buffer* pbo, long long offset, bool toBuffer) {
    if (rules.readBoundFirst) {
        CheckBound(site.file, site.line, texture);
    }
    if (toBuffer) {
        CheckBufferTransfer(site.file, site.line, pbo, offset, false);
    }
    const bool refusesColorIndex =
        toBuffer ? rules.bufferReadRefusesColorIndex : rules.readRefusesColorIndex;
    if (refusesColorIndex && format == Texture::kFormatCOLOR_INDEX) {
        throw InternalException(site.file, site.line, "COLOR_INDEX not allowed here!");
    }
    const GLFormatType gl{Texture::Format2GL(format), Texture::Type2GL(type)};
    CheckRowAlignment(site.file, site.line, byteAlignment);
    if (!rules.readBoundFirst) {
        CheckBound(site.file, site.line, texture);
    }
    return gl;
}

// The refusals an upload makes before it changes anything; returns the OpenGL format and type.
GLFormatType CheckUpload(Site site, const Texture& texture, const TextureRules& rules,
                         const Region& region, Texture::Format format, Texture::Type type,
                         bool fromBuffer, const Buffer* pbo, unsigned offset,
                         const PixelUnpackParameters& parameters) {
    for (unsigned d = 0; d < rules.dimensions; ++d) {
        CheckNonZero(site.file, site.line, region.size[d], rules.uploadZero[d]);
    }
    CheckLevel(site.file, site.line, region.level);
    for (unsigned d = 0; d < rules.dimensions; ++d) {
        CheckNotGreater(site.file, site.line, kSizeNames[d], region.size[d],
                        rules.uploadImageWords[d], LevelZeroSize(texture, d));
    }
    if (fromBuffer) {
        CheckBufferTransfer(site.file, site.line, pbo, offset, true);
    }
    const GLFormatType gl{Texture::Format2GL(format), Texture::Type2GL(type)};
    UnpackAlignmentBytes(site.file, site.line, parameters.alignment());
    CheckBound(site.file, site.line, texture);
    return gl;
}

}  // namespace

void AllocateLevels(Site site, const Texture& texture, const TextureRules& rules,
                    const unsigned size[3], int layerDimension, bool mipmaps, unsigned glType,
                    const void* data) {
    const GLenum target = texture.target();
    const GLint internalFormat = static_cast<GLint>(Texture::InternalFormat2GL(texture.format()));
    const GLenum format = texture.getGLFormat(texture.format());
    const unsigned dimensions = rules.dimensions;
    // Storage only: no buffer the caller left bound may be read from.
    ClientMemoryScope noBuffer(false);
    unsigned s[3] = {size[0], size[1], size[2]};
    for (GLint level = 0;; ++level) {
        switch (dimensions) {
            case 1:
                VEK_GL_AT(TexImage1D, site.file, site.line)
                (target, level, internalFormat, Size(s[0]), 0, format, glType, data);
                break;
            case 2:
                VEK_GL_AT(TexImage2D, site.file, site.line)
                (target, level, internalFormat, Size(s[0]), Size(s[1]), 0, format, glType, data);
                break;
            default:
                VEK_GL_AT(TexImage3D, site.file, site.line)
                (target, level, internalFormat, Size(s[0]), Size(s[1]), Size(s[2]), 0, format,
                 glType, data);
                break;
        }
        if (!mipmaps) {
            break;
        }
        // Layers stay; every other size halves down to 1, and the chain ends when all reach 0.
        bool allZero = true;
        for (unsigned d = 0; d < dimensions; ++d) {
            if (static_cast<int>(d) != layerDimension) {
                s[d] >>= 1;
                allZero = allZero && s[d] == 0;
            }
        }
        if (allZero) {
            break;
        }
        for (unsigned d = 0; d < dimensions; ++d) {
            s[d] = s[d] == 0 ? 1 : s[d];
        }
    }
    noBuffer.restore();
}

void Upload(Site site, const Texture& texture, const TextureRules& rules, const Region& region,
            Texture::Format format, Texture::Type type, const void* data,
            const PixelUnpackParameters& parameters) {
    const GLFormatType gl =
        CheckUpload(site, texture, rules, region, format, type, false, nullptr, 0, parameters);
    PixelStoreChange change;
    SetUnpackState(change, parameters, Layout(texture, rules, gl.format, gl.type, region.size[0]));
    ClientMemoryScope noBuffer(false);
    SubImage(site, texture.target(), rules.dimensions, region, gl.format, gl.type, data);
    noBuffer.restore();
    change.restore();
}

void Upload(Site site, const Texture& texture, const TextureRules& rules, const Region& region,
            Texture::Format format, Texture::Type type, Buffer* pbo, unsigned offset,
            const PixelUnpackParameters& parameters) {
    const GLFormatType gl =
        CheckUpload(site, texture, rules, region, format, type, true, pbo, offset, parameters);
    BufferTransferScope transfer(pbo, BufferTransferScope::kUnpack);
    SetUnpackState(transfer.pixelStore(), parameters,
                   Layout(texture, rules, gl.format, gl.type, region.size[0]));
    transfer.bindBuffer();
    SubImage(site, texture.target(), rules.dimensions, region, gl.format, gl.type,
             BufferOffset(offset));
    transfer.finish();
}

void Copy(Site site, const Texture& texture, const TextureRules& rules, const Region& r, int x,
          int y) {
    const unsigned dimensions = rules.dimensions < 2 ? rules.dimensions : 2;
    for (unsigned d = 0; d < dimensions; ++d) {
        CheckNonZero(site.file, site.line, r.size[d], rules.copyZero[d]);
    }
    CheckLevel(site.file, site.line, r.level);
    for (unsigned d = 0; d < dimensions; ++d) {
        CheckNotGreater(site.file, site.line, kSizeNames[d], r.size[d], rules.copyImageWords[d],
                        LevelZeroSize(texture, d));
    }
    CheckBound(site.file, site.line, texture);
    const GLenum target = texture.target();
    switch (rules.dimensions) {
        case 1:
            VEK_GL_AT(CopyTexSubImage1D, site.file, site.line)
            (target, r.level, r.offset[0], x, y, Size(r.size[0]));
            break;
        case 2:
            VEK_GL_AT(CopyTexSubImage2D, site.file, site.line)
            (target, r.level, r.offset[0], r.offset[1], x, y, Size(r.size[0]), Size(r.size[1]));
            break;
        default:
            VEK_GL_AT(CopyTexSubImage3D, site.file, site.line)
            (target, r.level, r.offset[0], r.offset[1], r.offset[2], x, y, Size(r.size[0]),
             Size(r.size[1]));
            break;
    }
}

void ReadBack(Site site, const Texture& texture, const TextureRules& rules, int level,
              Texture::Format format, Texture::Type type, unsigned byteAlignment, void* data) {
    const GLFormatType gl =
        CheckReadBack(site, texture, rules, format, type, byteAlignment, nullptr, 0, false);
    ReadTexImage(site.file, site.line, texture.target(), level,
                 Layout(texture, rules, gl.format, gl.type, LevelWidth(texture, level)),
                 byteAlignment, data);
}

void ReadBack(Site site, const Texture& texture, const TextureRules& rules, int level,
              Texture::Format format, Texture::Type type, unsigned byteAlignment, Buffer* pbo,
              long long offset) {
    const GLFormatType gl =
        CheckReadBack(site, texture, rules, format, type, byteAlignment, pbo, offset, true);
    ReadTexImage(site.file, site.line, texture.target(), level,
                 Layout(texture, rules, gl.format, gl.type, LevelWidth(texture, level)),
                 byteAlignment, pbo, static_cast<std::uintptr_t>(offset));
}

void ReadBackGL(Site site, const Texture& texture, const TextureRules& rules, int level,
                unsigned glFormat, unsigned glType, void* data) {
    CheckBound(site.file, site.line, texture);
    ReadTexImage(site.file, site.line, texture.target(), level,
                 Layout(texture, rules, glFormat, glType, LevelWidth(texture, level)), 1, data);
}

void ReadBackGL(Site site, const Texture& texture, const TextureRules& rules, int level,
                unsigned glFormat, unsigned glType, Buffer* pbo, long long offset) {
    CheckBufferTransfer(site.file, site.line, pbo, offset, false);
    CheckBound(site.file, site.line, texture);
    // One-byte rows, and the caller's pack state back afterwards.
    ReadTexImage(site.file, site.line, texture.target(), level,
                 Layout(texture, rules, glFormat, glType, LevelWidth(texture, level)), 1, pbo,
                 static_cast<std::uintptr_t>(offset));
}

unsigned PixelDataSize(Site site, const Texture& texture, const TextureRules& rules,
                       Texture::Format format, Texture::Type type) {
    unsigned size[3] = {1, 1, 1};
    for (unsigned d = 0; d < rules.dimensions; ++d) {
        size[d] = LevelZeroSize(texture, d);
    }
    return PixelDataSize(site.file, site.line, Texture::Channels(format), Texture::Type2GL(type),
                         size[0], size[1], size[2]);
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
