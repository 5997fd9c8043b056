#include "nc/ignoredtally.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace {

// G92.1 as G92.1, G81. as G81: at most four decimals, trailing zeros dropped.
std::string codename(uint8_t letter, double value) {
    char buffer[48];
    if (std::fabs(value) < 1e15) {
        std::snprintf(buffer, sizeof buffer, "%c%.4f", letter, value);
        std::string name(buffer);
        while (name.back() == '0') name.pop_back();
        if (name.back() == '.') name.pop_back();
        return name;
    }
    std::snprintf(buffer, sizeof buffer, "%c%.6g", letter, value);
    return buffer;
}

struct Entry {
    std::string name;
    int64_t count;
    int64_t firstline;
};

}  // namespace

void IgnoredTally::note(uint8_t letter, double value, int32_t line) {
    for (Kind& kind : kinds_) {
        if (kind.letter == letter && kind.value == value) {
            ++kind.count;
            return;
        }
    }
    addkind(letter, value, line);
}

void IgnoredTally::addkind(uint8_t letter, double value, int32_t line) {
    if (kinds_.size() == kMaxKinds) {
        ++kinds_.back().count;
        return;
    }
    if (kinds_.size() == kMaxKinds - 1) letter = 0, value = 0;
    kinds_.push_back({value, 1, line, letter});
}

void IgnoredTally::writeinto(ReadingNotice& notice, const ReaderTally& reader) const {
    std::vector<Entry> entries;
    for (const Kind& kind : kinds_) {
        std::string name;
        if (kind.letter == 0) {
            name = "other codes";
        } else if (kind.letter == 'G' || kind.letter == 'M') {
            name = codename(kind.letter, kind.value);
        } else {
            name = std::string(1, static_cast<char>(kind.letter));
        }
        entries.push_back({std::move(name), kind.count, kind.firstline});
    }
    for (size_t i = 0; i < reader.lowercase.size(); ++i) {
        if (reader.lowercase[i] == 0) continue;
        entries.push_back({std::string(1, static_cast<char>('a' + i)), reader.lowercase[i],
                           reader.lowercasefirstline[i]});
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Entry& a, const Entry& b) { return a.firstline < b.firstline; });
    for (const Entry& entry : entries) notice.ignore(entry.name, entry.firstline, entry.count);
    if (reader.thousandths > 0) {
        const std::string word = codename(reader.thousandthletter, reader.thousandthwritten);
        notice.thousandth(word, reader.thousandthline, reader.thousandthwritten * 0.001,
                          reader.thousandths);
    }
}
