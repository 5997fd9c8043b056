#include "nc/vectorstate.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))

#include <immintrin.h>

namespace {

// Only this function is built for AVX; it runs only where the processor and the system have it.
__attribute__((target("avx"))) void zeroupperhalves() noexcept {
    _mm256_zeroupper();
}

bool haveavx() noexcept {
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx") != 0;
}

}  // namespace

void clearwidevectorstate() noexcept {
    static const bool avx = haveavx();
    if (avx) zeroupperhalves();
}

#else

void clearwidevectorstate() noexcept {}

#endif
