#pragma once
// The line form shared by the tool table and the offset file: letter-number words in any
// order, a ';' comment after them, and ";units=inch" / ";units=mm" lines that say which
// length unit the lines after them use.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

struct TableWords {
    double value[26] = {};
    bool given[26] = {};
    std::string unknown;  // letters outside the known ones, in the order written

    bool has(char letter) const { return given[letter - 'A']; }
    double get(char letter) const { return value[letter - 'A']; }
};

// Reads the words of one line (its comment already cut off); letters not in known are kept
// in unknown. Returns what makes the line unusable, or an empty string.
std::string readtablewords(std::string_view words, std::string_view known, TableWords& out);

// Calls each for every line with words: the whole line, its number (from 1), whether its
// lengths are inches.
void eachtableline(std::string_view text,
                   const std::function<void(std::string_view line, int64_t number, bool inch)>& each);

// The text of a table file; false for one that cannot be read, or is no plain file (a
// folder or a device named by mistake must not be read, for ever for /dev/zero).
bool readtablefile(const std::string& path, std::string& text);

// The comment of a line, trimmed; empty when it has none.
std::string_view tablecomment(std::string_view line);

constexpr double kTableMillimetresPerInch = 25.4;
