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
/// to the target: bind it first.
class VEK_EXPORT Texture : public Object {
public:
    enum Target : int {
        kTarget1D = 0,
        kTarget2D = 1,
        kTarget3D = 2,
        kTarget1DArray = 3,
        kTarget2DArray = 4,
        kTargetRECT = 5
    };
    /// The binding query of the target with the same value.
    enum TargetBinding : int {
        kBinding1D = 0,
        kBinding2D = 1,
        kBinding3D = 2,
        kBinding1DArray = 3,
        kBinding2DArray = 4,
        kBindingRECT = 5
    };
    enum InternalFormat : int {
        kALPHA = 0,
        kALPHA4 = 1,
        kALPHA8 = 2,
        kALPHA12 = 3,
        kALPHA16 = 4,
        kLUMINANCE = 5,
        kLUMINANCE4 = 6,
        kLUMINANCE8 = 7,
        kLUMINANCE12 = 8,
        kLUMINANCE16 = 9,
        kLUMINANCE_ALPHA = 10,
        kLUMINANCE4_ALPHA4 = 11,
        kLUMINANCE6_ALPHA2 = 12,
        kLUMINANCE8_ALPHA8 = 13,
        kLUMINANCE12_ALPHA4 = 14,
        kLUMINANCE12_ALPHA12 = 15,
        kLUMINANCE16_ALPHA16 = 16,
        kINTENSITY = 17,
        kINTENSITY4 = 18,
        kINTENSITY8 = 19,
        kINTENSITY12 = 20,
        kINTENSITY16 = 21,
        kR3_G3_B2 = 22,
        kRED = 23,
        kR16 = 24,
        kR16F = 25,
        kR32F = 26,
        kRG = 27,
        kRG16 = 28,
        kRG16F = 29,
        kRG32F = 30,
        kRGB = 31,
        kRGB4 = 32,
        kRGB5 = 33,
        kRGB8 = 34,
        kRGB10 = 35,
        kRGB12 = 36,
        kRGB16 = 37,
        kRGBA = 38,
        kRGBA2 = 39,
        kRGBA4 = 40,
        kRGB5_A1 = 41,
        kRGBA8 = 42,
        kRGB10_A2 = 43,
        kRGBA12 = 44,
        kRGBA16 = 45,
        kRGBA32F = 46,
        kRGB32F = 47,
        kALPHA32F = 48,
        kINTENSITY32F = 49,
        kLUMINANCE32F = 50,
        kLUMINANCE_ALPHA32F = 51,
        kRGBA16F = 52,
        kRGB16F = 53,
        kALPHA16F = 54,
        kINTENSITY16F = 55,
        kLUMINANCE16F = 56,
        kLUMINANCE_ALPHA16F = 57
    };
    /// Pixel format of client or buffer data.
    enum Format : int {
        kFormatCOLOR_INDEX = 0,
        kFormatRED = 1,
        kFormatGREEN = 2,
        kFormatBLUE = 3,
        kFormatALPHA = 4,
        kFormatRG = 5,
        kFormatRGB = 6,
        kFormatBGR = 7,
        kFormatRGBA = 8,
        kFormatBGRA = 9,
        kFormatLUMINANCE = 10,
        kFormatLUMINANCE_ALPHA = 11
    };
    /// Component type of client or buffer data. kTypeDefault stands for unsigned bytes where a
    /// texture's storage is defined; it has no OpenGL value of its own.
    enum Type : int {
        kTypeDefault = -1,
        kTypeUnsignedByte = 0,
        kTypeByte = 1,
        kTypeBitmap = 2,
        kTypeUnsignedShort = 3,
        kTypeShort = 4,
        kTypeUnsignedInt = 5,
        kTypeInt = 6,
        kTypeFloat = 7,
        kTypeUnsignedByte_3_3_2 = 8,
        kTypeUnsignedByte_2_3_3_Rev = 9,
        kTypeUnsignedShort_5_6_5 = 10,
        kTypeUnsignedShort_5_6_5_Rev = 11,
        kTypeUnsignedShort_4_4_4_4 = 12,
        kTypeUnsignedShort_4_4_4_4_Rev = 13,
        kTypeUnsignedShort_5_5_5_1 = 14,
        kTypeUnsignedShort_1_5_5_5_Rev = 15,
        kTypeUnsignedInt_8_8_8_8 = 16,
        kTypeUnsignedInt_8_8_8_8_Rev = 17,
        kTypeUnsignedInt_10_10_10_2 = 18,
        kTypeUnsignedInt_2_10_10_10_Rev = 19,
        kTypeHalfFloat = 20
    };
    enum Filter : int {
        kFilterNearest = 0,
        kFilterLinear = 1,
        kFilterNearestMipmapNearest = 2,
        kFilterLinearMipmapNearest = 3,
        kFilterNearestMipmapLinear = 4,
        kFilterLinearMipmapLinear = 5
    };
    enum WrapMode : int {
        kWrapClamp = 0,
        kWrapClampToBorder = 1,
        kWrapClampToEdge = 2,
        kWrapMirroredRepeat = 3,
        kWrapRepeat = 4
    };
    enum PixelStoreMode : int {
        kPackSwapBytes = 0,
        kPackLSBFirst = 1,
        kPackRowLength = 2,
        kPackImageHeight = 3,
        kPackSkipPixels = 4,
        kPackSkipRows = 5,
        kPackSkipImages = 6,
        kPackAlignment = 7,
        kUnpackSwapBytes = 8,
        kUnpackLSBFirst = 9,
        kUnpackRowLength = 10,
        kUnpackImageHeight = 11,
        kUnpackSkipPixels = 12,
        kUnpackSkipRows = 13,
        kUnpackSkipImages = 14,
        kUnpackAlignment = 15
    };

    ~Texture() override;

    InternalFormat format() const { return format_; }
    unsigned channels() const { return Channels(format_); }
    /// The sizes of a level as OpenGL stores them: level-0 sizes halved per level, never below 1
    /// (0 only for a size that is 0 at level 0). The layer count of an array (the height of a
    /// Texture1DArray, the depth of a Texture2DArray) is the same at every level.
    unsigned width(unsigned level) const;
    unsigned height(unsigned level) const;
    virtual unsigned depth(unsigned level) const;
    /// SizeInBytes of level 0, computed once.
    unsigned sizeInBytes() const;
    /// The pixel format used when storage is allocated: GL_RED, GL_RG or GL_BGRA.
    unsigned getGLFormat(InternalFormat format) const;

    void setFilter(Filter minFilter, Filter magFilter);
    /// rgba: four floats.
    void setBorderColor(const float* rgba);
    void enableAutoMIPGeneration(bool on);

    /// OpenGL 1.4 or later.
    static bool SupportsAutoMIPGeneration();
    static bool IsTargetSupported(unsigned glTarget);

    static unsigned Target2GL(Target target);
    static Target GL2Target(unsigned glTarget);
    static unsigned TargetBinding2GL(TargetBinding binding);
    static TargetBinding GL2TargetBinding(unsigned glBinding);
    static unsigned InternalFormat2GL(InternalFormat format);
    static InternalFormat GL2InternalFormat(unsigned glFormat);
    static unsigned Format2GL(Format format);
    static Format GL2Format(unsigned glFormat);
    static unsigned Type2GL(Type type);
    static Type GL2Type(unsigned glType);
    static unsigned Filter2GL(Filter filter);
    static Filter GL2Filter(unsigned glFilter);
    static unsigned WrapMode2GL(WrapMode mode);
    static WrapMode GL2WrapMode(unsigned glMode);
    static unsigned PixelStoreMode2GL(PixelStoreMode mode);
    static PixelStoreMode GL2PixelStoreMode(unsigned glMode);

    static unsigned Channels(InternalFormat format);
    static unsigned Channels(Format format);
    /// Bytes per channel x channels x width x height x depth. Refused for the packed formats and
    /// for a count that does not fit 32 bits.
    static unsigned SizeInBytes(InternalFormat format, unsigned width, unsigned height,
                                unsigned depth);

protected:
    /// Generates the name; binds nothing and allocates no storage.
    Texture(Target target, TargetBinding targetBinding, InternalFormat format, unsigned width,
            unsigned height, unsigned depth);

    /// Save the pixel-store state, then set the unpack or pack alignment (1, 2, 4 or 8; checked
    /// before anything is saved). PopPixelTransferModes puts the saved state back.
    static void PushAndSetTransferByteAlignment(unsigned byteAlignment);
    static void PushAndSetReadbackByteAlignment(unsigned byteAlignment);
    static void PopPixelTransferModes();
    static void CheckByteAlignment(unsigned byteAlignment);

    void verifyCurrentTextureObject() const {}

    /// Returns size, or refuses one that is not a power of two unless the current context takes
    /// any size; anySizeWithRectangles: rectangle support also lifts the rule.
    static unsigned CheckPowerOfTwo(unsigned size, bool anySizeWithRectangles, const char* refusal);
    /// Whether the context offers OpenGL 1.2 (edge clamping).
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
