#pragma once

// Keeps freed memory at the top of the C library's heap instead of giving it back to the
// system at once. Toolpath frames are drawn piece by piece, and a software rasterizer frees and
// allocates the binned commands of every piece; returned and faulted in again each time, that
// memory would cost the drawing thread a fifth of a frame in page faults. Process-wide and
// idempotent; does nothing where the C library has no such setting.
void keepfreedheaptop();
