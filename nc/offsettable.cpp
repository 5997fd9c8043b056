#include "nc/offsettable.h"

#include <cctype>
#include <cmath>

#include "nc/plaintext.h"
#include "nc/tablewords.h"

OffsetTable OffsetTable::parse(std::string_view text, std::string source) {
    OffsetTable table;
    table.found_ = true;
    table.source_ = std::move(source);
    eachtableline(text, [&table](std::string_view line, int64_t number, bool inch) {
        table.parseline(line, number, inch);
    });
    return table;
}

void OffsetTable::parseline(std::string_view text, int64_t line, bool inch) {
    auto problem = [&](std::string message) { problems_.push_back({line, std::move(message)}); };
    std::string_view words = trimblanks(text.substr(0, text.find(';')));
    // The register word comes first, so "D12 D6" can say both which register and what it holds.
    const char kind = static_cast<char>(words[0] == 'd' || words[0] == 'h' ? words[0] - 'a' + 'A' : words[0]);
    if (kind != 'D' && kind != 'H') return problem("a register line starts with D or H");
    words = trimblanks(words.substr(1));
    size_t end = 0;
    while (end < words.size() && (std::isdigit(static_cast<unsigned char>(words[end])) || words[end] == '.' ||
                                  (end == 0 && (words[0] == '-' || words[0] == '+')))) {
        ++end;
    }
    TableWords registerword;
    const std::string numberfault = readtablewords(std::string("N") + std::string(words.substr(0, end)), "N", registerword);
    const double number = registerword.get('N');
    if (!numberfault.empty() || !(number >= 0 && number < 2147483648.0 && number == std::floor(number))) {
        return problem(std::string("register number ") + kind + " must be a whole number");
    }
    TableWords values;
    const bool cutter = kind == 'D';
    const std::string fault = readtablewords(words.substr(end), cutter ? "DR" : "Z", values);
    for (char letter : values.unknown) problem("unknown word " + std::string(1, letter) + " ignored");
    if (!fault.empty()) return problem(fault);
    const std::string name = kind + std::to_string(static_cast<int32_t>(number));
    const double scale = inch ? kTableMillimetresPerInch : 1;
    Register entry;
    entry.line = line;
    if (cutter) {
        if (values.has('D') == values.has('R')) return problem(name + " needs R, the radius, or D, the diameter");
        entry.value = (values.has('R') ? values.get('R') : values.get('D') / 2) * scale;
    } else {
        if (!values.has('Z')) return problem(name + " needs Z, the tool length");
        entry.value = values.get('Z') * scale;
    }
    auto& registers = cutter ? radii_ : lengths_;
    const auto [at, added] = registers.emplace(static_cast<int32_t>(number), entry);
    if (!added) {
        problem(name + " given again (first at line " + std::to_string(at->second.line) + ")");
    }
}

OffsetTable OffsetTable::readfile(const std::string& path) {
    std::string text;
    if (!readtablefile(path, text)) {
        OffsetTable missing;
        missing.source_ = path;
        return missing;
    }
    return parse(text, path);
}

std::string OffsetTable::besideprogram(const std::string& programpath) {
    const size_t slash = programpath.find_last_of('/');
    if (slash == std::string::npos) return "offset.tbl";
    return programpath.substr(0, slash + 1) + "offset.tbl";
}

bool OffsetTable::radius(int32_t number, double& millimetres) const {
    const auto at = radii_.find(number);
    if (at == radii_.end()) return false;
    millimetres = at->second.value;
    return true;
}

bool OffsetTable::length(int32_t number, double& millimetres) const {
    const auto at = lengths_.find(number);
    if (at == lengths_.end()) return false;
    millimetres = at->second.value;
    return true;
}
