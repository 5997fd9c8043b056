#include "render/simplifieddrawer.h"

#include <algorithm>

bool SimplifiedDrawer::draw(int slot, const std::shared_ptr<const SimplifiedLevel>& level,
                            int32_t first, int32_t last, const GlProcLoader& loader,
                            const void* context) {
    if (!level || slot < 0 || slot >= kLevels || (level->kept.empty() && level->segments.empty())) {
        return false;
    }
    Slot& s = slots_[static_cast<size_t>(slot)];
    if (s.level != level) {
        s.buffers.releasein(context);
        s.segments.release();
        s.level = level;
        if (!level->segments.empty() && !s.segments.build(level->segments, palette_, loader)) {
            s.level.reset();
            return false;
        }
    }
    if (!level->segments.empty()) return drawsegments(s, first, last);
    if (!s.buffers.update(nodes_, level->kept, palette_, loader, context)) return false;
    const std::vector<int32_t>& kept = level->kept;
    const auto from = std::lower_bound(kept.begin(), kept.end(), first) - kept.begin();
    const auto to = (std::upper_bound(kept.begin(), kept.end(), last) - kept.begin()) - 1;
    if (to > from) {
        s.buffers.draw(nodes_, static_cast<int32_t>(from), static_cast<int32_t>(to), {});
    }
    return true;
}

bool SimplifiedDrawer::drawsegments(Slot& s, int32_t first, int32_t last) {
    // The moves ending at nodes first + 1 .. last are drawn, as the strip would.
    const std::vector<CellSegment>& segments = s.level->segments;
    const auto before = [](const CellSegment& c, int32_t node) { return c.firstnode < node; };
    const auto from = std::lower_bound(segments.begin(), segments.end(), first + 1, before);
    const auto to = std::lower_bound(segments.begin(), segments.end(), last + 1, before);
    if (to > from) s.segments.draw(from - segments.begin(), (to - segments.begin()) - 1);
    return true;
}

void SimplifiedDrawer::release(const void* context) {
    for (Slot& s : slots_) {
        s.segments.release();
        s.buffers.releasein(context);
        s.level.reset();
    }
}
