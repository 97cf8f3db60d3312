#pragma once

#include <exception>
#include <utility>

namespace VEK {
namespace OGL {
namespace internal {

// Puts state back with calls that may each fail. Every restoring call is made, in the order
// given, even when one before it failed; the first failure is kept. A guard that goes away
// drops it, as a destructor cannot report; an explicit restore ends with throwFirstFailure(),
// which throws it once every call was made.
//
//     RestoreGuard restoring;
//     restoring([&] { VEK_GL(Enable)(GL_BLEND); });
//     restoring([&] { VEK_GL(BlendFunc)(source, destination); });
//     restoring.throwFirstFailure();  // or nothing, in a destructor
class RestoreGuard {
public:
    RestoreGuard() = default;
    RestoreGuard(const RestoreGuard&) = delete;
    RestoreGuard& operator=(const RestoreGuard&) = delete;
    // A failure not thrown is dropped.
    ~RestoreGuard() = default;

    // Makes one restoring call; what it throws is kept when it is the first failure.
    template <class Call>
    RestoreGuard& operator()(Call&& call) noexcept {
        try {
            std::forward<Call>(call)();
        } catch (...) {
            if (!firstFailure_) {
                firstFailure_ = std::current_exception();
            }
        }
        return *this;
    }

    bool failed() const noexcept { return static_cast<bool>(firstFailure_); }

    // Throws the first failure, if any, and forgets it.
    void throwFirstFailure() {
        if (firstFailure_) {
            std::exception_ptr failure = std::move(firstFailure_);
            firstFailure_ = nullptr;
            std::rethrow_exception(failure);
        }
    }

private:
    std::exception_ptr firstFailure_;
};

}  // namespace internal
}  // namespace OGL
}  // namespace VEK
