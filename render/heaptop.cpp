#include "render/heaptop.h"

#include <cstdlib>  // defines __GLIBC__ where the C library is glibc

#if defined(__GLIBC__)
#include <malloc.h>

#include <mutex>
#endif

void keepfreedheaptop() {
#if defined(__GLIBC__)
    static std::once_flag once;
    std::call_once(once, [] {
        // Enough for the pieces in flight; far less than a large program's own memory.
        constexpr int kKeptBytes = 64 << 20;
        mallopt(M_TRIM_THRESHOLD, kKeptBytes);
    });
#endif
}
