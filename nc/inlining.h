#pragma once
// Where the compiler's own choice measurably slows the word loops: a small step the loop must
// have inline, and a rare one that must stay out of it so the common path needs no stack frame.

#if defined(_MSC_VER)
#define KORVEN_HOT_INLINE __forceinline
#define KORVEN_COLD __declspec(noinline)
#else
#define KORVEN_HOT_INLINE inline __attribute__((always_inline))
#define KORVEN_COLD __attribute__((noinline, cold))
#endif
