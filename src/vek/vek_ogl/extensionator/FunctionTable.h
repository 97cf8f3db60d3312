#pragma once

#include "vek/vek_ogl/extensionator/OpenGLEntryPoints.h"
#include "vek/vek_ogl/extensionator/OpenGLTypes.h"

namespace VEK {
namespace OGL {

namespace internal {

/// An entry point's type: its operation's, without the caller's file and line.
template <class Operation>
struct EntryPointOf;
template <class Return, class... Params>
/// Drops the operation's leading file and line parameters.
struct EntryPointOf<Return(char const*, unsigned, Params...)> {
    /// The entry point's pointer type.
    typedef Return(APIENTRY* type)(Params...);
};

}  // namespace internal

/// The entry points beyond OpenGL 1.1 of one driver, a flat array of pointers filled group by
/// group by the extension manager's loaders; null where a lookup failed. One member per table
/// row, named after its entry point.
struct FunctionTable {
#define VEK_GL11_OPERATION(Slot, Return, Name, Params, Args, Trace)
#define VEK_GL_TABLE_OPERATION(Slot, Position, Return, Name, Params, Args, Trace) \
    typedef internal::EntryPointOf<Return Params>::type PFN_gl##Name;             \
    PFN_gl##Name gl##Name = nullptr;
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"
};

static_assert(sizeof(FunctionTable) == kFunctionTableSize * sizeof(void*),
              "the table is a flat array of entry-point pointers");

}  // namespace OGL
}  // namespace VEK
