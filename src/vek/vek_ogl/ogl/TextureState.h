#pragma once

#include "vek/Export.h"

namespace VEK {
namespace OGL {

// Selecting and asking the active texture unit, and two capability questions of the current
// context.
namespace TextureState {

/// GL_TEXTURE0 + unit becomes the active texture unit.
VEK_EXPORT void SetActiveTextureUnit(unsigned unit);
VEK_EXPORT void setActiveTextureUnit(unsigned unit);
/// The active unit's number.
VEK_EXPORT unsigned ActiveTextureUnit();
VEK_EXPORT unsigned activeTextureUnit();
/// Texture::IsTargetSupported.
VEK_EXPORT bool IsTargetSupported(unsigned glTarget);
VEK_EXPORT bool SupportsNonPowerOfTwo();

}  // namespace TextureState

}  // namespace OGL
}  // namespace VEK
