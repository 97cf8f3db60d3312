#include "vek/vek_ogl/ogl/Texture3.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/PixelUnpackParameters.h"
#include "vek/vek_ogl/ogl/internal/PixelStore.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"
#include "vek/vek_ogl/ogl/internal/TextureTransfer.h"

namespace VEK {
namespace OGL {

namespace {

const internal::TextureRules& kRules = internal::kTexture3Rules;

}  // namespace

unsigned Texture3::CheckStorage(Target target, unsigned width, unsigned height, unsigned depth) {
    CheckPowerOfTwo(width, false, kRules.powerOfTwo);
    CheckPowerOfTwo(height, false, kRules.powerOfTwo);
    // The layer count of an array is not a size and has no such rule.
    if (target != kTarget2DArray) {
        CheckPowerOfTwo(depth, false, kRules.powerOfTwo);
    }
    return width;
}

Texture3::Texture3(Target target, TargetBinding targetBinding, InternalFormat format,
                   unsigned width, unsigned height, unsigned depth, bool mipmaps)
    : Texture(target, targetBinding, format, CheckStorage(target, width, height, depth), height,
              depth) {
    internal::BindingScope binding(internal::BindingScope::kTexture, this->target(), getBoundID());
    VEK_GL(BindTexture)(this->target(), objectID_);
    const unsigned size[3] = {width, height, depth};
    internal::AllocateLevels(VEK_TEXTURE_SITE, *this, kRules, size,
                             target == kTarget2DArray ? 2 : -1, mipmaps, GL_UNSIGNED_BYTE, nullptr);
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
    VEK_GL(BindTexture)(glTarget, objectID_);
    {
        internal::PixelStoreChange change;
        internal::SetUnpackState(change, parameters, {3, glFormat, glType, width});
        internal::ClientMemoryScope noBuffer(false);
        VEK_GL(TexImage3D)
        (glTarget, level, glInternal, static_cast<GLsizei>(width), static_cast<GLsizei>(height),
         static_cast<GLsizei>(depth), 0, glFormat, glType, data);
        noBuffer.restore();
        change.restore();
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
    internal::Upload(VEK_TEXTURE_SITE, *this, kRules,
                     {level, {xoffset, yoffset, zoffset}, {width, height, depth}}, format, type,
                     data, parameters);
}

void Texture3::subImage(int level, int xoffset, int yoffset, int zoffset, unsigned width,
                        unsigned height, unsigned depth, Format format, Type type, Buffer* pbo,
                        unsigned offset, const PixelUnpackParameters& parameters) {
    internal::Upload(VEK_TEXTURE_SITE, *this, kRules,
                     {level, {xoffset, yoffset, zoffset}, {width, height, depth}}, format, type,
                     pbo, offset, parameters);
}

void Texture3::copyTexSubImage(int level, int xoffset, int yoffset, int zoffset, int x, int y,
                               unsigned width, unsigned height) {
    internal::Copy(VEK_TEXTURE_SITE, *this, kRules,
                   {level, {xoffset, yoffset, zoffset}, {width, height, 1}}, x, y);
}

void Texture3::getPixelData(void* data, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::ReadBack(VEK_TEXTURE_SITE, *this, kRules, level, format, type, byteAlignment, data);
}

void Texture3::getPixelData(Buffer* pbo, int offset, int level, Format format, Type type,
                            unsigned byteAlignment) const {
    internal::ReadBack(VEK_TEXTURE_SITE, *this, kRules, level, format, type, byteAlignment, pbo,
                       offset);
}

unsigned Texture3::pixelDataSize(int /*level*/, Format format, Type type) const {
    return internal::PixelDataSize(VEK_TEXTURE_SITE, *this, kRules, format, type);
}

void Texture3::setWrap(WrapMode s, WrapMode t, WrapMode r) {
    const GLint glS = static_cast<GLint>(WrapMode2GL(s));
    const GLint glT = static_cast<GLint>(WrapMode2GL(t));
    const GLint glR = static_cast<GLint>(WrapMode2GL(r));
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_WRAP_S, glS);
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_WRAP_T, glT);
    VEK_GL(TexParameteri)(target(), GL_TEXTURE_WRAP_R, glR);
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
