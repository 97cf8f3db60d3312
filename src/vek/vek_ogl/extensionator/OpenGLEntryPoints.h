#pragma once

#include "vek/vek_ogl/extensionator/OpenGLExtension.h"
#include "vek/vek_ogl/extensionator/generated/OpenGLTableGroups.h"

namespace VEK {
namespace OGL {

/// Counted from the generated rows.
constexpr unsigned kOpenGL11EntryPointCount = 0
#define VEK_GL11_OPERATION(Slot, Return, Name, Params, Args, Trace) +1
#define VEK_GL_TABLE_OPERATION(Slot, Position, Return, Name, Params, Args, Trace)
#include "vek/vek_ogl/extensionator/generated/OpenGLOperations.def"
    ;
#define VEK_GL_GROUP_SIZE(Group, Enumerator, First, Count) +Count
constexpr unsigned kFunctionTableSize = 0 VEK_GL_TABLE_GROUPS(VEK_GL_GROUP_SIZE);
#undef VEK_GL_GROUP_SIZE
#define VEK_GL_GROUP_ONE(Group, Enumerator, First, Count) +1
constexpr unsigned kFunctionTableGroupCount = 0 VEK_GL_TABLE_GROUPS(VEK_GL_GROUP_ONE);
#undef VEK_GL_GROUP_ONE
constexpr unsigned kInterceptorOperationCount = kOpenGL11EntryPointCount + kFunctionTableSize;

/// One loader's share of the function table.
struct FunctionTableGroup {
    const char* name;           ///< "GL_VERSION_1_2"
    OpenGLExtension extension;  ///< the version or extension it loads
    unsigned first;             ///< position of its first entry point
    unsigned count;             ///< number of its entry points
};

extern const FunctionTableGroup kFunctionTableGroups[kFunctionTableGroupCount];
/// Entry-point names in the interceptor's slot order: the OpenGL 1.1 ones in ASCII order, then
/// the function table's in table order.
extern const char* const kInterceptorEntryPoints[kInterceptorOperationCount];

}  // namespace OGL
}  // namespace VEK
