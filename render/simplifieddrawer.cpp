#include "render/simplifieddrawer.h"

#include <algorithm>
#include <cstddef>
#include <new>

bool SimplifiedDrawer::draw(int slot, const std::shared_ptr<const SimplifiedLevel>& level,
                            int32_t first, int32_t last, const GlProcLoader& loader,
                            const void* context, int64_t stride) {
    drawnlines_ = 0;
    if (!level || slot < 0 || slot >= kLevels || (level->kept.empty() && level->segments.empty())) {
        return false;
    }
    if (!level->segments.empty()) {
        drawsegments(*level, first, last, loader, stride);
        return true;
    }
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.level != level) {
        s.buffers.releasein(context);
        s.level = level;
    }
    if (!s.buffers.update(nodes_, level->kept, palette_, loader, context)) return false;
    const std::vector<int32_t>& kept = level->kept;
    const auto from = std::lower_bound(kept.begin(), kept.end(), first) - kept.begin();
    const auto to = (std::upper_bound(kept.begin(), kept.end(), last) - kept.begin()) - 1;
    if (to > from) {
        drawnlines_ = to - from;
        s.buffers.draw(nodes_, static_cast<int32_t>(from), static_cast<int32_t>(to), {});
    }
    return true;
}

void SimplifiedDrawer::drawsegments(const SimplifiedLevel& level, int32_t first, int32_t last,
                                    const GlProcLoader& loader, int64_t stride) {
    // The moves ending at nodes first + 1 .. last are drawn, as the strip would.
    const std::vector<CellSegment>& segments = level.segments;
    const auto before = [](const CellSegment& c, int32_t node) { return c.firstnode < node; };
    const auto from = std::lower_bound(segments.begin(), segments.end(), first + 1, before);
    const auto to = std::lower_bound(segments.begin(), segments.end(), last + 1, before);
    if (to <= from) return;
    // A buffer left bound (by anyone) would turn the pointers into offsets.
    const bool buffers = gl_.loaded() || gl_.load(loader);
    if (buffers) gl_.bindbuffer(GlBufferFunctions::kArrayBuffer, 0);
    const int64_t count = to - from;
    stride = std::max<int64_t>(1, stride);
    if (stride > 1) {
        thinned_.clear();
        try {
            thinned_.reserve(static_cast<size_t>(2 * (count / stride + 1)));
        } catch (const std::bad_alloc&) {
            return;
        }
        for (int64_t i = 0; i < count; i += stride) {
            thinned_.push_back(static_cast<GLuint>(2 * i));
            thinned_.push_back(static_cast<GLuint>(2 * i + 1));
        }
        if (buffers) gl_.bindbuffer(GlBufferFunctions::kElementArrayBuffer, 0);
    }
    constexpr GLsizei kVertexBytes = sizeof(CellSegment) / 2;
    static_assert(offsetof(CellSegment, to) == kVertexBytes, "two vertices a segment");
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, kVertexBytes, from->from);
    glColorPointer(4, GL_UNSIGNED_BYTE, kVertexBytes, reinterpret_cast<const uint8_t*>(&*from) +
                                                          offsetof(CellSegment, rgba) -
                                                          kVertexBytes);
    // The second vertex of each line carries its colour.
    glShadeModel(GL_FLAT);
    if (stride > 1) {
        drawnlines_ = static_cast<int64_t>(thinned_.size() / 2);
        glDrawElements(GL_LINES, static_cast<GLsizei>(thinned_.size()), GL_UNSIGNED_INT,
                       thinned_.data());
    } else {
        drawnlines_ = count;
        glDrawArrays(GL_LINES, 0, static_cast<GLsizei>(2 * count));
    }
    glShadeModel(GL_SMOOTH);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void SimplifiedDrawer::release(const void* context) {
    thinned_ = {};
    for (Slot& s : slots_) {
        s.buffers.releasein(context);
        s.level.reset();
    }
}
