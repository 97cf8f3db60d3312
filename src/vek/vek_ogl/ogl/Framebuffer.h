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
    /// The new framebuffer is not bound.
    Framebuffer();
    ~Framebuffer() override;

    static bool IsSupported();
    bool isSupported() const { return IsSupported(); }
    /// GL_MAX_COLOR_ATTACHMENTS of the current context.
    static unsigned MaxColorAttachments();

    void bind();
    /// Only while this framebuffer is bound.
    void unbind();

    /// The texture must not be bound to its target, and this framebuffer must be bound.
    void attach(Texture2* poTex, unsigned level, unsigned colorIndex);
    void attach(Texture2DArray* poTex, unsigned layer, unsigned level, unsigned colorIndex);
    /// A depth-stencil renderbuffer occupies both the depth and the stencil point; other
    /// non-colour renderbuffers take colorIndex 0 only.
    void attach(Renderbuffer* poBuffer, unsigned colorIndex);
    void detach(Texture2* poTex, unsigned colorIndex);
    /// Clears the renderbuffer's own point only (a depth-stencil one keeps its stencil part).
    void detach(Renderbuffer* poBuffer, unsigned colorIndex);

    /// Completeness of the bound framebuffer; the raw status goes to status when given.
    bool statusOkay(unsigned* status) const;

private:
    void requireBoundToAttach() const;
    void requireBoundToDetach() const;
    static void RequireColorIndex(unsigned colorIndex);
    static void RequireIndexForAttachment(unsigned attachment, unsigned colorIndex);
};

}  // namespace OGL
}  // namespace VEK
