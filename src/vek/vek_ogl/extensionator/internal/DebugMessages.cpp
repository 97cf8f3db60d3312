#include "vek/vek_ogl/extensionator/internal/DebugMessages.h"

#include <vector>

#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {
namespace internal {

std::string TakeDriverErrorMessages() {
    const ExtensionManager::DebugEntryPoints entryPoints =
        ExtensionManager::CurrentDebugEntryPoints();
    if (entryPoints.getDebugMessageLog == nullptr) {
        return {};
    }
    const auto getLog =
        reinterpret_cast<PFNGLGETDEBUGMESSAGELOGPROC>(entryPoints.getDebugMessageLog);
    // The driver's own calls: the checker's error path must not recurse into the chain.
    GLint logged = 0;
    ::glGetIntegerv(GL_DEBUG_LOGGED_MESSAGES, &logged);
    if (logged <= 0) {
        return {};
    }
    GLint longest = 0;
    ::glGetIntegerv(GL_MAX_DEBUG_MESSAGE_LENGTH, &longest);
    // A message longer than the buffer would stay in the log and stop the reading.
    std::vector<GLchar> text(static_cast<size_t>(longest > 0 ? longest : 1) + 1);
    std::string messages;
    // The log holds at most what it held at the start: no more than that many are read.
    for (GLint i = 0; i < logged; ++i) {
        GLenum source = 0;
        GLenum type = 0;
        GLsizei length = 0;
        if (getLog(1, static_cast<GLsizei>(text.size()), &source, &type, nullptr, nullptr, &length,
                   text.data()) == 0) {
            break;
        }
        if (source != GL_DEBUG_SOURCE_API || type != GL_DEBUG_TYPE_ERROR || length <= 0) {
            continue;
        }
        // The length counts the terminating zero; a trailing line end is the driver's habit.
        std::string message(text.data(), static_cast<size_t>(length - 1));
        while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) {
            message.pop_back();
        }
        if (message.empty()) {
            continue;
        }
        if (!messages.empty()) {
            messages += "; ";
        }
        messages += message;
    }
    return messages;
}

void EnableDriverErrorMessages(ExtensionManager::DebugEntryPoints const& entryPoints) {
    if (entryPoints.debugMessageControl == nullptr) {
        return;
    }
    const auto control =
        reinterpret_cast<PFNGLDEBUGMESSAGECONTROLPROC>(entryPoints.debugMessageControl);
    OpenGLInterceptor* gl = OpenGLInterceptor::Instance();
    if (entryPoints.outputSwitch) {
        gl->cgmEnable(__FILE__, __LINE__, GL_DEBUG_OUTPUT);
    }
    // Each message reaches the log during the call that raised it.
    gl->cgmEnable(__FILE__, __LINE__, GL_DEBUG_OUTPUT_SYNCHRONOUS);
    control(GL_DONT_CARE, GL_DONT_CARE, GL_DONT_CARE, 0, nullptr, GL_FALSE);
    control(GL_DEBUG_SOURCE_API, GL_DEBUG_TYPE_ERROR, GL_DONT_CARE, 0, nullptr, GL_TRUE);
}

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
