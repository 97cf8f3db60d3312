#pragma once

#include "vek/Export.h"

#include "vek/platform/System.h"
#include "vek/vek_ogl/extensionator/OpenGLInterceptor.h"

namespace VEK {
namespace OGL {

/// The end of every chain: makes each call (OpenGL 1.1 directly, the rest through the current
/// context's function table) and turns a GL error into ExceptionOGL with the caller's file and
/// line. Between glBegin and glEnd no error may be queried, so errors raised there surface at
/// glEnd. A pair belongs to the context current at glBegin: once another context is current (or
/// that one is deleted) the pair is over and errors are checked again. Each thread has its own
/// pair, shared by every checker.
///
/// With no context current, a call throws InternalException "No OpenGL context is current on
/// the calling thread" while the current options' throwOnNullContext holds; without it, an
/// OpenGL 1.1 call goes to the driver (which ignores it) and any other fails as not loaded.
class VEK_EXPORT OpenGLErrorChecker : public OpenGLInterceptor {
public:
    /// Throws nothing; Instance() makes the chain's checker.
    OpenGLErrorChecker() = default;
    /// Throws nothing.
    ~OpenGLErrorChecker() override;

#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) Return cgm##Name Params override;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

    /// Ends the glBegin/glEnd pair begun on the context, on whichever thread, as it goes away.
    /// Throws nothing.
    static void ForgetContext(HGLRC context);

private:
    /// What a call does to the glBegin/glEnd pair.
    enum class PairStep { kNone, kOpens, kCloses };
    static constexpr bool Same(char const* a, char const* b) {
        return *a == *b && (*a == '\0' || Same(a + 1, b + 1));
    }
    static constexpr PairStep PairStepOf(char const* name) {
        return Same(name, "Begin") ? PairStep::kOpens
               : Same(name, "End") ? PairStep::kCloses
                                   : PairStep::kNone;
    }

    /// The rule of every operation: glBegin and glEnd first keep the pair balanced; then the
    /// entry point is called with the arguments and, outside a pair, the error it raised is
    /// thrown. glBegin's own call is inside the pair, so no error is queried after it.
    template <PairStep step, class Entry, class... Arguments>
    static auto call(Entry entry, char const* file, unsigned line, Arguments... arguments);
    /// The same without a pair open or to open or close, which the thread's short way vouches
    /// for: nothing but the error query around the entry point (glGetError reached through the
    /// GOT, or the PLT).
    template <bool throughGot, class Entry, class... Arguments>
    static auto callShort(Entry entry, char const* file, unsigned line, Arguments... arguments);

    /// The rare ways of an operation, out of line so that the common way keeps nothing but the
    /// caller's file and line across the entry point's call. Without a short way: the rule of
    /// throwOnNullContext first (an OpenGL 1.1 entry point is then called, and ignored), or
    /// the pair's rule. Both stay inside the library (one instance per entry point, none of
    /// them interface).
    template <PairStep step, class Entry, class... Arguments>
    [[gnu::noinline]] VEK_NO_EXPORT static auto callFullWay(Entry entry, char const* file,
                                                            unsigned line, Arguments... arguments);
    /// The thread's table lacks the entry point, or is not known: the full lookup, and a
    /// position left null by its loader fails clearly instead of jumping to null.
    template <PairStep step, class Position, class... Arguments>
    [[gnu::noinline, gnu::cold]] VEK_NO_EXPORT static auto callLookingUp(Position position,
                                                                         char const* name,
                                                                         char const* file,
                                                                         unsigned line,
                                                                         Arguments... arguments);

    /// Without a context: throws when throwOnNullContext holds. With one: the thread's short
    /// way is set again, as a pair ended elsewhere leaves it unset.
    static void settle(char const* file, unsigned line);
    /// The error query, skipped inside a pair.
    static void check(char const* file, unsigned line);
    /// The error query alone, where no pair can be open.
    template <bool throughGot>
    static void checkShort(char const* file, unsigned line);
    /// Whether this thread's open pair belongs to the current context; ends it when it does not.
    static bool pairIsCurrent();
    static void openPair(char const* file, unsigned line);
    static void closePair(char const* file, unsigned line);
    [[noreturn]] static void throwError(char const* file, unsigned line, GLenum code);
    [[noreturn]] static void throwMissing(char const* file, unsigned line, char const* name);
};

}  // namespace OGL
}  // namespace VEK
