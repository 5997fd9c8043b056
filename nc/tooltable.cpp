#include "nc/tooltable.h"

#include <algorithm>
#include <cmath>

#include "nc/tablewords.h"

namespace {

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
    eachtableline(text, [&table](std::string_view line, int64_t number, bool inch) {
        table.parseline(line, number, inch);
    });
    return table;
}

void ToolTable::parseline(std::string_view text, int64_t line, bool inch) {
    auto problem = [&](std::string message) { problems_.push_back({line, std::move(message)}); };
    TableWords words;
    const std::string fault = readtablewords(text.substr(0, text.find(';')), "TPDZRAIJQUVWXYBC", words);
    for (char letter : words.unknown) problem("unknown word " + std::string(1, letter) + " ignored");
    if (!fault.empty()) return problem(fault);
    auto has = [&](char l) { return words.has(l); };
    auto get = [&](char l) { return words.get(l); };
    if (!has('T')) return problem("no T word: not a tool");
    if (!wholenumber(get('T'))) return problem("tool number T must be a whole number");
    if (has('P') && !wholenumber(get('P'))) return problem("pocket P must be a whole number");
    const double scale = inch ? kTableMillimetresPerInch : 1;
    ToolEntry tool;
    tool.number = static_cast<int32_t>(get('T'));
    tool.pocket = static_cast<int32_t>(get('P'));
    tool.diameter = get('D') * scale;
    tool.length = get('Z') * scale;
    tool.cornerradius = get('R') * scale;
    tool.pointangle = get('A');
    tool.line = line;
    tool.comment = std::string(tablecomment(text));
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
    std::string text;
    if (!readtablefile(path, text)) {
        ToolTable missing;
        missing.source_ = path;
        return missing;
    }
    return parse(text, path);
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
