#pragma once
// What the word reader itself passes over or reads in a way a real controller would not:
// lower-case words (skipped like any stray text) and numbers without a decimal point taken as
// thousandths. Only the reader sees these, and it may run ahead on a thread of its own, so it
// keeps a fixed-size tally per batch of words that the calling thread adds up as it takes them.

#include <array>
#include <cstddef>
#include <cstdint>

struct ReaderTally {
    std::array<int64_t, 26> lowercase{};          // by letter, 'a' first
    std::array<int32_t, 26> lowercasefirstline{};  // 1-based

    int64_t thousandths = 0;
    uint8_t thousandthletter = 0;  // of the first one
    double thousandthwritten = 0;  // its number before scaling: 15 for Z15
    int32_t thousandthline = 0;

    void notelowercase(uint8_t letter, int32_t line) {
        const auto index = static_cast<std::size_t>(letter - 'a');
        if (lowercase[index]++ == 0) lowercasefirstline[index] = line;
    }
    // Adds a later batch's tally; the earlier firsts stay.
    void add(const ReaderTally& later) {
        for (std::size_t i = 0; i < lowercase.size(); ++i) {
            if (later.lowercase[i] == 0) continue;
            if (lowercase[i] == 0) lowercasefirstline[i] = later.lowercasefirstline[i];
            lowercase[i] += later.lowercase[i];
        }
        if (later.thousandths == 0) return;
        if (thousandths == 0) {
            thousandthletter = later.thousandthletter;
            thousandthwritten = later.thousandthwritten;
            thousandthline = later.thousandthline;
        }
        thousandths += later.thousandths;
    }
};
