#pragma once

#include <type_traits>

#include "vek/Export.h"

#include "vek/platform/WGL.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

// The end of every chain: makes each call (OpenGL 1.1 directly, the rest through the current
// context's function table) and turns a GL error into ExceptionOGL with the caller's file and
// line. Between glBegin and glEnd no error may be queried, so errors raised there surface at
// glEnd. A pair belongs to the context current at glBegin: once another context is current (or
// that one is deleted) the pair is over and errors are checked again.
//
// With no context current, a call throws InternalException "No OpenGL context is current on
// the calling thread" while the current options' throwOnNullContext holds; without it, an
// OpenGL 1.1 call goes to the driver (which ignores it) and any other fails as not loaded.
class VEK_EXPORT OpenGLErrorChecker : public OpenGLInterceptor {
public:
    OpenGLErrorChecker() = default;
    ~OpenGLErrorChecker() override;

#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) Return cgm##Name Params override;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

    // Ends a glBegin/glEnd pair begun on the context, which is going away.
    static void ForgetContext(HGLRC context);

private:
    // What a call does to the glBegin/glEnd pair.
    enum class PairStep { kNone, kOpens, kCloses };
    static constexpr bool Same(char const* a, char const* b) {
        return *a == *b && (*a == '\0' || Same(a + 1, b + 1));
    }
    static constexpr PairStep PairStepOf(char const* name) {
        return Same(name, "Begin") ? PairStep::kOpens
               : Same(name, "End") ? PairStep::kCloses
                                   : PairStep::kNone;
    }

    // The rule of every operation: glBegin and glEnd first keep the pair balanced; then the
    // entry point is called with the arguments and, outside a pair, the error it raised is
    // thrown. glBegin's own call is inside the pair, so no error is queried after it.
    template <PairStep step, class Entry, class... Arguments>
    auto call(Entry entry, char const* file, unsigned line, Arguments... arguments) {
        if constexpr (step == PairStep::kOpens) {
            openPair(file, line);
        } else if constexpr (step == PairStep::kCloses) {
            closePair(file, line);
        }
        if constexpr (std::is_void<decltype(entry(arguments...))>::value) {
            entry(arguments...);
            check(file, line);
        } else {
            const auto result = entry(arguments...);
            check(file, line);
            return result;
        }
    }

    // An OpenGL 1.1 entry point, called directly: only with a context current.
    template <class Entry>
    static Entry direct(Entry entry, char const* file, unsigned line) {
        requireContext(file, line);
        return entry;
    }
    // The entry point of the current context's table; a position left null by its loader fails
    // clearly instead of jumping to null.
    template <class Entry>
    static Entry loaded(Entry entry, char const* file, unsigned line, char const* name) {
        if (entry == nullptr) {
            throwMissing(file, line, name);
        }
        return entry;
    }

    // One thread-local load and a branch on the path of every call.
    static void requireContext(char const* file, unsigned line) {
        if (Platform::CurrentContext() == nullptr) {
            noContext(file, line);
        }
    }
    static void noContext(char const* file, unsigned line);

    void check(char const* file, unsigned line) {
        if (!insideBeginEnd_ || !pairIsCurrent()) {
            const GLenum code = ::glGetError();
            if (code != GL_NO_ERROR) {
                throwError(file, line, code);
            }
        }
    }
    // Whether the open pair belongs to the current context; ends it when it does not.
    bool pairIsCurrent();
    void openPair(char const* file, unsigned line);
    void closePair(char const* file, unsigned line);
    [[noreturn]] static void throwError(char const* file, unsigned line, GLenum code);
    [[noreturn]] static void throwMissing(char const* file, unsigned line, char const* name);

    bool insideBeginEnd_ = false;
    HGLRC beginContext_ = nullptr;
};

}  // namespace OGL
}  // namespace VEK
