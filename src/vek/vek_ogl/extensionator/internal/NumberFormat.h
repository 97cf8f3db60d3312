#pragma once

#include <cstddef>
#include <cstdint>

namespace VEK {
namespace OGL {
namespace internal {

// Numbers as text for the tracer, without streams, locales or the heap. Each writes at out and
// returns the end of what it wrote; out must have room for kMaxNumberChars.
constexpr std::size_t kMaxNumberChars = 32;

// Decimal digits, '-' before a negative number.
char* FormatDecimal(char* out, std::int64_t value);
char* FormatDecimal(char* out, std::uint64_t value);

// As printf's "%g" in the "C" locale: six significant digits, fixed or scientific by the
// exponent, trailing zeros dropped; "nan", "-nan", "inf", "-inf" for the values that are not
// numbers or infinite.
char* FormatGeneral(char* out, double value);

// "0x" and lower-case hexadecimal digits, or "0" for the null pointer.
char* FormatPointer(char* out, const void* value);

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
