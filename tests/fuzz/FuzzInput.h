#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

// Reads typed values from a fuzzer's bytes; past the end every value is zero, so any input is a
// complete program of operations.
namespace VEKFuzz {

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return offset_ >= size_; }
    std::size_t remaining() const { return empty() ? 0 : size_ - offset_; }

    std::uint8_t byte() { return empty() ? 0 : data_[offset_++]; }
    std::uint16_t u16() { return static_cast<std::uint16_t>(byte() | (byte() << 8)); }
    std::uint32_t u32() { return u16() | (static_cast<std::uint32_t>(u16()) << 16); }
    std::uint64_t u64() { return u32() | (static_cast<std::uint64_t>(u32()) << 32); }
    std::int32_t i32() {
        const std::uint32_t bits = u32();
        std::int32_t value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    float f32() {
        const std::uint32_t bits = u32();
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    double f64() {
        const std::uint64_t bits = u64();
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }
    // Up to maxLength bytes; a zero byte ends the text early (and is consumed).
    std::string text(std::size_t maxLength) {
        std::string result;
        while (!empty() && result.size() < maxLength) {
            const char c = static_cast<char>(byte());
            if (c == '\0') {
                break;
            }
            result.push_back(c);
        }
        return result;
    }
    // Everything that is left.
    std::string rest() {
        std::string result(reinterpret_cast<const char*>(data_) + offset_, remaining());
        offset_ = size_;
        return result;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t offset_ = 0;
};

// A broken property: say which and stop, so that the fuzzer keeps the input as a crash.
[[noreturn]] inline void Fail(const char* file, int line, const std::string& what) {
    std::fprintf(stderr, "%s:%d: property broken: %s\n", file, line, what.c_str());
    std::abort();
}

}  // namespace VEKFuzz

#define VEK_FUZZ_CHECK(condition, what)                  \
    do {                                                 \
        if (!(condition)) {                              \
            ::VEKFuzz::Fail(__FILE__, __LINE__, (what)); \
        }                                                \
    } while (false)
