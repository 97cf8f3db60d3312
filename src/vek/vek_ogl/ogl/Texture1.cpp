#include "vek/vek_ogl/ogl/Texture1.h"

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

const char kPowerOfTwo[] = "Texture2::ctor hardware only supports power of two textures";

}  // namespace

Texture1::Texture1(Target target, TargetBinding targetBinding, InternalFormat format,
                   unsigned width, bool mipmaps)
    : Texture(target, targetBinding, format, CheckPowerOfTwo(width, false, kPowerOfTwo), 1, 1) {
    const GLenum glTarget = this->target();
    const GLint glInternal = static_cast<GLint>(InternalFormat2GL(format));
    const GLenum glFormat = getGLFormat(format);
    internal::BindingScope binding(internal::BindingScope::kTexture, glTarget, getBoundID());
    GL()->cgmBindTexture(__FILE__, __LINE__, glTarget, objectID_);
    {
        // Storage only: no buffer the caller left bound may be read from.
        internal::ClientMemoryScope noBuffer(false);
        // Level 0 always; with mipmaps, halved widths down to 1.
        unsigned size = width;
        GLint level = 0;
        do {
            GL()->cgmTexImage1D(__FILE__, __LINE__, glTarget, level, glInternal,
                                static_cast<GLsizei>(size), 0, glFormat, GL_UNSIGNED_BYTE, nullptr);
            size >>= 1;
            ++level;
        } while (mipmaps && size != 0);
        noBuffer.restore();
    }
    setFilter(kFilterNearest, kFilterNearest);
    setWrap(SupportsClampToEdge() ? kWrapClampToEdge : kWrapClamp);
    binding.restore();
}

void Texture1::subImage(int level, int xoffset, unsigned width, Format format, Type type,
                        const void* data, const PixelUnpackParameters& parameters) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error subimage width of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    internal::CheckBound(__FILE__, __LINE__, *this);

    internal::PixelStoreScope saved;
    parameters.apply();
    internal::ClientMemoryScope noBuffer(false);
    GL()->cgmTexSubImage1D(__FILE__, __LINE__, target(), level, xoffset,
                           static_cast<GLsizei>(width), glFormat, glType, data);
    noBuffer.restore();
    saved.pop();
}

void Texture1::subImage(int level, int xoffset, unsigned width, Format format, Type type,
                        Buffer* pbo, unsigned offset, const PixelUnpackParameters& parameters) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error subimage width of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    internal::CheckBufferTransfer(__FILE__, __LINE__, pbo, offset, true);
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::BufferTransferScope transfer(pbo, internal::BufferTransferScope::kUnpack);
    parameters.apply();
    transfer.bindBuffer();
    GL()->cgmTexSubImage1D(__FILE__, __LINE__, target(), level, xoffset,
                           static_cast<GLsizei>(width), glFormat, glType,
                           internal::BufferOffset(offset));
    transfer.finish();
}

void Texture1::copyTexSubImage(int level, int xoffset, int x, int y, unsigned width) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error copySubimage width of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    internal::CheckBound(__FILE__, __LINE__, *this);
    GL()->cgmCopyTexSubImage1D(__FILE__, __LINE__, target(), level, xoffset, x, y,
                               static_cast<GLsizei>(width));
}

void Texture1::getPixelData(void* data, int level, unsigned glFormat, unsigned glType) const {
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::ReadTexImage(target(), level, glFormat, glType, 1, data);
}

void Texture1::getPixelData(Buffer* pbo, int offset, int level, unsigned glFormat,
                            unsigned glType) const {
    internal::CheckBufferTransfer(__FILE__, __LINE__, pbo, offset, false);
    internal::CheckBound(__FILE__, __LINE__, *this);
    // One-byte rows, and the caller's pack state back afterwards.
    internal::ReadTexImage(target(), level, glFormat, glType, 1, pbo,
                           static_cast<std::uintptr_t>(static_cast<std::intptr_t>(offset)));
}

unsigned Texture1::pixelDataSize(int /*level*/, Format format, Type type) const {
    return internal::PixelDataSize(__FILE__, __LINE__, Channels(format), Type2GL(type), width(0), 1,
                                   1);
}

void Texture1::setWrap(WrapMode s) {
    GL()->cgmTexParameteri(__FILE__, __LINE__, target(), GL_TEXTURE_WRAP_S,
                           static_cast<GLint>(WrapMode2GL(s)));
}

Texture1D::Texture1D(InternalFormat format, unsigned width, bool mipmaps)
    : Texture1(kTarget1D, kBinding1D, format, width, mipmaps) {}

}  // namespace OGL
}  // namespace VEK
