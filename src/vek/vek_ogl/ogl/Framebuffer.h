#pragma once

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Object.h"

namespace VEK {
namespace OGL {

class Renderbuffer;
class Texture2;
class Texture2DArray;

/// One framebuffer object, through the GL_EXT_framebuffer_object entry points. The caller binds
/// it, attaches 2-D or rectangle texture levels, layers of 2-D array textures and renderbuffers,
/// and asks whether it is complete. The attachments live in OpenGL; the wrapper keeps no list.
/// Every refusal is an InternalException raised before the operation's OpenGL call.
class VEK_EXPORT Framebuffer : public Object {
public:
    /// Makes a framebuffer object; the new framebuffer is not bound. Throws InternalException
    /// without GL_EXT_framebuffer_object; ExceptionOGL on a GL error, InternalException without a
    /// current context.
    Framebuffer();
    /// Deletes the framebuffer object; a failure is dropped. Throws nothing.
    ~Framebuffer() override;

    /// Whether the current context offers GL_EXT_framebuffer_object; false without a current
    /// context. Throws as ExtensionManager::CurrentTable when the context is met for the first
    /// time.
    static bool IsSupported();
    /// IsSupported(). Throws as IsSupported.
    bool isSupported() const { return IsSupported(); }
    /// GL_MAX_COLOR_ATTACHMENTS of the current context. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    static unsigned MaxColorAttachments();

    /// Binds the framebuffer to GL_FRAMEBUFFER. Throws ExceptionOGL on a GL error,
    /// InternalException without a current context.
    void bind();
    /// Binds the window's framebuffer back; only while this framebuffer is bound. Throws
    /// InternalException when it is not bound; ExceptionOGL on a GL error, InternalException
    /// without a current context.
    void unbind();

    /// Attaches level of a 2-D or rectangle texture at colour point colorIndex. The texture must
    /// not be bound to its target, and this framebuffer must be bound. Throws InternalException for
    /// a null texture, a bound texture, an unbound framebuffer or a colour index beyond the
    /// context's attachments; ExceptionOGL on a GL error, InternalException without a current
    /// context.
    void attach(Texture2* poTex, unsigned level, unsigned colorIndex);
    /// Attaches level's layer of a 2-D array texture at colour point colorIndex, under the same
    /// rules. Throws InternalException also for a layer beyond the texture's; ExceptionOGL on a GL
    /// error, InternalException without a current context.
    void attach(Texture2DArray* poTex, unsigned layer, unsigned level, unsigned colorIndex);
    /// A depth-stencil renderbuffer occupies both the depth and the stencil point; other
    /// non-colour renderbuffers take colorIndex 0 only. Throws InternalException for a null
    /// renderbuffer, an unbound framebuffer or a bad colour index; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    void attach(Renderbuffer* poBuffer, unsigned colorIndex);
    /// Detaches the texture from colour point colorIndex. Throws InternalException for a null
    /// texture, an unbound framebuffer or a bad colour index; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    void detach(Texture2* poTex, unsigned colorIndex);
    /// Clears the renderbuffer's own point only (a depth-stencil one keeps its stencil part).
    /// Throws as attach(Renderbuffer*, unsigned).
    void detach(Renderbuffer* poBuffer, unsigned colorIndex);

    /// Completeness of the bound framebuffer; the raw status goes to status when given. Throws
    /// InternalException when this framebuffer is not bound; ExceptionOGL on a GL error,
    /// InternalException without a current context.
    bool statusOkay(unsigned* status) const;

private:
    void requireBoundToAttach() const;
    void requireBoundToDetach() const;
    static void RequireColorIndex(unsigned colorIndex);
    static void RequireIndexForAttachment(unsigned attachment, unsigned colorIndex);
};

}  // namespace OGL
}  // namespace VEK
