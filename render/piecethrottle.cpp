#include "render/piecethrottle.h"

PieceThrottle::~PieceThrottle() {
    if (pending_ != nullptr) gl_.deletesync(pending_);
}

void PieceThrottle::piecesent() {
    if (!gl_.hasfences()) return;
    GlBufferFunctions::Sync fence = gl_.fencesync(GlBufferFunctions::kSyncGpuCommandsComplete, 0);
    if (pending_ != nullptr) {
        // A piece slower than this is let go rather than waited for forever.
        constexpr unsigned long long kLongestWaitNs = 10'000'000'000ULL;
        gl_.clientwaitsync(pending_, GlBufferFunctions::kSyncFlushCommandsBit, kLongestWaitNs);
        gl_.deletesync(pending_);
    }
    pending_ = fence;
}
