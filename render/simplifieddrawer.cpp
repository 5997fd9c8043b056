#include "render/simplifieddrawer.h"

#include <algorithm>

bool SimplifiedDrawer::draw(int slot, const std::shared_ptr<const SimplifiedLevel>& level,
                            int32_t first, int32_t last, const GlProcLoader& loader,
                            const void* context) {
    if (!level || slot < 0 || slot >= kLevels || level->kept.empty()) return false;
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
        s.buffers.draw(nodes_, static_cast<int32_t>(from), static_cast<int32_t>(to), {});
    }
    return true;
}

void SimplifiedDrawer::release(const void* context) {
    for (Slot& s : slots_) {
        s.buffers.releasein(context);
        s.level.reset();
    }
}
