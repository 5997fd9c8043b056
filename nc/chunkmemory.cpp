#include "nc/chunkmemory.h"

#include <cstdint>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace chunkmemory {

#if defined(__linux__)

namespace {

// Maps twice the size and trims both ends so the area starts on a multiple of its size:
// only then can the kernel back it with whole huge pages.
void* mapaligned(size_t size) noexcept {
    const size_t span = 2 * size;
    void* raw = ::mmap(nullptr, span, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED) return nullptr;
    const auto start = reinterpret_cast<uintptr_t>(raw);
    const uintptr_t aligned = (start + size - 1) & ~(uintptr_t{size} - 1);
    const size_t head = aligned - start;
    const size_t tail = span - head - size;
    if (head > 0) ::munmap(raw, head);
    if (tail > 0) ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    return reinterpret_cast<void*>(aligned);
}

}  // namespace

void* allocate(size_t size) noexcept {
    // No huge-page advice: for advised areas the kernel may compact memory inside the page
    // fault, which made opening a large program vary by up to half a second. Small pages are
    // faulted in on the store's helper thread at a steady cost; systems that give huge pages
    // to every area still can, since the area is aligned.
    return mapaligned(size);
}

void release(void* area, size_t size) noexcept {
    if (area != nullptr) ::munmap(area, size);
}

#else

void* allocate(size_t size) noexcept {
    return ::operator new(size, std::nothrow);
}

void release(void* area, size_t /*size*/) noexcept {
    ::operator delete(area);
}

#endif

void prefault(void* area, size_t size) noexcept {
    if (area == nullptr) return;
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // One call for the whole area costs about a third less than a fault for every page.
    // Kernels before 5.14 refuse it; the pages are then touched one by one.
    if (::madvise(area, size, MADV_POPULATE_WRITE) == 0) return;
#endif
    // Stores, not loads: a load would only map the shared zero page. Volatile keeps the
    // compiler from dropping stores of the value the memory already holds.
    auto* bytes = static_cast<volatile unsigned char*>(area);
    constexpr size_t kPage = 4096;
    for (size_t at = 0; at < size; at += kPage) bytes[at] = 0;
}

}  // namespace chunkmemory
