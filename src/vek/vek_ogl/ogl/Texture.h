#pragma once

#include <cstdint>

#include "vek/Export.h"
#include "vek/vek_ogl/ogl/Object.h"

namespace VEK {
namespace OGL {

/// The base of every texture wrapper: one OpenGL texture name, its target, internal format and
/// level-0 size, and the library's texture vocabulary with its translations to OpenGL. Textures
/// are made only through the dimension classes (Texture1, Texture2, Texture3), which allocate
/// the storage. setFilter, setBorderColor and enableAutoMIPGeneration act on the texture bound
/// to the target: bind it first. Refusals are InternalException with a readable message; errors
/// OpenGL raises come as ExceptionOGL. Every operation that talks to OpenGL needs a context of the
/// texture's share group current.
class VEK_EXPORT Texture : public Object {
public:
    /// The OpenGL target a texture binds to.
    enum Target : int {
        kTarget1D = 0,       ///< GL_TEXTURE_1D.
        kTarget2D = 1,       ///< GL_TEXTURE_2D.
        kTarget3D = 2,       ///< GL_TEXTURE_3D.
        kTarget1DArray = 3,  ///< GL_TEXTURE_1D_ARRAY.
        kTarget2DArray = 4,  ///< GL_TEXTURE_2D_ARRAY.
        kTargetRECT = 5      ///< GL_TEXTURE_RECTANGLE.
    };
    /// The binding query of the target with the same value.
    enum TargetBinding : int {
        kBinding1D = 0,       ///< GL_TEXTURE_BINDING_1D.
        kBinding2D = 1,       ///< GL_TEXTURE_BINDING_2D.
        kBinding3D = 2,       ///< GL_TEXTURE_BINDING_3D.
        kBinding1DArray = 3,  ///< GL_TEXTURE_BINDING_1D_ARRAY.
        kBinding2DArray = 4,  ///< GL_TEXTURE_BINDING_2D_ARRAY.
        kBindingRECT = 5      ///< GL_TEXTURE_BINDING_RECTANGLE.
    };
    /// The internal format of a texture's storage, with its channel count. SizeInBytes refuses the
    /// packed formats, which have no whole-byte channel size.
    enum InternalFormat : int {
        kALPHA = 0,                 ///< GL_ALPHA, 1 channel.
        kALPHA4 = 1,                ///< GL_ALPHA4, 1 channel (packed: no byte size).
        kALPHA8 = 2,                ///< GL_ALPHA8, 1 channel.
        kALPHA12 = 3,               ///< GL_ALPHA12, 1 channel (packed: no byte size).
        kALPHA16 = 4,               ///< GL_ALPHA16, 1 channel.
        kLUMINANCE = 5,             ///< GL_LUMINANCE, 1 channel.
        kLUMINANCE4 = 6,            ///< GL_LUMINANCE4, 1 channel (packed: no byte size).
        kLUMINANCE8 = 7,            ///< GL_LUMINANCE8, 1 channel.
        kLUMINANCE12 = 8,           ///< GL_LUMINANCE12, 1 channel (packed: no byte size).
        kLUMINANCE16 = 9,           ///< GL_LUMINANCE16, 1 channel.
        kLUMINANCE_ALPHA = 10,      ///< GL_LUMINANCE_ALPHA, 2 channels.
        kLUMINANCE4_ALPHA4 = 11,    ///< GL_LUMINANCE4_ALPHA4, 2 channels (packed: no byte size).
        kLUMINANCE6_ALPHA2 = 12,    ///< GL_LUMINANCE6_ALPHA2, 2 channels (packed: no byte size).
        kLUMINANCE8_ALPHA8 = 13,    ///< GL_LUMINANCE8_ALPHA8, 2 channels.
        kLUMINANCE12_ALPHA4 = 14,   ///< GL_LUMINANCE12_ALPHA4, 2 channels (packed: no byte size).
        kLUMINANCE12_ALPHA12 = 15,  ///< GL_LUMINANCE12_ALPHA12, 2 channels (packed: no byte size).
        kLUMINANCE16_ALPHA16 = 16,  ///< GL_LUMINANCE16_ALPHA16, 2 channels.
        kINTENSITY = 17,            ///< GL_INTENSITY, 1 channel.
        kINTENSITY4 = 18,           ///< GL_INTENSITY4, 1 channel (packed: no byte size).
        kINTENSITY8 = 19,           ///< GL_INTENSITY8, 1 channel.
        kINTENSITY12 = 20,          ///< GL_INTENSITY12, 1 channel (packed: no byte size).
        kINTENSITY16 = 21,          ///< GL_INTENSITY16, 1 channel.
        kR3_G3_B2 = 22,             ///< GL_R3_G3_B2, 3 channels (packed: no byte size).
        kRED = 23,                  ///< GL_RED, 1 channel.
        kR16 = 24,                  ///< GL_R16, 1 channel.
        kR16F = 25,                 ///< GL_R16F, 1 channel.
        kR32F = 26,                 ///< GL_R32F, 1 channel.
        kRG = 27,                   ///< GL_RG, 2 channels.
        kRG16 = 28,                 ///< GL_RG16, 2 channels.
        kRG16F = 29,                ///< GL_RG16F, 2 channels.
        kRG32F = 30,                ///< GL_RG32F, 2 channels.
        kRGB = 31,                  ///< GL_RGB, 3 channels.
        kRGB4 = 32,                 ///< GL_RGB4, 3 channels (packed: no byte size).
        kRGB5 = 33,                 ///< GL_RGB5, 3 channels (packed: no byte size).
        kRGB8 = 34,                 ///< GL_RGB8, 3 channels.
        kRGB10 = 35,                ///< GL_RGB10, 3 channels (packed: no byte size).
        kRGB12 = 36,                ///< GL_RGB12, 3 channels (packed: no byte size).
        kRGB16 = 37,                ///< GL_RGB16, 3 channels.
        kRGBA = 38,                 ///< GL_RGBA, 4 channels.
        kRGBA2 = 39,                ///< GL_RGBA2, 4 channels (packed: no byte size).
        kRGBA4 = 40,                ///< GL_RGBA4, 4 channels (packed: no byte size).
        kRGB5_A1 = 41,              ///< GL_RGB5_A1, 4 channels (packed: no byte size).
        kRGBA8 = 42,                ///< GL_RGBA8, 4 channels.
        kRGB10_A2 = 43,             ///< GL_RGB10_A2, 4 channels (packed: no byte size).
        kRGBA12 = 44,               ///< GL_RGBA12, 4 channels (packed: no byte size).
        kRGBA16 = 45,               ///< GL_RGBA16, 4 channels.
        kRGBA32F = 46,              ///< GL_RGBA32F_ARB, 4 channels.
        kRGB32F = 47,               ///< GL_RGB32F_ARB, 3 channels.
        kALPHA32F = 48,             ///< GL_ALPHA32F_ARB, 1 channel.
        kINTENSITY32F = 49,         ///< GL_INTENSITY32F_ARB, 1 channel.
        kLUMINANCE32F = 50,         ///< GL_LUMINANCE32F_ARB, 1 channel.
        kLUMINANCE_ALPHA32F = 51,   ///< GL_LUMINANCE_ALPHA32F_ARB, 2 channels.
        kRGBA16F = 52,              ///< GL_RGBA16F_ARB, 4 channels.
        kRGB16F = 53,               ///< GL_RGB16F_ARB, 3 channels.
        kALPHA16F = 54,             ///< GL_ALPHA16F_ARB, 1 channel.
        kINTENSITY16F = 55,         ///< GL_INTENSITY16F_ARB, 1 channel.
        kLUMINANCE16F = 56,         ///< GL_LUMINANCE16F_ARB, 1 channel.
        kLUMINANCE_ALPHA16F = 57    ///< GL_LUMINANCE_ALPHA16F_ARB, 2 channels.
    };
    /// Pixel format of client or buffer data.
    enum Format : int {
        kFormatCOLOR_INDEX = 0,      ///< GL_COLOR_INDEX (refused by the read-backs).
        kFormatRED = 1,              ///< GL_RED.
        kFormatGREEN = 2,            ///< GL_GREEN.
        kFormatBLUE = 3,             ///< GL_BLUE.
        kFormatALPHA = 4,            ///< GL_ALPHA.
        kFormatRG = 5,               ///< GL_RG.
        kFormatRGB = 6,              ///< GL_RGB.
        kFormatBGR = 7,              ///< GL_BGR.
        kFormatRGBA = 8,             ///< GL_RGBA.
        kFormatBGRA = 9,             ///< GL_BGRA.
        kFormatLUMINANCE = 10,       ///< GL_LUMINANCE.
        kFormatLUMINANCE_ALPHA = 11  ///< GL_LUMINANCE_ALPHA.
    };
    /// Component type of client or buffer data. kTypeDefault stands for unsigned bytes where a
    /// texture's storage is defined; it has no OpenGL value of its own.
    enum Type : int {
        kTypeDefault = -1,                     ///< Unsigned bytes for storage; Type2GL refuses it.
        kTypeUnsignedByte = 0,                 ///< GL_UNSIGNED_BYTE.
        kTypeByte = 1,                         ///< GL_BYTE.
        kTypeBitmap = 2,                       ///< GL_BITMAP.
        kTypeUnsignedShort = 3,                ///< GL_UNSIGNED_SHORT.
        kTypeShort = 4,                        ///< GL_SHORT.
        kTypeUnsignedInt = 5,                  ///< GL_UNSIGNED_INT.
        kTypeInt = 6,                          ///< GL_INT.
        kTypeFloat = 7,                        ///< GL_FLOAT.
        kTypeUnsignedByte_3_3_2 = 8,           ///< GL_UNSIGNED_BYTE_3_3_2.
        kTypeUnsignedByte_2_3_3_Rev = 9,       ///< GL_UNSIGNED_BYTE_2_3_3_REV.
        kTypeUnsignedShort_5_6_5 = 10,         ///< GL_UNSIGNED_SHORT_5_6_5.
        kTypeUnsignedShort_5_6_5_Rev = 11,     ///< GL_UNSIGNED_SHORT_5_6_5_REV.
        kTypeUnsignedShort_4_4_4_4 = 12,       ///< GL_UNSIGNED_SHORT_4_4_4_4.
        kTypeUnsignedShort_4_4_4_4_Rev = 13,   ///< GL_UNSIGNED_SHORT_4_4_4_4_REV.
        kTypeUnsignedShort_5_5_5_1 = 14,       ///< GL_UNSIGNED_SHORT_5_5_5_1.
        kTypeUnsignedShort_1_5_5_5_Rev = 15,   ///< GL_UNSIGNED_SHORT_1_5_5_5_REV.
        kTypeUnsignedInt_8_8_8_8 = 16,         ///< GL_UNSIGNED_INT_8_8_8_8.
        kTypeUnsignedInt_8_8_8_8_Rev = 17,     ///< GL_UNSIGNED_INT_8_8_8_8_REV.
        kTypeUnsignedInt_10_10_10_2 = 18,      ///< GL_UNSIGNED_INT_10_10_10_2.
        kTypeUnsignedInt_2_10_10_10_Rev = 19,  ///< GL_UNSIGNED_INT_2_10_10_10_REV.
        kTypeHalfFloat = 20                    ///< GL_HALF_FLOAT.
    };
    /// Minification and magnification filter.
    enum Filter : int {
        kFilterNearest = 0,               ///< GL_NEAREST.
        kFilterLinear = 1,                ///< GL_LINEAR.
        kFilterNearestMipmapNearest = 2,  ///< GL_NEAREST_MIPMAP_NEAREST.
        kFilterLinearMipmapNearest = 3,   ///< GL_LINEAR_MIPMAP_NEAREST.
        kFilterNearestMipmapLinear = 4,   ///< GL_NEAREST_MIPMAP_LINEAR.
        kFilterLinearMipmapLinear = 5     ///< GL_LINEAR_MIPMAP_LINEAR.
    };
    /// How texture coordinates outside [0, 1] are wrapped.
    enum WrapMode : int {
        kWrapClamp = 0,           ///< GL_CLAMP.
        kWrapClampToBorder = 1,   ///< GL_CLAMP_TO_BORDER.
        kWrapClampToEdge = 2,     ///< GL_CLAMP_TO_EDGE.
        kWrapMirroredRepeat = 3,  ///< GL_MIRRORED_REPEAT.
        kWrapRepeat = 4           ///< GL_REPEAT.
    };
    /// A pack (read-back) or unpack (upload) pixel-store parameter.
    enum PixelStoreMode : int {
        kPackSwapBytes = 0,       ///< GL_PACK_SWAP_BYTES.
        kPackLSBFirst = 1,        ///< GL_PACK_LSB_FIRST.
        kPackRowLength = 2,       ///< GL_PACK_ROW_LENGTH.
        kPackImageHeight = 3,     ///< GL_PACK_IMAGE_HEIGHT.
        kPackSkipPixels = 4,      ///< GL_PACK_SKIP_PIXELS.
        kPackSkipRows = 5,        ///< GL_PACK_SKIP_ROWS.
        kPackSkipImages = 6,      ///< GL_PACK_SKIP_IMAGES.
        kPackAlignment = 7,       ///< GL_PACK_ALIGNMENT.
        kUnpackSwapBytes = 8,     ///< GL_UNPACK_SWAP_BYTES.
        kUnpackLSBFirst = 9,      ///< GL_UNPACK_LSB_FIRST.
        kUnpackRowLength = 10,    ///< GL_UNPACK_ROW_LENGTH.
        kUnpackImageHeight = 11,  ///< GL_UNPACK_IMAGE_HEIGHT.
        kUnpackSkipPixels = 12,   ///< GL_UNPACK_SKIP_PIXELS.
        kUnpackSkipRows = 13,     ///< GL_UNPACK_SKIP_ROWS.
        kUnpackSkipImages = 14,   ///< GL_UNPACK_SKIP_IMAGES.
        kUnpackAlignment = 15     ///< GL_UNPACK_ALIGNMENT.
    };

    /// Deletes the texture name. Throws nothing (a failing delete is swallowed).
    ~Texture() override;

    /// The internal format of the storage. Throws nothing.
    InternalFormat format() const { return format_; }
    /// Channels(format()). Throws nothing for a texture that was made.
    unsigned channels() const { return Channels(format_); }
    /// The width of a level as OpenGL stores it: the level-0 width halved per level, never below 1
    /// (0 only when it is 0 at level 0). Throws nothing.
    unsigned width(unsigned level) const;
    /// The height of a level, halved like width; the layer count of a Texture1DArray is the same
    /// at every level. Throws nothing.
    unsigned height(unsigned level) const;
    /// The depth of a level, halved like width; a Texture2DArray keeps its layer count at every
    /// level. Throws nothing.
    virtual unsigned depth(unsigned level) const;
    /// SizeInBytes of level 0, computed once. Throws InternalException as SizeInBytes does.
    unsigned sizeInBytes() const;
    /// The pixel format used when storage is allocated: GL_RED for the one-channel red formats,
    /// GL_RG for the two-channel red-green formats, GL_BGRA for all others. Throws nothing.
    unsigned getGLFormat(InternalFormat format) const;

    /// Sets the minification and magnification filters of the texture bound to the target.
    /// Throws InternalException for a filter outside Filter; ExceptionOGL on a GL error.
    void setFilter(Filter minFilter, Filter magFilter);
    /// Sets the border colour (rgba: four floats) of the texture bound to the target. Throws
    /// InternalException for a null rgba; ExceptionOGL on a GL error.
    void setBorderColor(const float* rgba);
    /// Turns automatic mipmap generation of the texture bound to the target on or off. Throws
    /// ExceptionOGL on a GL error (a context without GL_GENERATE_MIPMAP among them).
    void enableAutoMIPGeneration(bool on);

    /// Whether the current context offers automatic mipmap generation (OpenGL 1.4 or later).
    /// Throws nothing.
    static bool SupportsAutoMIPGeneration();
    /// Whether the current context supports the OpenGL texture target: 1D, 2D and 3D always,
    /// rectangle and the arrays with their extensions, anything else never. Throws nothing.
    static bool IsTargetSupported(unsigned glTarget);

    /// The OpenGL target. Throws InternalException for a value outside Target.
    static unsigned Target2GL(Target target);
    /// The Target of an OpenGL target; only 1D, 2D, 3D and rectangle translate back. Throws
    /// InternalException for the array targets and any other value.
    static Target GL2Target(unsigned glTarget);
    /// The OpenGL binding query. Throws InternalException for a value outside TargetBinding.
    static unsigned TargetBinding2GL(TargetBinding binding);
    /// The TargetBinding of an OpenGL binding query; only 1D, 2D, 3D and rectangle translate
    /// back. Throws InternalException for the array queries and any other value.
    static TargetBinding GL2TargetBinding(unsigned glBinding);
    /// The OpenGL internal format. Throws InternalException for a value outside InternalFormat.
    static unsigned InternalFormat2GL(InternalFormat format);
    /// The InternalFormat of an OpenGL internal format. Throws InternalException for one outside
    /// the enumeration.
    static InternalFormat GL2InternalFormat(unsigned glFormat);
    /// The OpenGL pixel format. Throws InternalException for a value outside Format.
    static unsigned Format2GL(Format format);
    /// The Format of an OpenGL pixel format. Throws InternalException for one outside Format.
    static Format GL2Format(unsigned glFormat);
    /// The OpenGL component type. Throws InternalException for kTypeDefault or a value outside
    /// Type.
    static unsigned Type2GL(Type type);
    /// The Type of an OpenGL component type. Throws InternalException for one outside Type.
    static Type GL2Type(unsigned glType);
    /// The OpenGL filter. Throws InternalException for a value outside Filter.
    static unsigned Filter2GL(Filter filter);
    /// The Filter of an OpenGL filter. Throws InternalException for one outside Filter.
    static Filter GL2Filter(unsigned glFilter);
    /// The OpenGL wrap mode. Throws InternalException for a value outside WrapMode.
    static unsigned WrapMode2GL(WrapMode mode);
    /// The WrapMode of an OpenGL wrap mode. Throws InternalException for one outside WrapMode.
    static WrapMode GL2WrapMode(unsigned glMode);
    /// The OpenGL pixel-store parameter. Throws InternalException for a value outside
    /// PixelStoreMode.
    static unsigned PixelStoreMode2GL(PixelStoreMode mode);
    /// The PixelStoreMode of an OpenGL pixel-store parameter. Throws InternalException for one
    /// outside PixelStoreMode.
    static PixelStoreMode GL2PixelStoreMode(unsigned glMode);

    /// The channel count of an internal format. Throws InternalException for a value outside
    /// InternalFormat.
    static unsigned Channels(InternalFormat format);
    /// The channel count of a pixel format. Throws InternalException for a value outside Format.
    static unsigned Channels(Format format);
    /// Bytes per channel x channels x width x height x depth. Throws InternalException for the
    /// packed formats (naming the format), a value outside InternalFormat and a count that does
    /// not fit 32 bits.
    static unsigned SizeInBytes(InternalFormat format, unsigned width, unsigned height,
                                unsigned depth);

protected:
    /// Generates the name; binds nothing and allocates no storage. Throws InternalException for
    /// a target or format outside its enumeration or when no name is made; ExceptionOGL on a GL
    /// error (a name already made is deleted again).
    Texture(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
            unsigned height, unsigned depth);

    /// Saves the pixel-store state, then sets the unpack alignment (1, 2, 4 or 8 bytes).
    /// PopPixelTransferModes puts the saved state back. Throws InternalException for another
    /// alignment, before anything is saved; ExceptionOGL on a GL error.
    static void PushAndSetTransferByteAlignment(unsigned byteAlignment);
    /// Saves the pixel-store state, then sets the pack alignment (1, 2, 4 or 8 bytes).
    /// PopPixelTransferModes puts the saved state back. Throws InternalException for another
    /// alignment, before anything is saved; ExceptionOGL on a GL error.
    static void PushAndSetReadbackByteAlignment(unsigned byteAlignment);
    /// Puts back the pixel-store state the last push saved. Throws InternalException when nothing
    /// was saved; ExceptionOGL on a GL error.
    static void PopPixelTransferModes();
    /// Throws InternalException unless byteAlignment is 1, 2, 4 or 8.
    static void CheckByteAlignment(unsigned byteAlignment);

    /// A hook that checks nothing and has no effect. Throws nothing.
    void verifyCurrentTextureObject() const {}

    /// Returns size, or refuses one that is not a power of two unless the current context takes
    /// any size; anySizeWithRectangles: rectangle support also lifts the rule. Throws
    /// InternalException with refusal as its message.
    static unsigned CheckPowerOfTwo(unsigned size, bool anySizeWithRectangles, const char* refusal);
    /// Whether the context offers OpenGL 1.2 (edge clamping). Throws nothing.
    static bool SupportsClampToEdge();

private:
    InternalFormat format_;
    unsigned width_;
    unsigned height_;
    unsigned depth_;
    mutable std::int64_t sizeInBytes_;
};

}  // namespace OGL
}  // namespace VEK
