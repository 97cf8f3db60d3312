#include "vek/vek_ogl/ogl/Framebuffer.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/extensionator/ExtensionManagerOGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTokenName.h"
#include "vek/vek_ogl/extensionator/internal/GLCall.h"
#include "vek/vek_ogl/ogl/Renderbuffer.h"
#include "vek/vek_ogl/ogl/Texture2.h"
#include "vek/vek_ogl/ogl/Texture3.h"
#include "vek/vek_ogl/ogl/internal/CurrentSupport.h"
#include "vek/vek_ogl/ogl/internal/DriverPaths.h"

namespace VEK {
namespace OGL {

Framebuffer::Framebuffer() : Object(GL_FRAMEBUFFER_EXT, GL_FRAMEBUFFER_BINDING_EXT) {
    VEK_ASSERT(IsSupported());
    try {
        VEK_GL(GenFramebuffersEXT)(1, &objectID_);
    } catch (...) {
        // The driver may have made the name before the check failed (an error left pending):
        // no destructor runs for a constructor that throws, so it is deleted here.
        if (objectID_ != 0) {
            try {
                VEK_GL(DeleteFramebuffersEXT)(1, &objectID_);
            } catch (...) {
                // The generating call's failure is the one to report.
            }
        }
        throw;
    }
    VEK_ASSERT(objectID_ != 0);
}

Framebuffer::~Framebuffer() {
    try {
        VEK_GL(DeleteFramebuffersEXT)(1, &objectID_);
    } catch (...) {
        // A destructor cannot report it: the name is lost with its context.
    }
}

bool Framebuffer::IsSupported() {
    return internal::CurrentContextSupports(OGLEXT_EXT_framebuffer_object);
}

unsigned Framebuffer::MaxColorAttachments() {
    GLint count = 0;
    VEK_GL(GetIntegerv)(GL_MAX_COLOR_ATTACHMENTS_EXT, &count);
    return count > 0 ? static_cast<unsigned>(count) : 0u;
}

void Framebuffer::bind() {
    VEK_GL(BindFramebufferEXT)(GL_FRAMEBUFFER_EXT, objectID_);
}

void Framebuffer::unbind() {
    if (!isBound()) {
        VEK_THROW_INTERNAL("Framebuffer object must be bound before calling unbind()");
    }
    VEK_GL(BindFramebufferEXT)(GL_FRAMEBUFFER_EXT, 0);
}

void Framebuffer::requireBoundToAttach() const {
    if (!isBound()) {
        VEK_THROW_INTERNAL("Framebuffer Objects must be bound to attach objects");
    }
}

void Framebuffer::requireBoundToDetach() const {
    if (!isBound()) {
        VEK_THROW_INTERNAL("Framebuffer Object must be bound before detaching objects");
    }
}

void Framebuffer::RequireColorIndex(unsigned colorIndex) {
    const unsigned maximum = MaxColorAttachments();
    if (colorIndex >= maximum) {
        VEK_THROW_INTERNAL("Invalid color buffer attachment only "
                           << maximum << " attachments supported with " << colorIndex
                           << " requested");
    }
}

void Framebuffer::RequireIndexForAttachment(unsigned attachment, unsigned colorIndex) {
    if (attachment != GL_COLOR_ATTACHMENT0_EXT && colorIndex != 0) {
        VEK_THROW_INTERNAL(
            "Color buffer index is not supported with attachment:" << VEKOGLTokenName(attachment));
    }
}

void Framebuffer::attach(Texture2* poTex, unsigned level, unsigned colorIndex) {
    VEK_ENFORCE(poTex != NULL);
    if (poTex->getBoundID() == poTex->objectID()) {
        VEK_THROW_INTERNAL("Texture cannot be bound during attachment to framebuffer object");
    }
    requireBoundToAttach();
    RequireColorIndex(colorIndex);
    VEK_GL(FramebufferTexture2DEXT)
    (GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + colorIndex, poTex->target(), poTex->objectID(),
     static_cast<GLint>(level));
}

void Framebuffer::attach(Texture2DArray* poTex, unsigned layer, unsigned level,
                         unsigned colorIndex) {
    VEK_ENFORCE(poTex != NULL);
    if (poTex->getBoundID() == poTex->objectID()) {
        VEK_THROW_INTERNAL("Texture cannot be bound during attachment to framebuffer object");
    }
    requireBoundToAttach();
    RequireColorIndex(colorIndex);
    if (layer >= poTex->depth(0)) {
        VEK_THROW_INTERNAL("Array Index too large");
    }
    // glFramebufferTextureLayer belongs to OpenGL 3.0 and GL_ARB_framebuffer_object; older
    // drivers offer it as glFramebufferTextureLayerEXT with array textures.
    if (internal::CurrentDriverPaths().framebufferCore) {
        VEK_GL(FramebufferTextureLayer)
        (GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + colorIndex, poTex->objectID(),
         static_cast<GLint>(level), static_cast<GLint>(layer));
    } else {
        VEK_GL(FramebufferTextureLayerEXT)
        (GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + colorIndex, poTex->objectID(),
         static_cast<GLint>(level), static_cast<GLint>(layer));
    }
}

void Framebuffer::attach(Renderbuffer* poBuffer, unsigned colorIndex) {
    VEK_ENFORCE(poBuffer != NULL);
    requireBoundToAttach();
    RequireColorIndex(colorIndex);
    RequireIndexForAttachment(poBuffer->attachment(), colorIndex);
    VEK_GL(FramebufferRenderbufferEXT)
    (GL_FRAMEBUFFER_EXT, poBuffer->attachment() + colorIndex, GL_RENDERBUFFER_EXT,
     poBuffer->objectID());
    if (Renderbuffer::IsDepthStencilFormat(poBuffer->format())) {
        VEK_GL(FramebufferRenderbufferEXT)
        (GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, poBuffer->objectID());
    }
}

void Framebuffer::detach(Texture2* poTex, unsigned colorIndex) {
    VEK_ENFORCE(poTex != NULL);
    requireBoundToDetach();
    RequireColorIndex(colorIndex);
    VEK_GL(FramebufferTexture2DEXT)
    (GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT + colorIndex, poTex->target(), 0, 0);
}

void Framebuffer::detach(Renderbuffer* poBuffer, unsigned colorIndex) {
    VEK_ENFORCE(poBuffer != NULL);
    requireBoundToDetach();
    RequireColorIndex(colorIndex);
    RequireIndexForAttachment(poBuffer->attachment(), colorIndex);
    VEK_GL(FramebufferRenderbufferEXT)
    (GL_FRAMEBUFFER_EXT, poBuffer->attachment() + colorIndex, GL_RENDERBUFFER_EXT, 0);
}

bool Framebuffer::statusOkay(unsigned* status) const {
    if (!isBound()) {
        VEK_THROW_INTERNAL("Framebuffer object must be bound before calling statusOkay()");
    }
    const GLenum s = VEK_GL(CheckFramebufferStatusEXT)(GL_FRAMEBUFFER_EXT);
    if (status != nullptr) {
        *status = s;
    }
    return s == GL_FRAMEBUFFER_COMPLETE_EXT;
}

}  // namespace OGL
}  // namespace VEK
