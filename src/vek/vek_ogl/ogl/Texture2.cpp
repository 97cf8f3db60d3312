#include "vek/vek_ogl/ogl/Texture2.h"

#include <cstdint>

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
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

void CheckNotColorIndex(const char* file, int line, Texture::Format format) {
    if (format == Texture::kFormatCOLOR_INDEX) {
        throw InternalException(file, line, "COLOR_INDEX not allowed here!");
    }
}

}  // namespace

unsigned Texture2::CheckStorage(Target target, unsigned width, unsigned height,
                                const void* clientStorage) {
    // Rectangle support lifts the rule for rectangle textures only: a driver without
    // non-power-of-two textures refuses such a size on every other target itself.
    const bool rectangle = target == kTargetRECT;
    CheckPowerOfTwo(width, rectangle, kPowerOfTwo);
    // The layer count of an array is not a size and has no such rule.
    if (target != kTarget1DArray) {
        CheckPowerOfTwo(height, rectangle, kPowerOfTwo);
    }
    if (clientStorage != nullptr &&
        !ExtensionManager::Instance()->isSupported(OGLEXT_APPLE_client_storage)) {
        throw InternalException(
            __FILE__, __LINE__,
            "ExtensionManager::Instance()->isSupported(GL_APPLE_CLIENT_STORAGE)");
    }
    return width;
}

Texture2::Texture2(Target target, TargetBinding targetBinding, InternalFormat format,
                   unsigned width, unsigned height, bool mipmaps, void* clientStorage, Type type)
    : Texture(target, targetBinding, format, CheckStorage(target, width, height, clientStorage),
              height, 1),
      clientStorage_(clientStorage) {
    const GLenum glTarget = this->target();
    const GLint glInternal = static_cast<GLint>(InternalFormat2GL(format));
    const GLenum glFormat = getGLFormat(format);
    const GLenum glType = type == kTypeDefault ? GL_UNSIGNED_BYTE : Type2GL(type);
    const bool layered = target == kTarget1DArray;

    internal::BindingScope binding(internal::BindingScope::kTexture, glTarget, getBoundID());
    GL()->cgmBindTexture(__FILE__, __LINE__, glTarget, objectID_);
    if (clientStorage_ != nullptr) {
        GL()->cgmTexParameteri(__FILE__, __LINE__, GL_TEXTURE_RECTANGLE,
                               GL_TEXTURE_STORAGE_HINT_APPLE, GL_STORAGE_CACHED_APPLE);
        GL()->cgmPixelStorei(__FILE__, __LINE__, GL_UNPACK_CLIENT_STORAGE_APPLE, 1);
    }
    try {
        // Without client storage nothing is read: no buffer the caller left bound may be used.
        internal::ClientMemoryScope noBuffer(false);
        unsigned w = width;
        unsigned h = height;
        for (GLint level = 0;; ++level) {
            GL()->cgmTexImage2D(__FILE__, __LINE__, glTarget, level, glInternal,
                                static_cast<GLsizei>(w), static_cast<GLsizei>(h), 0, glFormat,
                                glType, clientStorage_);
            if (!mipmaps) {
                break;
            }
            // Layers stay; every other size halves down to 1.
            w >>= 1;
            if (!layered) {
                h >>= 1;
            }
            if (w == 0 && (layered || h == 0)) {
                break;
            }
            w = w == 0 ? 1 : w;
            h = h == 0 ? 1 : h;
        }
        noBuffer.restore();
        setFilter(kFilterNearest, kFilterNearest);
        const WrapMode wrap = SupportsClampToEdge() ? kWrapClampToEdge : kWrapClamp;
        setWrap(wrap, wrap);
    } catch (...) {
        if (clientStorage_ != nullptr) {
            try {
                GL()->cgmPixelStorei(__FILE__, __LINE__, GL_UNPACK_CLIENT_STORAGE_APPLE, 0);
            } catch (...) {
            }
        }
        throw;
    }
    if (clientStorage_ != nullptr) {
        GL()->cgmTexParameteri(__FILE__, __LINE__, GL_TEXTURE_RECTANGLE,
                               GL_TEXTURE_STORAGE_HINT_APPLE, GL_STORAGE_PRIVATE_APPLE);
        GL()->cgmPixelStorei(__FILE__, __LINE__, GL_UNPACK_CLIENT_STORAGE_APPLE, 0);
    }
    binding.restore();
}

void Texture2::subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                        Format format, Type type, const void* data,
                        const PixelUnpackParameters& parameters) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error subimage width of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, height, "error subimage height of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "height", height, "height of image",
                              this->height(0));
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    internal::CheckBound(__FILE__, __LINE__, *this);

    internal::PixelStoreScope saved;
    parameters.apply();
    internal::ClientMemoryScope noBuffer(false);
    GL()->cgmTexSubImage2D(__FILE__, __LINE__, target(), level, xoffset, yoffset,
                           static_cast<GLsizei>(width), static_cast<GLsizei>(height), glFormat,
                           glType, data);
    noBuffer.restore();
    saved.pop();
}

void Texture2::subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                        Format format, Type type, Buffer* pbo, unsigned offset,
                        const PixelUnpackParameters& parameters) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error subimage width of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, height, "error subimage height of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "height", height, "height of image",
                              this->height(0));
    internal::CheckBufferTransfer(__FILE__, __LINE__, pbo, offset, true);
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    internal::UnpackAlignmentBytes(__FILE__, __LINE__, parameters.alignment());
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::BufferTransferScope transfer(pbo, internal::BufferTransferScope::kUnpack);
    parameters.apply();
    transfer.bindBuffer();
    GL()->cgmTexSubImage2D(__FILE__, __LINE__, target(), level, xoffset, yoffset,
                           static_cast<GLsizei>(width), static_cast<GLsizei>(height), glFormat,
                           glType, internal::BufferOffset(offset));
    transfer.finish();
}

void Texture2::copyTexSubImage(int level, int xoffset, int yoffset, int x, int y, unsigned width,
                               unsigned height) {
    internal::CheckNonZero(__FILE__, __LINE__, width, "error copySubimage width of zero supplied");
    internal::CheckNonZero(__FILE__, __LINE__, height,
                           "error copySubimage height of zero supplied");
    internal::CheckLevel(__FILE__, __LINE__, level);
    internal::CheckNotGreater(__FILE__, __LINE__, "width", width, "width of image", this->width(0));
    internal::CheckNotGreater(__FILE__, __LINE__, "height", height, "height of image",
                              this->height(0));
    internal::CheckBound(__FILE__, __LINE__, *this);
    GL()->cgmCopyTexSubImage2D(__FILE__, __LINE__, target(), level, xoffset, yoffset, x, y,
                               static_cast<GLsizei>(width), static_cast<GLsizei>(height));
}

void Texture2::getPixelData(void* data, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::CheckBound(__FILE__, __LINE__, *this);
    CheckNotColorIndex(__FILE__, __LINE__, format);
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    CheckByteAlignment(byteAlignment);
    internal::ReadTexImage(target(), level, glFormat, glType, byteAlignment, data);
}

void Texture2::getPixelData(Buffer* pbo, unsigned offset, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::CheckBound(__FILE__, __LINE__, *this);
    internal::CheckBufferTransfer(__FILE__, __LINE__, pbo, offset, false);
    CheckNotColorIndex(__FILE__, __LINE__, format);
    const GLenum glFormat = Format2GL(format);
    const GLenum glType = Type2GL(type);
    CheckByteAlignment(byteAlignment);
    internal::ReadTexImage(target(), level, glFormat, glType, byteAlignment, pbo, offset);
}

unsigned Texture2::pixelDataSize(int /*level*/, Format format, Type type) const {
    return internal::PixelDataSize(__FILE__, __LINE__, Channels(format), Type2GL(type), width(0),
                                   height(0), 1);
}

void Texture2::setWrap(WrapMode s, WrapMode t) {
    if (!isBound()) {
        throw InternalException(__FILE__, __LINE__, "Texture must be enabled (bound & active)");
    }
    GL()->cgmTexParameteri(__FILE__, __LINE__, target(), GL_TEXTURE_WRAP_S,
                           static_cast<GLint>(WrapMode2GL(s)));
    GL()->cgmTexParameteri(__FILE__, __LINE__, target(), GL_TEXTURE_WRAP_T,
                           static_cast<GLint>(WrapMode2GL(t)));
}

Texture2D::Texture2D(InternalFormat format, unsigned width, unsigned height, bool mipmaps,
                     void* data, Type type)
    : Texture2(kTarget2D, kBinding2D, format, width, height, mipmaps, data, type) {}

TextureRECT::TextureRECT(InternalFormat format, unsigned width, unsigned height, void* data,
                         Type type)
    : Texture2(kTargetRECT, kBindingRECT, format, width, height, false, data, type) {}

bool TextureRECT::IsSupported() {
    return IsTargetSupported(GL_TEXTURE_RECTANGLE);
}

Texture1DArray::Texture1DArray(InternalFormat format, unsigned width, unsigned layers, bool mipmaps)
    : Texture2(kTarget1DArray, kBinding1DArray, format, width, layers, mipmaps, nullptr,
               kTypeUnsignedByte) {}

unsigned Texture1DArray::depth(unsigned /*level*/) const {
    return Texture::depth(0);
}

}  // namespace OGL
}  // namespace VEK
