#include "vek/vek_ogl/ogl/TextureState.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/Texture.h"
#include "vek/vek_ogl/ogl/internal/DriverPaths.h"

namespace VEK {
namespace OGL {
namespace TextureState {

void SetActiveTextureUnit(unsigned unit) {
    const internal::DriverPaths& paths = internal::CurrentDriverPaths();
    // The extension's entry point where the driver names it; a core profile offers only the
    // core one.
    if (paths.activeTextureARB) {
        VEK_GL(ActiveTextureARB)(GL_TEXTURE0 + unit);
    } else if (paths.activeTextureCore) {
        VEK_GL(ActiveTexture)(GL_TEXTURE0 + unit);
    } else {
        VEK_THROW_INTERNAL("ExtensionManager::Instance()->isSupported(GL_ARB_MULTITEXTURE)");
    }
}

void setActiveTextureUnit(unsigned unit) {
    SetActiveTextureUnit(unit);
}

unsigned ActiveTextureUnit() {
    GLint active = GL_TEXTURE0;
    VEK_GL(GetIntegerv)(GL_ACTIVE_TEXTURE, &active);
    return static_cast<unsigned>(active) - GL_TEXTURE0;
}

unsigned activeTextureUnit() {
    return ActiveTextureUnit();
}

bool IsTargetSupported(unsigned glTarget) {
    return Texture::IsTargetSupported(glTarget);
}

bool SupportsNonPowerOfTwo() {
    return ExtensionManager::Instance()->supportsNonPowerOfTwoTextures();
}

}  // namespace TextureState
}  // namespace OGL
}  // namespace VEK
