#include "nc/tablewords.h"

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "nc/plaintext.h"

namespace {

// A decimal number as tables write it: sign, digits, one point. No exponent, no "nan":
// what strtod would also take is a typing fault here.
bool readnumber(std::string_view text, size_t& at, double& value) {
    const size_t begin = at;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) ++at;
    bool digits = false, point = false;
    while (at < text.size()) {
        const char c = text[at];
        if (c >= '0' && c <= '9') {
            digits = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
        ++at;
    }
    if (!digits) return false;
    value = std::strtod(std::string(text.substr(begin, at - begin)).c_str(), nullptr);
    return std::isfinite(value);
}

}  // namespace

std::string readtablewords(std::string_view words, std::string_view known, TableWords& out) {
    size_t at = 0;
    while (at < words.size()) {
        if (isblankbyte(words[at])) {
            ++at;
            continue;
        }
        char letter = words[at];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        if (letter < 'A' || letter > 'Z') return "unexpected " + std::string(1, words[at]);
        ++at;
        while (at < words.size() && isblankbyte(words[at])) ++at;
        const size_t numberstart = at;
        double v = 0;
        if (!readnumber(words, at, v)) {
            while (at < words.size() && !isblankbyte(words[at])) ++at;
            return "bad number in " + std::string(1, letter) +
                   std::string(words.substr(numberstart, at - numberstart));
        }
        const int index = letter - 'A';
        if (out.given[index]) return std::string(1, letter) + " given twice";
        out.given[index] = true;
        out.value[index] = v;
        if (known.find(letter) == std::string_view::npos) out.unknown += letter;
    }
    return {};
}

void eachtableline(std::string_view text,
                   const std::function<void(std::string_view line, int64_t number, bool inch)>& each) {
    bool inch = false;
    int64_t number = 0;
    while (!text.empty()) {
        ++number;
        const size_t feed = text.find('\n');
        const std::string_view whole = text.substr(0, feed);
        text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
        const std::string_view words = trimblanks(whole.substr(0, whole.find(';')));
        if (words.empty()) {
            const std::string directive = asciilower(tablecomment(whole));
            if (directive == "units=inch") inch = true;
            if (directive == "units=mm") inch = false;
            continue;
        }
        each(whole, number, inch);
    }
}

std::string_view tablecomment(std::string_view line) {
    const size_t semicolon = line.find(';');
    return semicolon == std::string_view::npos ? std::string_view() : trimblanks(line.substr(semicolon + 1));
}

bool readtablefile(const std::string& path, std::string& text) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) return false;
    std::ostringstream read;
    read << in.rdbuf();
    text = read.str();
    return true;
}
