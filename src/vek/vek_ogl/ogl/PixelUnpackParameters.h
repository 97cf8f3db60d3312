#pragma once

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The memory layout of pixel data handed to an upload, applied as OpenGL unpack state. The
/// default alignment is one byte (not OpenGL's four).
class VEK_EXPORT PixelUnpackParameters {
public:
    /// Row alignments of 1, 2, 4 and 8 bytes.
    enum Alignment : int {
        kAlign1 = 0,  ///< Rows start on any byte.
        kAlign2 = 1,  ///< Rows start on 2-byte boundaries.
        kAlign4 = 2,  ///< Rows start on 4-byte boundaries.
        kAlign8 = 3   ///< Rows start on 8-byte boundaries.
    };

    /// No byte swapping, most significant bit first, row length, image height and skips 0,
    /// one-byte alignment. Throws nothing.
    PixelUnpackParameters() = default;

    /// Swap the bytes of multi-byte components (GL_UNPACK_SWAP_BYTES). Throws nothing.
    void enableSwapBytes() { swapBytes_ = true; }
    /// Take multi-byte components as they are. Throws nothing.
    void disableSwapBytes() { swapBytes_ = false; }
    /// Bitmap bits run from the least significant bit (GL_UNPACK_LSB_FIRST). Throws nothing.
    void makeFirstLSB() { firstLSB_ = true; }
    /// Bitmap bits run from the most significant bit (the default). Throws nothing.
    void makeFirstMSB() { firstLSB_ = false; }
    /// Pixels per row in memory; 0: the width of the upload (GL_UNPACK_ROW_LENGTH). Throws
    /// nothing.
    void setRowLength(unsigned value) { rowLength_ = value; }
    /// Rows per image in memory; 0: the height of the upload (GL_UNPACK_IMAGE_HEIGHT). Throws
    /// nothing.
    void setImageHeight(unsigned value) { imageHeight_ = value; }
    /// Pixels skipped at the start of each row (GL_UNPACK_SKIP_PIXELS). Throws nothing.
    void setSkipPixels(unsigned value) { skipPixels_ = value; }
    /// Rows skipped at the start of each image (GL_UNPACK_SKIP_ROWS). Throws nothing.
    void setSkipRows(unsigned value) { skipRows_ = value; }
    /// Images skipped at the start of the data (GL_UNPACK_SKIP_IMAGES). Throws nothing.
    void setSkipImages(unsigned value) { skipImages_ = value; }
    /// Stored as given; apply() and the uploads refuse a value outside the enumeration. Throws
    /// nothing.
    void setAlignment(Alignment value) { alignment_ = value; }
    /// Row alignment in bytes. Throws InternalException for anything but 1, 2, 4 or 8, leaving
    /// the alignment unchanged.
    void setAlignment(unsigned bytes);

    /// Whether multi-byte components are byte-swapped. Throws nothing.
    bool swapBytes() const { return swapBytes_; }
    /// Whether bitmap bits run from the least significant bit. Throws nothing.
    bool isFirstLSB() const { return firstLSB_; }
    /// Pixels per row in memory (0: the upload's width). Throws nothing.
    unsigned rowLength() const { return rowLength_; }
    /// Rows per image in memory (0: the upload's height). Throws nothing.
    unsigned imageHeight() const { return imageHeight_; }
    /// Pixels skipped at the start of each row. Throws nothing.
    unsigned skipPixels() const { return skipPixels_; }
    /// Rows skipped at the start of each image. Throws nothing.
    unsigned skipRows() const { return skipRows_; }
    /// Images skipped at the start of the data. Throws nothing.
    unsigned skipImages() const { return skipImages_; }
    /// The row alignment. Throws nothing.
    Alignment alignment() const { return alignment_; }

    /// Writes every field into the current context's unpack state (image height and skipped
    /// images only where the context has 3D textures); saves nothing. Throws InternalException
    /// for a stored alignment outside the enumeration, after the other fields are written;
    /// ExceptionOGL on a GL error.
    void apply() const;

private:
    bool swapBytes_ = false;
    bool firstLSB_ = false;
    unsigned rowLength_ = 0;
    unsigned imageHeight_ = 0;
    unsigned skipPixels_ = 0;
    unsigned skipRows_ = 0;
    unsigned skipImages_ = 0;
    Alignment alignment_ = kAlign1;
};

}  // namespace OGL
}  // namespace VEK
