#include "vek/vek_ogl/ogl/Texture3.h"

#include <cstdint>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/ogl/BufferOGL.h"
#include "vek/vek_ogl/ogl/PixelUnpackParameters.h"
#include "vek/vek_ogl/ogl/internal/PixelStore.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

namespace VEK {
namespace OGL {

namespace {

OpenGLInterceptor* GL() {
    return OpenGLInterceptor::Instance();
}

const char kPowerOfTwo[] = "Texture3::ctor hardware only supports power of two textures";

}  // namespace

unsigned Texture3::CheckStorage(Target target, unsigned width, unsigned height, unsigned depth) {
    CheckPowerOfTwo(width, false, kPowerOfTwo);
    CheckPowerOfTwo(height, false, kPowerOfTwo);
    // The layer count of an array is not a size and has no such rule.
    if (target != kTarget2DArray) {
        CheckPowerOfTwo(depth, false, kPowerOfTwo);
    }
    return width;
}

Texture3::Texture3(Target target, TargetBinding targetBinding, InternalFormat format,
                   unsigned width, unsigned height, unsigned depth, bool mipmaps)
    : Texture(target, targetBinding, format, CheckStorage(target, width, height, depth), height,
              depth) {
    const GLenum glTarget = this->target();
    const GLint glInternal = static_cast<GLint>(InternalFormat2GL(format));
    const GLenum glFormat = getGLFormat(format);
    const bool layered = target == kTarget2DArray;

    internal::BindingScope binding(internal::BindingScope::kTexture, glTarget, getBoundID());
    GL()->cgmBindTexture(__FILE__, __LINE__, glTarget, objectID_);
    {
        // Storage only: no buffer the caller left bound may be read from.
        internal::ClientMemoryScope noBuffer(false);
        unsigned w = width;
        unsigned h = height;
        unsigned d = depth;
        for (GLint level = 0;; ++level) {
            GL()->cgmTexImage3D(__FILE__, __LINE__, glTarget, level, glInternal,
                                static_cast<GLsizei>(w), static_cast<GLsizei>(h),
                                static_cast<GLsizei>(d), 0, glFormat, GL_UNSIGNED_BYTE, nullptr);
            if (!mipmaps) {
                break;
            }
            // Layers stay; every other size halves down to 1.
            w >>= 1;
            h >>= 1;
            if (!layered) {
                d >>= 1;
            }
            if (w == 0 && h == 0 && (layered || d == 0)) {
                break;
            }
            w = w == 0 ? 1 : w;
            h = h == 0 ? 1 : h;
            d = d == 0 ? 1 : d;
        }
        noBuffer.restore();
    }
    finishStorage();
    binding.restore();
}

Texture3::Texture3(Target target, TargetBinding targetBinding, InternalFormat format, int level,
                   unsigned width, unsigned height, unsigned depth, Format dataFormat, Type type,
                   const void* data, const PixelUnpackParameters& parameters)
    : Texture(target, targetBinding, format, CheckStorage(target, width, height, depth), height,
              depth) {
    internal::CheckLevel(__FILE__, __LINE__, level);
    const GLenum glTarget = this->target();
    const GLint glInternal = static_cast<GLint>(InternalFormat2GL(format));
    const GLenum glFormat = Format2GL(dataFormat);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());

    internal::BindingScope binding(internal::BindingScope::kTexture, glTarget, getBoundID());
    GL()->cgmBindTexture(__FILE__, __LINE__, glTarget, objectID_);
    {
        internal::PixelStoreScope saved;
        parameters.apply();
        internal::ClientMemoryScope noBuffer(false);
        GL()->cgmTexImage3D(__FILE__, __LINE__, glTarget, level, glInternal,
                            static_cast<GLsizei>(width), static_cast<GLsizei>(height),
                            static_cast<GLsizei>(depth), 0, glFormat, glType, data);
        noBuffer.restore();
        saved.pop();
    }
    finishStorage();
    binding.restore();
}

void Texture3::finishStorage() {
    setFilter(kFilterNearest, kFilterNearest);
    const WrapMode wrap = SupportsClampToEdge() ? kWrapClampToEdge : kWrapClamp;
    setWrap(wrap, wrap, wrap);
}

void Texture3::subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width,
                        unsigned height, unsigned depth, Format format, Type type, const void* data,
                        const PixelUnpackParameters& parameters) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error subimage width  of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, height, "error subimage height of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, depth, "error subimage depth  of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width  of image",
                              this->width(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "height", height, "height of image",
                              this->height(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "depth", depth, "depth  of image",
                              this->depth(0));
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    internal::CheckBound(__FILE__, __LINE__, *this);

    internal::PixelStoreScope saved;
    parameters.apply();
    internal::ClientMemoryScope noBuffer(false);
    GL()->cgmTexSubImage3D(__FILE__, __LINE__, target(), level, xoffset, yoffset, zoffset,
                           static_cast<GLsizei>(width), static_cast<GLsizei>(height),
                           static_cast<GLsizei>(depth), glFormat, glType, data);
    noBuffer.restore();
    saved.pop();
}

void Texture3::subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width,
                        unsigned height, unsigned depth, Format format, Type type, Buffer* pbo,
                        unsigned offset, const PixelUnpackParameters& parameters) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error subimage width  of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, height, "error subimage height of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, depth, "error subimage depth  of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width  of image",
                              this->width(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "height", height, "height of image",
                              this->height(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "depth", depth, "depth  of image",
                              this->depth(0));
    internal::CheckBufferTransfer(__FILE__, __LINE__, pbo, offset, true);
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::BufferTransferScope transfer(pbo, internal::BufferTransferScope::kUnpack);
    parameters.apply();
    transfer.bindBuffer();
    GL()->cgmTexSubImage3D(__FILE__, __LINE__, target(), level, xoffset, yoffset, zoffset,
                           static_cast<GLsizei>(width), static_cast<GLsizei>(height),
                           static_cast<GLsizei>(depth), glFormat, glType,
                           internal::BufferOffset(offset));
    transfer.finish();
}

void Texture3::copyTexSubImage(int level, int xoffset, int yoffset, int zoffset, int x, int y,
                               unsigned width, unsigned height) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error copySubimage width of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, height,
                           "error copySubimage height of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "height", height, "height of image",
                              this->height(0));
    internal::CheckBound(__FILE__, __LINE__, *this);
    GL()->cgmCopyTexSubImage3D(__FILE__, __LINE__, target(), level, xoffset, yoffset, zoffset, x, y,
                               static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

void Texture3::getPixelData(void* data, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    if (format == kFormatCOLOR_INDEX) {
        throw InternalException(__FILE__, __LINE__, "COLOR_INDEX not allowed here!");
    }
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    CheckByteAlignment(byteAlignment);
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::ReadTexImage(target(), level, glFormat, glType, byteAlignment, data);
}

void Texture3::getPixelData(Buffer* pbo, int offset, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::CheckBufferTransfer(__FILE__, __LINE__, pbo, offset, false);
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    CheckByteAlignment(byteAlignment);
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::ReadTexImage(target(), level, glFormat, glType, byteAlignment, pbo,
                           static_cast<std::uintptr_t>(static_cast<std::intptr_t>(offset)));
}

unsigned Texture3::pixelDataSize(int /*level*/, Format format, Type type) const {
    return internal::PixelDataSize(__FILE__, __LINE__, Channels(format), Type2GL(type), width(0),
                                   height(0), depth(0));
}

void Texture3::setWrap(WrapMode s, WrapMode t, WrapMode r) {
    const GLint glS = static_cast<GLint>(WrapMode2GL(s));
    const GLint glT = static_cast<GLint>(WrapMode2GL(t));
    const GLint glR = static_cast<GLint>(WrapMode2GL(r));
    GL()->cgmTexParameteri(__FILE__, __LINE__, target(), GL_TEXTURE_WRAP_S, glS);
    GL()->cgmTexParameteri(__FILE__, __LINE__, target(), GL_TEXTURE_WRAP_T, glT);
    GL()->cgmTexParameteri(__FILE__, __LINE__, target(), GL_TEXTURE_WRAP_R, glR);
}

Texture3D::Texture3D(InternalFormat format, unsigned width, unsigned height, unsigned depth,
                     bool mipmaps)
    : Texture3(kTarget3D, kBinding3D, format, width, height, depth, mipmaps) {}

Texture3D::Texture3D(InternalFormat format, int level, unsigned width, unsigned height,
                     unsigned depth, Format dataFormat, Type type, const void* data,
                     const PixelUnpackParameters& parameters)
    : Texture3(kTarget3D, kBinding3D, format, level, width, height, depth, dataFormat, type, data,
               parameters) {}

Texture2DArray::Texture2DArray(InternalFormat format, unsigned width, unsigned height,
                               unsigned layers, bool mipmaps)
    : Texture3(kTarget2DArray, kBinding2DArray, format, width, height, layers, mipmaps) {}

unsigned Texture2DArray::depth(unsigned /*level*/) const {
    return Texture::depth(0);
}

}  // namespace OGL
}  // namespace VEK
