// Linked into every test and fuzz program of a sanitized build: the sanitizers read these before
// the program starts, so a test behaves the same from CTest or by hand. A setting in the
// environment still wins.
#ifndef VEK_SANITIZER_DIR
#error "VEK_SANITIZER_DIR names the folder of the suppression files"
#endif

extern "C" {

const char* __asan_default_options() {
    return "detect_leaks=1:strict_init_order=1:check_initialization_order=1";
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
