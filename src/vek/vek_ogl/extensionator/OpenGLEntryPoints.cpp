#include "vek/vek_ogl/extensionator/OpenGLEntryPoints.h"

#include <cstddef>

#include "vek/vek_ogl/extensionator/FunctionTable.h"

namespace VEK {
namespace OGL {

const FunctionTableGroup kFunctionTableGroups[kFunctionTableGroupCount] = {
#define VEK_GL_GROUP_ENTRY(Group, Enumerator, First, Count) {#Group, Enumerator, First, Count},
    VEK_GL_TABLE_GROUPS(VEK_GL_GROUP_ENTRY)
#undef VEK_GL_GROUP_ENTRY
};

const char* const kInterceptorEntryPoints[kInterceptorOperationCount] = {
#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) "gl" #Name,
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"
};

namespace {

const char* const kExtensionNames[] = {
#define VEK_EXTENSION(Value, Enumerator, Name) Name,
#include "vek/vek_ogl/extensionator/generated/OpenGLExtensions.def"
};
static_assert(sizeof(kExtensionNames) / sizeof(kExtensionNames[0]) == OGLEXT_UNKNOWN,
              "one name per OpenGLExtension value");

// The rows' slots count up from 0, and each table row's position is its member's place in the
// table and its slot after the OpenGL 1.1 rows.
constexpr unsigned kSlots[] = {
#define VEK_GL_OPERATION(Slot, Return, Name, Params, Args, Trace) Slot,
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"
};
constexpr bool SlotsCountUp() {
    for (unsigned i = 0; i < kInterceptorOperationCount; ++i) {
        if (kSlots[i] != i) {
            return false;
        }
    }
    return true;
}
static_assert(SlotsCountUp(), "the operation rows are in slot order");

#define VEK_GL11_OPERATION(Slot, Return, Name, Params, Args, Trace)
#define VEK_GL_TABLE_OPERATION(Slot, Position, Return, Name, Params, Args, Trace)    \
    static_assert(offsetof(FunctionTable, gl##Name) == (Position) * sizeof(void*) && \
                      (Slot) == kOpenGL11EntryPointCount + (Position),               \
                  "gl" #Name " sits at its position");
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"

}  // namespace

const char* OpenGLExtensionName(OpenGLExtension extension) {
    return extension >= 0 && extension < OGLEXT_UNKNOWN ? kExtensionNames[extension] : nullptr;
}

}  // namespace OGL
}  // namespace VEK
