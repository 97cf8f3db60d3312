#pragma once

#include "vek/core/exceptions/InternalException.h"

namespace VEK {
namespace OGL {

class Buffer;
class Texture;

namespace internal {

// The region checks of the texture transfers: each throws an InternalException at the caller's
// file and line with the transfer's readable message.
inline void CheckNonZero(const char* file, int line, unsigned size, const char* message) {
    if (size == 0) {
        throw InternalException(file, line, message);
    }
}

inline void CheckLevel(const char* file, int line, int level) {
    if (level < 0) {
        throw InternalException(file, line, "a negative texture image mip-map level supplied");
    }
}

// "name(requested) is greater than imageWords (available) "
void CheckNotGreater(const char* file, int line, const char* name, unsigned requested,
                     const char* imageWords, unsigned available);

// "Texture must be bound": a transfer acts on the texture bound to the target, which must be
// this one (an upload into another texture would report success for data it lost).
void CheckBound(const char* file, int line, const Texture& texture);

// The bytes of an unpack row alignment value (0 to 3 for 1, 2, 4 and 8 bytes); any other value
// is refused with "Enum value not recognized".
int UnpackAlignmentBytes(const char* file, int line, int alignment);

// "Invalid row byte alignment (must be of 1, 2, 4, or 8)." for any other row alignment.
void CheckRowAlignment(const char* file, int line, unsigned byteAlignment);

// Offset not negative and (checkOffset) inside the buffer, buffer not mapped; a null buffer is
// refused first.
void CheckBufferTransfer(const char* file, int line, const Buffer* pbo, long long offset,
                         bool checkOffset);
void CheckBufferNotNull(const char* file, int line, const Buffer* pbo);
void CheckBufferNotMapped(const char* file, int line, const Buffer* pbo);

// Channels x bytes per component x texel count, in 64 bits; refused above 32 bits.
unsigned PixelDataSize(const char* file, int line, unsigned channels, unsigned glType,
                       unsigned width, unsigned height, unsigned depth);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
