#pragma once

namespace VEK {
namespace OGL {
namespace internal {

typedef void (*EntryPoint)();

/// The platform's entry-point lookup for the current context: null for a name the context does
/// not provide. The loaders rely on that null. Throws nothing.
EntryPoint LookupGLEntryPoint(const char* name);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
