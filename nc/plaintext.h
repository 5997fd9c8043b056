#pragma once
// Small helpers for the settings-like text files read beside programs (tool tables, machine
// profiles): blanks, trimming and ASCII lower case, independent of the C locale.

#include <string>
#include <string_view>

inline bool isblankbyte(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

inline std::string_view trimblanks(std::string_view s) {
    while (!s.empty() && isblankbyte(s.front())) s.remove_prefix(1);
    while (!s.empty() && isblankbyte(s.back())) s.remove_suffix(1);
    return s;
}

inline std::string asciilower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}
