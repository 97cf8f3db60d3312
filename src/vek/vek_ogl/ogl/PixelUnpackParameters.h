#pragma once

#include "vek/Export.h"

namespace VEK {
namespace OGL {

/// The memory layout of pixel data handed to an upload, applied as OpenGL unpack state. The
/// default alignment is one byte (not OpenGL's four).
class VEK_EXPORT PixelUnpackParameters {
public:
    /// Row alignments of 1, 2, 4 and 8 bytes.
    enum Alignment : int { kAlign1 = 0, kAlign2 = 1, kAlign4 = 2, kAlign8 = 3 };

    PixelUnpackParameters() = default;

    void enableSwapBytes() { swapBytes_ = true; }
    void disableSwapBytes() { swapBytes_ = false; }
    void makeFirstLSB() { firstLSB_ = true; }
    void makeFirstMSB() { firstLSB_ = false; }
    void setRowLength(unsigned value) { rowLength_ = value; }
    void setImageHeight(unsigned value) { imageHeight_ = value; }
    void setSkipPixels(unsigned value) { skipPixels_ = value; }
    void setSkipRows(unsigned value) { skipRows_ = value; }
    void setSkipImages(unsigned value) { skipImages_ = value; }
    /// Stored as given; apply() refuses a value outside the enumeration.
    void setAlignment(Alignment value) { alignment_ = value; }
    /// 1, 2, 4 or 8 bytes; anything else is refused and leaves the alignment unchanged.
    void setAlignment(unsigned bytes);

    bool swapBytes() const { return swapBytes_; }
    bool isFirstLSB() const { return firstLSB_; }
    unsigned rowLength() const { return rowLength_; }
    unsigned imageHeight() const { return imageHeight_; }
    unsigned skipPixels() const { return skipPixels_; }
    unsigned skipRows() const { return skipRows_; }
    unsigned skipImages() const { return skipImages_; }
    Alignment alignment() const { return alignment_; }

    /// Writes every field into the current context's unpack state; saves nothing.
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
