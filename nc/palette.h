#pragma once

#include <array>
#include <cstdint>

// Colour values hold red in the lowest byte, green in the next and blue in the third.
inline constexpr std::array<uint32_t, 16> kPalette = {
    0x000000, 0xDA0000, 0x00DA00, 0xDADA00, 0x0000B6, 0xDA00DA, 0x00DADA, 0xDADADA,
    0x484848, 0xFF2424, 0x24FF24, 0xFFFF24, 0x2424FF, 0xFF24FF, 0x24FFFF, 0xFFFFFF,
};

inline constexpr uint8_t kRapidColorIndex = 4;
inline constexpr int32_t kFirstFeedColorIndex = 7;  // feed moves before the first F word

// Palette index of each tool and feed slot; slot 10 takes every key past the tenth.
inline constexpr int kFeedSlotCount = 10;
inline constexpr std::array<uint8_t, kFeedSlotCount + 1> kSlotColorIndex = {11, 10, 14, 13, 15, 12,
                                                                            9,  3,  2,  5,  7};

// Colour values of the eleven slots, for listing tools and feeds in their path colours.
std::array<uint32_t, kFeedSlotCount + 1> calctcary();
