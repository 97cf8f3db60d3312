#pragma once

// Thread-locals on hot paths of the shared library use the initial-exec model: a direct
// offset from the thread pointer instead of a __tls_get_addr call. The library's few such
// variables fit in the static TLS space the loader keeps for libraries opened later.
#if defined(__GNUC__) && defined(__ELF__)
#define VEK_INITIAL_EXEC_TLS __attribute__((tls_model("initial-exec")))
#else
#define VEK_INITIAL_EXEC_TLS
#endif
