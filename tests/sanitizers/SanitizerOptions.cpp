// Linked into every test and fuzz program of a sanitized build: the sanitizers read these before
// the program starts, so a test behaves the same from CTest or by hand. A setting in the
// environment still wins.
#ifndef VEK_SANITIZER_DIR
#error "VEK_SANITIZER_DIR names the folder of the suppression files"
#endif

extern "C" {

// intercept_tls_get_addr=0: the runtimes of GCC 12 and clang 14 take a dynamic TLS block that
// happens to start 16 bytes into a page for one with an old glibc header and read its bounds
// from the words before it; the leak check then scans that made-up range and its tracer dies of
// SIGSEGV at exit, after the tests passed. The driver's threads hold such blocks. Without the
// interceptor the blocks are ordinary allocations, reached through each thread's vector.
const char* __asan_default_options() {
    return "detect_leaks=1:strict_init_order=1:check_initialization_order=1:"
           "intercept_tls_get_addr=0";
}

const char* __lsan_default_options() {
    return "suppressions=" VEK_SANITIZER_DIR "/lsan.supp:print_suppressions=0";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

const char* __tsan_default_options() {
    return "suppressions=" VEK_SANITIZER_DIR "/tsan.supp:halt_on_error=1:second_deadlock_stack=1";
}

}  // extern "C"
