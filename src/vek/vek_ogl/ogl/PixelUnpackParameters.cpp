#include "vek/vek_ogl/ogl/PixelUnpackParameters.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/TextureChecks.h"

namespace VEK {
namespace OGL {

void PixelUnpackParameters::setAlignment(unsigned bytes) {
    switch (bytes) {
        case 1:
            alignment_ = kAlign1;
            break;
        case 2:
            alignment_ = kAlign2;
            break;
        case 4:
            alignment_ = kAlign4;
            break;
        case 8:
            alignment_ = kAlign8;
            break;
        default:
            VEK_THROW_INTERNAL("!\"Unsupported aligment in PixelUnpackParameters::setAlignment!\"");
    }
}

void PixelUnpackParameters::apply() const {
    VEK_GL(PixelStorei)(GL_UNPACK_SWAP_BYTES, swapBytes_ ? 1 : 0);
    VEK_GL(PixelStorei)(GL_UNPACK_LSB_FIRST, firstLSB_ ? 1 : 0);
    VEK_GL(PixelStorei)(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(rowLength_));
    VEK_GL(PixelStorei)(GL_UNPACK_SKIP_PIXELS, static_cast<GLint>(skipPixels_));
    VEK_GL(PixelStorei)(GL_UNPACK_SKIP_ROWS, static_cast<GLint>(skipRows_));
    const ExtensionManager* manager = ExtensionManager::Instance();
    if (manager->isSupported(OGLEXT_VERSION_1_2) || manager->isSupported(OGLEXT_EXT_texture3D)) {
        VEK_GL(PixelStorei)(GL_UNPACK_IMAGE_HEIGHT, static_cast<GLint>(imageHeight_));
        VEK_GL(PixelStorei)(GL_UNPACK_SKIP_IMAGES, static_cast<GLint>(skipImages_));
    }
    // A stored value outside the enumeration is refused after the other fields are written; the
    // transfers check it before they change anything.
    VEK_GL(PixelStorei)
    (GL_UNPACK_ALIGNMENT, internal::UnpackAlignmentBytes(__FILE__, __LINE__, alignment_));
}

}  // namespace OGL
}  // namespace VEK
