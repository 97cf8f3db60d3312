#pragma once

// The sanitizers a source is built with, told the same way under g++ (__SANITIZE_*) and
// clang++ (__has_feature): VEK_ADDRESS_SANITIZER and VEK_THREAD_SANITIZER, defined as 1 or not.
#if defined(__SANITIZE_ADDRESS__)
#define VEK_ADDRESS_SANITIZER 1
#endif
#if defined(__SANITIZE_THREAD__)
#define VEK_THREAD_SANITIZER 1
#endif
#if defined(__has_feature)
#if __has_feature(address_sanitizer) && !defined(VEK_ADDRESS_SANITIZER)
#define VEK_ADDRESS_SANITIZER 1
#endif
#if __has_feature(thread_sanitizer) && !defined(VEK_THREAD_SANITIZER)
#define VEK_THREAD_SANITIZER 1
#endif
#endif
