#include "vek/vek_ogl/ogl/Renderbuffer.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/internal/CurrentSupport.h"

namespace VEK {
namespace OGL {

Renderbuffer::Renderbuffer(unsigned glInternalFormat, int width, int height)
    : Object(GL_RENDERBUFFER_EXT, GL_RENDERBUFFER_BINDING_EXT),
      format_(glInternalFormat),
      width_(width),
      height_(height) {
    if (!IsSupported()) {
        VEK_THROW_INTERNAL("ExtensionManager::Instance()->isSupported(GL_EXT_FRAMEBUFFER_OBJECT)");
    }
    // An empty renderbuffer is legal (a window minimised to nothing makes them); a framebuffer
    // with one is incomplete, which statusOkay reports.
    if (width < 0 || height < 0) {
        VEK_THROW_INTERNAL("Can't create renderbuffer of size " << width << "x" << height
                                                                << ", neither may be negative");
    }
    const int maxSize = MaxSize();
    if (maxSize < width) {
        VEK_THROW_INTERNAL("Can't create renderbuffer of width " << width << ", a max width of "
                                                                 << maxSize << " is supported");
    }
    if (maxSize < height) {
        VEK_THROW_INTERNAL("Can't create renderbuffer of width " << height << ", a max height of "
                                                                 << maxSize << " is supported");
    }
    GLuint previous = 0;
    bool previousRead = false;
    try {
        // Inside: the driver may make the name before the call's check fails.
        VEK_GL(GenRenderbuffersEXT)(1, &objectID_);
        previous = getBoundID();
        previousRead = true;
        bind();
        VEK_GL(RenderbufferStorageEXT)(GL_RENDERBUFFER_EXT, format_, width_, height_);
        VEK_ASSERT(objectID_ != 0);
    } catch (...) {
        // A format or size the driver refuses: no object is left, nor a changed binding.
        try {
            if (previousRead) {
                VEK_GL(BindRenderbufferEXT)(GL_RENDERBUFFER_EXT, previous);
            }
        } catch (...) {
            // The original failure is the one to report.
        }
        try {
            if (objectID_ != 0) {
                VEK_GL(DeleteRenderbuffersEXT)(1, &objectID_);
            }
        } catch (...) {
            // The original failure is the one to report.
        }
        throw;
    }
    attachment_ = AttachmentOf(format_);
    unbind();
    VEK_GL(BindRenderbufferEXT)(GL_RENDERBUFFER_EXT, previous);
}

Renderbuffer::~Renderbuffer() {
    try {
        VEK_GL(DeleteRenderbuffersEXT)(1, &objectID_);
    } catch (...) {
        // A destructor cannot report it: the name is lost with its context.
    }
}

bool Renderbuffer::IsSupported() {
    return internal::CurrentContextSupports(OGLEXT_EXT_framebuffer_object);
}

int Renderbuffer::MaxSize() {
    GLint size = 0;
    VEK_GL(GetIntegerv)(GL_MAX_RENDERBUFFER_SIZE_EXT, &size);
    return size;
}

void Renderbuffer::bind() {
    VEK_GL(BindRenderbufferEXT)(GL_RENDERBUFFER_EXT, objectID_);
}

void Renderbuffer::unbind() {
    if (!isBound()) {
        VEK_THROW_INTERNAL("Framebuffer object must be bound before calling unbind()");
    }
    VEK_GL(BindRenderbufferEXT)(GL_RENDERBUFFER_EXT, 0);
}

bool Renderbuffer::IsDepthStencilFormat(unsigned glInternalFormat) {
    switch (glInternalFormat) {
        case GL_DEPTH_STENCIL:
        case GL_DEPTH24_STENCIL8:
        case GL_DEPTH32F_STENCIL8:
        case GL_DEPTH32F_STENCIL8_NV:
            return true;
        default:
            return false;
    }
}

unsigned Renderbuffer::AttachmentOf(unsigned glInternalFormat) {
    switch (glInternalFormat) {
        case GL_DEPTH_COMPONENT:
        case GL_DEPTH_COMPONENT16:
        case GL_DEPTH_COMPONENT24:
        case GL_DEPTH_COMPONENT32:
        case GL_DEPTH_COMPONENT32F:
        case GL_DEPTH_COMPONENT32F_NV:
            return GL_DEPTH_ATTACHMENT_EXT;
        case GL_STENCIL_INDEX:
            return GL_STENCIL_ATTACHMENT_EXT;
        default:
            break;
    }
    // Depth-stencil formats attach at the depth point; the framebuffer adds the stencil point.
    if (IsDepthStencilFormat(glInternalFormat)) {
        return GL_DEPTH_ATTACHMENT_EXT;
    }
    // GL_STENCIL_INDEX1 to GL_STENCIL_INDEX16, and the one value before them.
    if (glInternalFormat >= 0x8D45 && glInternalFormat <= GL_STENCIL_INDEX16_EXT) {
        return GL_STENCIL_ATTACHMENT_EXT;
    }
    return GL_COLOR_ATTACHMENT0_EXT;
}

}  // namespace OGL
}  // namespace VEK
