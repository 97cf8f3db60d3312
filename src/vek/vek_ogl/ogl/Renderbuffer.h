#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Object.h"

namespace VEK {
namespace OGL {

class Framebuffer;

/// One renderbuffer of a fixed internal format and size. The format decides where a framebuffer
/// attaches it: depth formats (and depth-stencil) at the depth point, stencil-index formats at
/// the stencil point, anything else at a colour point.
class VEK_EXPORT Renderbuffer : public Object {
public:
    /// glInternalFormat is a raw OpenGL enumerant (GL_RGBA8, GL_DEPTH_COMPONENT24, ...). Sizes
    /// below 0 or above MaxSize() are refused before any OpenGL object is made; the renderbuffer
    /// binding in force before is in force again afterwards. Throws InternalException without
    /// GL_EXT_framebuffer_object or for a refused size; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    Renderbuffer(unsigned glInternalFormat, int width, int height);
    /// Deletes the renderbuffer object; a failure is dropped. Throws nothing.
    ~Renderbuffer() override;

    /// Whether the current context offers GL_EXT_framebuffer_object; false without a current
    /// context. Throws as ExtensionManager::CurrentTable when the context is met for the first
    /// time.
    static bool IsSupported();
    /// GL_MAX_RENDERBUFFER_SIZE of the current context. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    static int MaxSize();

    /// Binds the renderbuffer to GL_RENDERBUFFER. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    void bind();
    /// Unbinds it; only while this renderbuffer is bound. Throws InternalException when it is
    /// not bound; ExceptionOGL on a GL error, InternalException without a current context.
    void unbind();

    /// The internal format given at construction. Throws nothing.
    unsigned format() const { return format_; }
    /// Width in pixels. Throws nothing.
    int width() const { return width_; }
    /// Height in pixels. Throws nothing.
    int height() const { return height_; }

protected:
    friend class Framebuffer;
    /// GL_DEPTH_ATTACHMENT, GL_STENCIL_ATTACHMENT or GL_COLOR_ATTACHMENT0.
    unsigned attachment() const { return attachment_; }

    /// Formats with both depth and stencil: attached at the depth and the stencil point.
    static bool IsDepthStencilFormat(unsigned glInternalFormat);

private:
    static unsigned AttachmentOf(unsigned glInternalFormat);

    unsigned format_;
    unsigned attachment_ = 0;
    int width_;
    int height_;
};

}  // namespace OGL
}  // namespace VEK
