// The driver's version text split into major, minor, release and vendor words, against the rules
// applied step by step: the vendor words are exactly the text after the first blank that ends
// the numbers, and a piece made only of digits reads as its value.
#include <vek/core/CoreLibrary.h>

#include <string>

#include "FuzzInput.h"

namespace {

const std::size_t npos = std::string::npos;

std::string Piece(const std::string& text, std::size_t from, std::size_t to) {
    return text.substr(from, to == npos ? npos : to - from);
}

// The value of a piece of one to nine digits; -1 for anything else (left to the reader).
long long DigitsValue(const std::string& piece) {
    if (piece.empty() || piece.size() > 9 ||
        piece.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    return std::stoll(piece);
}

void ExpectPiece(const std::string& piece, long long actual, const char* what) {
    const long long expected = DigitsValue(piece);
    VEK_FUZZ_CHECK(expected < 0 || expected == actual,
                   std::string(what) + " of \"" + piece + "\" read as " + std::to_string(actual));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    VEKFuzz::Input input(data, size);
    const std::string version = input.rest();

    unsigned major = 7, minor = 7;
    int release = 7;
    std::string vendor = "stale";
    VEK::TokenizeVersionString(version, major, minor, release, vendor);

    long long expectedRelease = -1;
    std::string expectedVendor;
    const std::size_t firstDot = version.find('.');
    ExpectPiece(Piece(version, 0, firstDot), major, "major");
    if (firstDot != npos) {
        std::size_t separator = version.find_first_of(" .", firstDot + 1);
        ExpectPiece(Piece(version, firstDot + 1, separator), minor, "minor");
        if (separator != npos && version[separator] == '.') {
            const std::size_t blank = version.find(' ', separator + 1);
            const std::string piece = Piece(version, separator + 1, blank);
            ExpectPiece(piece, release, "release");
            expectedRelease = DigitsValue(piece) >= 0 ? DigitsValue(piece) : release;
            separator = blank;
        }
        if (separator != npos) {
            expectedVendor = version.substr(separator + 1);
        }
    } else {
        VEK_FUZZ_CHECK(minor == 0, "minor without a dot");
    }
    VEK_FUZZ_CHECK(release == expectedRelease, "release " + std::to_string(release));
    VEK_FUZZ_CHECK(vendor == expectedVendor, "vendor words \"" + vendor + "\"");
    return 0;
}
