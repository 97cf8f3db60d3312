#include "vek/vek_ogl/ogl/Texture1.h"

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/PixelStore.h"
#include "vek/vek_ogl/ogl/internal/TextureTransfer.h"

namespace VEK {
namespace OGL {

namespace {

const internal::TextureRules& kRules = internal::kTexture1Rules;

}  // namespace

Texture1::Texture1(Target target, TargetBinding targetBinding, InternalFormat format,
                   unsigned width, bool mipmaps)
    : Texture(target, targetBinding, format, CheckPowerOfTwo(width, false, kRules.powerOfTwo), 1,
              1) {
    internal::BindingScope binding(internal::BindingScope::kTexture, this->target(), getBoundID());
    VEK_GL(BindTexture)(this->target(), objectID_);
    const unsigned size[3] = {width, 1, 1};
    internal::AllocateLevels(VEK_TEXTURE_SITE, *this, kRules, size, -1, mipmaps, GL_UNSIGNED_BYTE,
                             nullptr);
    setFilter(kFilterNearest, kFilterNearest);
    setWrap(SupportsClampToEdge() ? kWrapClampToEdge : kWrapClamp);
    binding.restore();
}

void Texture1::subImage(int level, int xoffset, unsigned width, Format format, Type type,
                        const void* data, const PixelUnpackParameters& parameters) {
    internal::Upload(VEK_TEXTURE_SITE, *this, kRules, {level, {xoffset, 0, 0}, {width, 1, 1}},
                     format, type, data, parameters);
}

void Texture1::subImage(int level, int xoffset, unsigned width, Format format, Type type,
                        Buffer* pbo, unsigned offset, const PixelUnpackParameters& parameters) {
    internal::Upload(VEK_TEXTURE_SITE, *this, kRules, {level, {xoffset, 0, 0}, {width, 1, 1}},
                     format, type, pbo, offset, parameters);
}

void Texture1::copyTexSubImage(int level, int xoffset, int x, int y, unsigned width) {
    internal::Copy(VEK_TEXTURE_SITE, *this, kRules, {level, {xoffset, 0, 0}, {width, 1, 1}}, x, y);
}

void Texture1::getPixelData(void* data, int level, unsigned glFormat, unsigned glType) const {
    internal::ReadBackGL(VEK_TEXTURE_SITE, *this, kRules, level, glFormat, glType, data);
}

void Texture1::getPixelData(Buffer* pbo, int offset, int level, unsigned glFormat,
                            unsigned glType) const {
    internal::ReadBackGL(VEK_TEXTURE_SITE, *this, kRules, level, glFormat, glType, pbo, offset);
}

unsigned Texture1::pixelDataSize(int /*level*/, Format format, Type type) const {
    return internal::PixelDataSize(VEK_TEXTURE_SITE, *this, kRules, format, type);
}

void Texture1::setWrap(WrapMode s) {
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_WRAP_S, static_cast<GLint>(WrapMode2GL(s)));
}

Texture1D::Texture1D(InternalFormat format, unsigned width, bool mipmaps)
    : Texture1(kTarget1D, kBinding1D, format, width, mipmaps) {}

}  // namespace OGL
}  // namespace VEK
