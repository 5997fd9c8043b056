#pragma once
// Lets at most one sent piece wait in the driver while the next is sent. A software
// rasterizer bins a whole piece into memory before it draws it; unchecked, the bins of a frame
// of millions of nodes pile up as far as the drawing threads fall behind, which differs from
// frame to frame, and each new file's frames leave the heap larger than the last. A driver
// without fences is not held back.

#include "render/glbufferfunctions.h"

class PieceThrottle {
  public:
    explicit PieceThrottle(const GlBufferFunctions& gl) : gl_(gl) {}
    ~PieceThrottle();
    PieceThrottle(const PieceThrottle&) = delete;
    PieceThrottle& operator=(const PieceThrottle&) = delete;

    void piecesent();

  private:
    const GlBufferFunctions& gl_;
    GlBufferFunctions::Sync pending_ = nullptr;
};
