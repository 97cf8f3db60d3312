#pragma once

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// Selecting and asking the active texture unit, and two capability questions of the current
/// context.
namespace TextureState {

/// GL_TEXTURE0 + unit becomes the active texture unit. Throws InternalException when the
/// context offers neither multitexturing nor OpenGL 1.3; ExceptionOGL on a GL error (a unit
/// beyond the context's units among them).
VEK_EXPORT void SetActiveTextureUnit(unsigned unit);
/// The same as SetActiveTextureUnit, under its lower-case name; throws the same.
VEK_EXPORT void setActiveTextureUnit(unsigned unit);
/// The active unit's number. Throws ExceptionOGL on a GL error.
VEK_EXPORT unsigned ActiveTextureUnit();
/// The same as ActiveTextureUnit, under its lower-case name; throws the same.
VEK_EXPORT unsigned activeTextureUnit();
/// Texture::IsTargetSupported: whether the current context supports the OpenGL texture target.
/// Throws nothing.
VEK_EXPORT bool IsTargetSupported(unsigned glTarget);
/// Whether the current context takes texture sizes that are not powers of two. Throws nothing.
VEK_EXPORT bool SupportsNonPowerOfTwo();

}  // namespace TextureState

}  // namespace OGL
}  // namespace VEK
