#include "nc/tooltable.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "nc/plaintext.h"

namespace {

constexpr double kMillimetresPerInch = 25.4;
constexpr int kLetters = 26;

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

bool wholenumber(double v) {
    return v >= 0 && v < 2147483648.0 && v == std::floor(v);
}

}  // namespace

ToolShape ToolEntry::shape() const {
    if (pointangle > 0) return ToolShape::Point;
    if (cornerradius <= 0) return ToolShape::Flat;
    return cornerradius >= radius() ? ToolShape::Ball : ToolShape::BullNose;
}

ToolTable ToolTable::parse(std::string_view text, std::string source) {
    ToolTable table;
    table.found_ = true;
    table.source_ = std::move(source);
    bool inch = false;
    int64_t line = 0;
    while (!text.empty()) {
        ++line;
        const size_t feed = text.find('\n');
        const std::string_view whole = text.substr(0, feed);
        text.remove_prefix(feed == std::string_view::npos ? text.size() : feed + 1);
        const size_t semicolon = whole.find(';');
        const std::string_view words = trimblanks(whole.substr(0, semicolon));
        const std::string_view comment =
            semicolon == std::string_view::npos ? std::string_view() : trimblanks(whole.substr(semicolon + 1));
        if (words.empty()) {
            const std::string directive = asciilower(comment);
            if (directive == "units=inch") inch = true;
            if (directive == "units=mm") inch = false;
            continue;
        }
        table.parseline(whole, line, inch);
    }
    return table;
}

void ToolTable::parseline(std::string_view text, int64_t line, bool inch) {
    const size_t semicolon = text.find(';');
    const std::string_view words = text.substr(0, semicolon);
    double value[kLetters] = {};
    bool given[kLetters] = {};
    auto problem = [&](std::string message) { problems_.push_back({line, std::move(message)}); };
    size_t at = 0;
    while (at < words.size()) {
        if (isblankbyte(words[at])) {
            ++at;
            continue;
        }
        char letter = words[at];
        if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
        if (letter < 'A' || letter > 'Z') return problem("unexpected " + std::string(1, words[at]));
        ++at;
        while (at < words.size() && isblankbyte(words[at])) ++at;
        const size_t numberstart = at;
        double v = 0;
        if (!readnumber(words, at, v)) {
            while (at < words.size() && !isblankbyte(words[at])) ++at;
            return problem("bad number in " + std::string(1, letter) +
                           std::string(words.substr(numberstart, at - numberstart)));
        }
        const int index = letter - 'A';
        if (given[index]) return problem(std::string(1, letter) + " given twice");
        given[index] = true;
        value[index] = v;
        if (std::string_view("TPDZRAIJQUVWXYBC").find(letter) == std::string_view::npos) {
            problem("unknown word " + std::string(1, letter) + " ignored");
        }
    }
    auto has = [&](char l) { return given[l - 'A']; };
    auto get = [&](char l) { return value[l - 'A']; };
    if (!has('T')) return problem("no T word: not a tool");
    if (!wholenumber(get('T'))) return problem("tool number T must be a whole number");
    if (has('P') && !wholenumber(get('P'))) return problem("pocket P must be a whole number");
    const double scale = inch ? kMillimetresPerInch : 1;
    ToolEntry tool;
    tool.number = static_cast<int32_t>(get('T'));
    tool.pocket = static_cast<int32_t>(get('P'));
    tool.diameter = get('D') * scale;
    tool.length = get('Z') * scale;
    tool.cornerradius = get('R') * scale;
    tool.pointangle = get('A');
    tool.line = line;
    if (semicolon != std::string_view::npos) tool.comment = std::string(trimblanks(text.substr(semicolon + 1)));
    if (tool.diameter < 0) return problem("diameter D must not be negative");
    if (tool.cornerradius < 0 || tool.cornerradius > tool.radius()) {
        return problem("corner radius R must lie between 0 and half the diameter");
    }
    if (has('A') && !(tool.pointangle > 0 && tool.pointangle < 180)) {
        return problem("point angle A must lie between 0 and 180 degrees");
    }
    if (const ToolEntry* earlier = find(tool.number)) {
        return problem("tool " + std::to_string(tool.number) + " given again (first at line " +
                       std::to_string(earlier->line) + ")");
    }
    tools_.push_back(std::move(tool));
}

ToolTable ToolTable::readfile(const std::string& path) {
    // A folder or a device named by mistake must not be read (for ever, for /dev/zero).
    std::error_code error;
    std::ifstream in;
    if (std::filesystem::is_regular_file(path, error)) in.open(path, std::ios::binary);
    if (!in.is_open()) {
        ToolTable missing;
        missing.source_ = path;
        return missing;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str(), path);
}

std::string ToolTable::besideprogram(const std::string& programpath) {
    const size_t slash = programpath.find_last_of('/');
    if (slash == std::string::npos) return "tool.tbl";
    return programpath.substr(0, slash + 1) + "tool.tbl";
}

const ToolEntry* ToolTable::find(int32_t number) const {
    const auto at = std::find_if(tools_.begin(), tools_.end(),
                                 [number](const ToolEntry& t) { return t.number == number; });
    return at == tools_.end() ? nullptr : &*at;
}
