#pragma once

#include "vek/Export.h"

namespace VEK {
namespace OGL {

class Texture1D;
class Texture2D;
class Texture3D;
class Texture2DArray;
class TextureRECT;

/// A handle per texture unit for binding textures, enabling targets and setting the texture
/// environment. The operations act on whichever unit is active in OpenGL: select unit i with
/// TextureState::SetActiveTextureUnit(i) before using TextureUnit::Unit(i). The objects hold no
/// state; the unit number of an object is its place in the library's table.
class VEK_EXPORT TextureUnit {
public:
    enum Environment : int {
        kEnvAdd = 0,
        kEnvBlend = 1,
        kEnvCombine = 2,
        kEnvDecal = 3,
        kEnvModulate = 4,
        kEnvReplace = 5
    };
    /// Entries of the unit table: more than any context here offers.
    static constexpr unsigned kUnitCount = 256;

    /// The object of unit number index; the same object for the same number. An index beyond
    /// the table is refused.
    static TextureUnit* Unit(unsigned index);

    /// Assignment has no effect: the objects carry no data.
    TextureUnit& operator=(const TextureUnit&) { return *this; }
    TextureUnit& operator=(TextureUnit&&) noexcept { return *this; }

    /// Null textures are refused; bindXDefault binds no texture.
    void bind(const Texture1D* texture) const;
    void bind(const Texture2D* texture) const;
    void bind(const Texture3D* texture) const;
    void bind(const Texture2DArray* texture) const;
    void bind(const TextureRECT* texture) const;
    void bind1DDefault() const;
    void bind2DDefault() const;
    void bind2DArrayDefault() const;
    void bind3DDefault() const;
    void bindRECTDefault() const;

    void enable1D() const;
    void enable2D() const;
    void enable3D() const;
    void enableRECT() const;
    void disable1D() const;
    void disable2D() const;
    void disable3D() const;
    void disableRECT() const;
    bool isEnabled1D() const;
    bool isEnabled2D() const;
    bool isEnabled3D() const;
    bool isEnabledRECT() const;

    void setEnv(Environment mode) const;

    static unsigned Environment2GL(Environment mode);
    static Environment GL2Environment(unsigned glMode);

private:
    TextureUnit() = default;
    TextureUnit(const TextureUnit&) = default;

    unsigned number() const;
    /// Whether this object's unit is the active one.
    bool verifyActiveTexture() const;

    static TextureUnit sUnits_[kUnitCount];
};

}  // namespace OGL
}  // namespace VEK
