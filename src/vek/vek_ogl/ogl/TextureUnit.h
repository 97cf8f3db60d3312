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
    /// The texture-environment mode of setEnv.
    enum Environment : int {
        kEnvAdd = 0,       ///< GL_ADD.
        kEnvBlend = 1,     ///< GL_BLEND.
        kEnvCombine = 2,   ///< GL_COMBINE.
        kEnvDecal = 3,     ///< GL_DECAL.
        kEnvModulate = 4,  ///< GL_MODULATE.
        kEnvReplace = 5    ///< GL_REPLACE.
    };
    /// Entries of the unit table: more than any context here offers.
    static constexpr unsigned kUnitCount = 256;

    /// The object of unit number index; the same object for the same number; no OpenGL call.
    /// Throws InternalException for an index of kUnitCount or more.
    static TextureUnit* Unit(unsigned index);

    /// Copy assignment has no effect: the objects carry no data. Throws nothing.
    TextureUnit& operator=(const TextureUnit&) { return *this; }
    /// Move assignment has no effect: the objects carry no data. Throws nothing.
    TextureUnit& operator=(TextureUnit&&) noexcept { return *this; }

    /// Binds the texture to GL_TEXTURE_1D of the active unit. Throws InternalException for a
    /// null texture; ExceptionOGL on a GL error.
    void bind(const Texture1D* texture) const;
    /// Binds the texture to GL_TEXTURE_2D of the active unit. Throws InternalException for a
    /// null texture; ExceptionOGL on a GL error.
    void bind(const Texture2D* texture) const;
    /// Binds the texture to GL_TEXTURE_3D of the active unit. Throws InternalException for a
    /// null texture; ExceptionOGL on a GL error.
    void bind(const Texture3D* texture) const;
    /// Binds the texture to GL_TEXTURE_2D_ARRAY of the active unit. Throws InternalException for
    /// a null texture; ExceptionOGL on a GL error.
    void bind(const Texture2DArray* texture) const;
    /// Binds the texture to GL_TEXTURE_RECTANGLE of the active unit. Throws InternalException
    /// for a null texture; ExceptionOGL on a GL error.
    void bind(const TextureRECT* texture) const;
    /// Binds no texture to GL_TEXTURE_1D of the active unit. Throws ExceptionOGL on a GL error.
    void bind1DDefault() const;
    /// Binds no texture to GL_TEXTURE_2D of the active unit. Throws ExceptionOGL on a GL error.
    void bind2DDefault() const;
    /// Binds no texture to GL_TEXTURE_2D_ARRAY of the active unit. Throws ExceptionOGL on a GL
    /// error.
    void bind2DArrayDefault() const;
    /// Binds no texture to GL_TEXTURE_3D of the active unit. Throws ExceptionOGL on a GL error.
    void bind3DDefault() const;
    /// Binds no texture to GL_TEXTURE_RECTANGLE of the active unit. Throws ExceptionOGL on a GL
    /// error.
    void bindRECTDefault() const;

    /// Enables one-dimensional texturing (fixed-function) on the active unit. Throws
    /// ExceptionOGL on a GL error.
    void enable1D() const;
    /// Enables two-dimensional texturing (fixed-function) on the active unit. Throws
    /// ExceptionOGL on a GL error.
    void enable2D() const;
    /// Enables three-dimensional texturing (fixed-function) on the active unit. Throws
    /// ExceptionOGL on a GL error.
    void enable3D() const;
    /// Enables rectangle texturing (fixed-function) on the active unit. Throws ExceptionOGL on a
    /// GL error.
    void enableRECT() const;
    /// Disables one-dimensional texturing on the active unit. Throws ExceptionOGL on a GL error.
    void disable1D() const;
    /// Disables two-dimensional texturing on the active unit. Throws ExceptionOGL on a GL error.
    void disable2D() const;
    /// Disables three-dimensional texturing on the active unit. Throws ExceptionOGL on a GL
    /// error.
    void disable3D() const;
    /// Disables rectangle texturing on the active unit. Throws ExceptionOGL on a GL error.
    void disableRECT() const;
    /// Whether one-dimensional texturing is enabled on the active unit. Throws ExceptionOGL on a
    /// GL error.
    bool isEnabled1D() const;
    /// Whether two-dimensional texturing is enabled on the active unit. Throws ExceptionOGL on a
    /// GL error.
    bool isEnabled2D() const;
    /// Whether three-dimensional texturing is enabled on the active unit. Throws ExceptionOGL on
    /// a GL error.
    bool isEnabled3D() const;
    /// Whether rectangle texturing is enabled on the active unit. Throws ExceptionOGL on a GL
    /// error.
    bool isEnabledRECT() const;

    /// Sets the texture-environment mode of the active unit. Throws InternalException for a mode
    /// outside Environment; ExceptionOGL on a GL error.
    void setEnv(Environment mode) const;

    /// The OpenGL texture-environment mode. Throws InternalException for a value outside
    /// Environment.
    static unsigned Environment2GL(Environment mode);
    /// The Environment of an OpenGL texture-environment mode. Throws InternalException for any
    /// other value.
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
