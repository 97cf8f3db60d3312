#include "vek/vek_ogl/ogl/ContextOffscreen.h"

#include "vek/core/exceptions/InternalException.h"
#include "vek/vek_ogl/ogl/BufferFormat.h"

namespace VEK {
namespace OGL {

DisplayDeviceKey const& ContextOffscreen::KeyOfSource(Context const* pContext) {
    VEK_ASSERT(pContext != NULL);
    return pContext->displayDeviceKey();
}

ContextOffscreen::ContextOffscreen(Context const* pContext) : Context(KeyOfSource(pContext)) {
    create(pContext);
}

ContextOffscreen::ContextOffscreen(DisplayDeviceKey const& key) : Context(key) {
    create(nullptr);
}

void ContextOffscreen::create(Context const* shareContext) {
    // Placed on the display's desktop area, so that the display's adapter serves it.
    window_ = CreateInternalWindow(displayDeviceKey_);
    initialize(GetDC(window_->window()), BufferFormat(8, 8, 8, 0, 0, 0, false), kSingleBuffered,
               kNoMultisampling, shareContext);
    registerCreated(shareContext);
}

ContextOffscreen::~ContextOffscreen() {
    releaseCreated();
    window_.reset();
}

}  // namespace OGL
}  // namespace VEK
