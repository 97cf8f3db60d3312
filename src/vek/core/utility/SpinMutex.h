#pragma once

#include <atomic>

namespace VEK {
namespace Core {

// A non-recursive lock for short critical sections, such as the start and stop of the layers.
// Meets the standard Lockable requirements, so std::lock_guard and std::unique_lock take it.
class SpinMutex {
public:
    SpinMutex() = default;
    SpinMutex(const SpinMutex&) = delete;
    SpinMutex& operator=(const SpinMutex&) = delete;

    void lock() noexcept {
        // Spin on a plain read, so that waiters do not keep stealing the cache line.
        while (flag_.exchange(true, std::memory_order_acquire)) {
            while (flag_.load(std::memory_order_relaxed)) {
                Pause();
            }
        }
    }
    bool try_lock() noexcept {
        return !flag_.load(std::memory_order_relaxed) &&
               !flag_.exchange(true, std::memory_order_acquire);
    }
    void unlock() noexcept { flag_.store(false, std::memory_order_release); }

private:
    static void Pause() noexcept {
#if defined(__x86_64__) || defined(__i386__)
        __builtin_ia32_pause();
#endif
    }

    std::atomic<bool> flag_{false};
};

}  // namespace Core
}  // namespace VEK
