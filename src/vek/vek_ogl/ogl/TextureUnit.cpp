#include "vek/vek_ogl/ogl/TextureUnit.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/Texture1.h"
#include "vek/vek_ogl/ogl/Texture2.h"
#include "vek/vek_ogl/ogl/Texture3.h"

namespace VEK {
namespace OGL {

namespace {

const unsigned kEnvironments[] = {GL_ADD, GL_BLEND, GL_COMBINE, GL_DECAL, GL_MODULATE, GL_REPLACE};
const char kEnvironmentMessage[] = "!\"Environment enums are not all properly translated.\"";

void Bind(unsigned target, const Texture* texture) {
    if (texture == nullptr) {
        VEK_THROW_INTERNAL("TextureUnit::bind texture must not be NULL");
    }
    VEK_GL(BindTexture)(target, texture->objectID());
}

bool IsEnabled(unsigned target) {
    return VEK_GL(IsEnabled)(target) == GL_TRUE;
}

}  // namespace

TextureUnit TextureUnit::sUnits_[TextureUnit::kUnitCount];

TextureUnit* TextureUnit::Unit(unsigned index) {
    if (index >= kUnitCount) {
        VEK_THROW_INTERNAL("TextureUnit::Unit index " << index << " beyond the " << kUnitCount
                                                      << " units of the table");
    }
    return &sUnits_[index];
}

unsigned TextureUnit::number() const {
    return static_cast<unsigned>(this - sUnits_);
}

bool TextureUnit::verifyActiveTexture() const {
    GLint active = 0;
    VEK_GL(GetIntegerv)(GL_ACTIVE_TEXTURE, &active);
    return static_cast<unsigned>(active) == GL_TEXTURE0 + number();
}

void TextureUnit::bind(const Texture1D* texture) const {
    Bind(GL_TEXTURE_1D, texture);
}

void TextureUnit::bind(const Texture2D* texture) const {
    Bind(GL_TEXTURE_2D, texture);
}

void TextureUnit::bind(const Texture3D* texture) const {
    Bind(GL_TEXTURE_3D, texture);
}

void TextureUnit::bind(const Texture2DArray* texture) const {
    Bind(GL_TEXTURE_2D_ARRAY, texture);
}

void TextureUnit::bind(const TextureRECT* texture) const {
    Bind(GL_TEXTURE_RECTANGLE, texture);
}

void TextureUnit::bind1DDefault() const {
    VEK_GL(BindTexture)(GL_TEXTURE_1D, 0);
}

void TextureUnit::bind2DDefault() const {
    VEK_GL(BindTexture)(GL_TEXTURE_2D, 0);
}

void TextureUnit::bind2DArrayDefault() const {
    VEK_GL(BindTexture)(GL_TEXTURE_2D_ARRAY, 0);
}

void TextureUnit::bind3DDefault() const {
    VEK_GL(BindTexture)(GL_TEXTURE_3D, 0);
}

void TextureUnit::bindRECTDefault() const {
    VEK_GL(BindTexture)(GL_TEXTURE_RECTANGLE, 0);
}

void TextureUnit::enable1D() const {
    VEK_GL(Enable)(GL_TEXTURE_1D);
}

void TextureUnit::enable2D() const {
    VEK_GL(Enable)(GL_TEXTURE_2D);
}

void TextureUnit::enable3D() const {
    VEK_GL(Enable)(GL_TEXTURE_3D);
}

void TextureUnit::enableRECT() const {
    VEK_GL(Enable)(GL_TEXTURE_RECTANGLE);
}

void TextureUnit::disable1D() const {
    VEK_GL(Disable)(GL_TEXTURE_1D);
}

void TextureUnit::disable2D() const {
    VEK_GL(Disable)(GL_TEXTURE_2D);
}

void TextureUnit::disable3D() const {
    VEK_GL(Disable)(GL_TEXTURE_3D);
}

void TextureUnit::disableRECT() const {
    VEK_GL(Disable)(GL_TEXTURE_RECTANGLE);
}

bool TextureUnit::isEnabled1D() const {
    return IsEnabled(GL_TEXTURE_1D);
}

bool TextureUnit::isEnabled2D() const {
    return IsEnabled(GL_TEXTURE_2D);
}

bool TextureUnit::isEnabled3D() const {
    return IsEnabled(GL_TEXTURE_3D);
}

bool TextureUnit::isEnabledRECT() const {
    return IsEnabled(GL_TEXTURE_RECTANGLE);
}

void TextureUnit::setEnv(Environment mode) const {
    VEK_GL(TexEnvi)(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, static_cast<GLint>(Environment2GL(mode)));
}

unsigned TextureUnit::Environment2GL(Environment mode) {
    const int index = static_cast<int>(mode);
    if (index < 0 || index >= static_cast<int>(sizeof(kEnvironments) / sizeof(unsigned))) {
        VEK_THROW_INTERNAL(kEnvironmentMessage);
    }
    return kEnvironments[index];
}

TextureUnit::Environment TextureUnit::GL2Environment(unsigned glMode) {
    for (unsigned i = 0; i < sizeof(kEnvironments) / sizeof(unsigned); ++i) {
        if (kEnvironments[i] == glMode) {
            return static_cast<Environment>(i);
        }
    }
    VEK_THROW_INTERNAL(kEnvironmentMessage);
}

}  // namespace OGL
}  // namespace VEK
