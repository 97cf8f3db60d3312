#include "vek/vek_ogl/ogl/Texture2.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/PixelStore.h"
#include "vek/vek_ogl/ogl/internal/RestoreGuard.h"
#include "vek/vek_ogl/ogl/internal/TextureTransfer.h"

namespace VEK {
namespace OGL {

namespace {

const internal::TextureRules& kRules = internal::kTexture2Rules;

}  // namespace

unsigned Texture2::CheckStorage(Target target, unsigned width, unsigned height,
                                const void* clientStorage) {
    // Rectangle support lifts the rule for rectangle textures only: a driver without
    // non-power-of-two textures refuses such a size on every other target itself.
    const bool rectangle = target == kTargetRECT;
    CheckPowerOfTwo(width, rectangle, kRules.powerOfTwo);
    // The layer count of an array is not a size and has no such rule.
    if (target != kTarget1DArray) {
        CheckPowerOfTwo(height, rectangle, kRules.powerOfTwo);
    }
    if (clientStorage != nullptr &&
        !ExtensionManager::Instance()->isSupported(OGLEXT_APPLE_client_storage)) {
        VEK_THROW_INTERNAL("ExtensionManager::Instance()->isSupported(GL_APPLE_CLIENT_STORAGE)");
    }
    return width;
}

Texture2::Texture2(Target target, TargetBinding targetBinding, InternalFormat format,
                   unsigned width, unsigned height, bool mipmaps, void* clientStorage, Type type)
    : Texture(target, targetBinding, format, CheckStorage(target, width, height, clientStorage),
              height, 1),
      clientStorage_(clientStorage) {
    const GLenum glTarget = this->target();
    const GLenum glType = type == kTypeDefault ? GL_UNSIGNED_BYTE : Type2GL(type);
    const int layerDimension = target == kTarget1DArray ? 1 : -1;

    internal::BindingScope binding(internal::BindingScope::kTexture, glTarget, getBoundID());
    VEK_GL(BindTexture)(glTarget, objectID_);
    if (clientStorage_ != nullptr) {
        VEK_GL(TexParameteri)
        (GL_TEXTURE_RECTANGLE, GL_TEXTURE_STORAGE_HINT_APPLE, GL_STORAGE_CACHED_APPLE);
        VEK_GL(PixelStorei)(GL_UNPACK_CLIENT_STORAGE_APPLE, 1);
    }
    try {
        // Without client storage nothing is read: no buffer the caller left bound may be used.
        const unsigned size[3] = {width, height, 1};
        internal::AllocateLevels(VEK_TEXTURE_SITE, *this, kRules, size, layerDimension, mipmaps,
                                 glType, clientStorage_);
        setFilter(kFilterNearest, kFilterNearest);
        const WrapMode wrap = SupportsClampToEdge() ? kWrapClampToEdge : kWrapClamp;
        setWrap(wrap, wrap);
    } catch (...) {
        if (clientStorage_ != nullptr) {
            internal::RestoreGuard()([] {
                VEK_GL(PixelStorei)(GL_UNPACK_CLIENT_STORAGE_APPLE, 0);
            });
        }
        throw;
    }
    if (clientStorage_ != nullptr) {
        VEK_GL(TexParameteri)
        (GL_TEXTURE_RECTANGLE, GL_TEXTURE_STORAGE_HINT_APPLE, GL_STORAGE_PRIVATE_APPLE);
        VEK_GL(PixelStorei)(GL_UNPACK_CLIENT_STORAGE_APPLE, 0);
    }
    binding.restore();
}

void Texture2::subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                        Format format, Type type, const void* data,
                        const PixelUnpackParameters& parameters) {
    internal::Upload(VEK_TEXTURE_SITE, *this, kRules,
                     {level, {xoffset, yoffset, 0}, {width, height, 1}}, format, type, data,
                     parameters);
}

void Texture2::subImage(int level, int xoffset, int yoffset, unsigned width, unsigned height,
                        Format format, Type type, Buffer* pbo, unsigned offset,
                        const PixelUnpackParameters& parameters) {
    internal::Upload(VEK_TEXTURE_SITE, *this, kRules,
                     {level, {xoffset, yoffset, 0}, {width, height, 1}}, format, type, pbo, offset,
                     parameters);
}

void Texture2::copyTexSubImage(int level, int xoffset, int yoffset, int x, int y, unsigned width,
                               unsigned height) {
    internal::Copy(VEK_TEXTURE_SITE, *this, kRules,
                   {level, {xoffset, yoffset, 0}, {width, height, 1}}, x, y);
}

void Texture2::getPixelData(void* data, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::ReadBack(VEK_TEXTURE_SITE, *this, kRules, level, format, type, byteAlignment, data);
}

void Texture2::getPixelData(Buffer* pbo, unsigned offset, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::ReadBack(VEK_TEXTURE_SITE, *this, kRules, level, format, type, byteAlignment, pbo,
                       offset);
}

unsigned Texture2::pixelDataSize(int /*level*/, Format format, Type type) const {
    return internal::PixelDataSize(VEK_TEXTURE_SITE, *this, kRules, format, type);
}

void Texture2::setWrap(WrapMode s, WrapMode t) {
    if (!isBound()) {
        VEK_THROW_INTERNAL("Texture must be enabled (bound & active)");
    }
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_WRAP_S, static_cast<GLint>(WrapMode2GL(s)));
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_WRAP_T, static_cast<GLint>(WrapMode2GL(t)));
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
