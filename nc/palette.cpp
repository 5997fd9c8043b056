#include "nc/palette.h"

#include <cstddef>

std::array<uint32_t, kFeedSlotCount + 1> calctcary() {
    std::array<uint32_t, kFeedSlotCount + 1> colors{};
    for (std::size_t s = 0; s < colors.size(); ++s) colors[s] = kPalette[kSlotColorIndex[s]];
    return colors;
}
