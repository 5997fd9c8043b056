#pragma once

#include <cstddef>

// Large memory areas for the node store. On Linux they come straight from the kernel,
// aligned to their size so that a kernel giving huge pages to all memory can back them with
// whole ones. Elsewhere (or when the kernel refuses) they come from the ordinary heap.
namespace chunkmemory {

// size must be a power of two. Returns nullptr when no memory can be had.
void* allocate(size_t size) noexcept;
// Has the kernel back every page of an area with (zeroed) memory now rather than at the first
// store into each page. Contents stay zero.
void prefault(void* area, size_t size) noexcept;
// Gives back an area from allocate with the same size.
void release(void* area, size_t size) noexcept;

}  // namespace chunkmemory
