#include "nc/fanuc/fanucstatement.h"

#include "nc/fanuc/fanucblock.h"

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool isletter(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

void skip(const char*& p, const char* end) {
    while (p < end) {
        if (blank(*p)) {
            ++p;
        } else if (*p == '(') {
            while (p < end && *p != ')') ++p;
            if (p < end) ++p;
        } else {
            return;
        }
    }
}

std::string letters(const char*& p, const char* end) {
    std::string run;
    while (p < end && isletter(*p) && run.size() < 8) run.push_back(static_cast<char>(*p++ & ~0x20));
    return run;
}

bool loopnumber(const char*& p, const char* end, int64_t& loop) {
    double value = 0;
    bool point = false;
    if (!fanucnumber(p, end, value, point) || point || !(value >= 0 && value < 1e9)) return false;
    loop = static_cast<int64_t>(value);
    return true;
}

// The rest of the statement from p: an assignment or words.
bool rest(const char* p, const char* end, FlowParser& parser, FanucStatement& out, std::string& problem);

bool assignment(const char* p, const char* end, FlowParser& parser, FanucStatement& out, std::string& problem) {
    ++p;  // '#'
    skip(p, end);
    if (p == end || !((*p >= '0' && *p <= '9') || *p == '[' || *p == '#' || *p == '.')) {
        problem = "# without a variable number";
        return false;
    }
    bool isname = false;
    int32_t name = 0;
    if (!parser.target(p, end, out.target, isname, name)) {
        problem = parser.problem;
        return false;
    }
    skip(p, end);
    if (p == end || *p != '=') {
        problem = "'=' missing after the variable";
        return false;
    }
    ++p;
    // The right side is one expression to the end of the block, brackets or not.
    const char* stop = p;
    while (stop < end && *stop != ';' && *stop != '(') ++stop;
    std::string text = "[" + std::string(p, stop) + "]";
    const char* q = text.data();
    if (!parser.value(q, text.data() + text.size(), out.value)) {
        problem = parser.problem;
        return false;
    }
    skip(q, text.data() + text.size());
    if (q != text.data() + text.size()) {
        problem = "unexpected text after the expression";
        return false;
    }
    out.assigns = true;
    return true;
}

bool rest(const char* p, const char* end, FlowParser& parser, FanucStatement& out, std::string& problem) {
    for (;;) {
        skip(p, end);
        if (p == end || *p == ';') return true;
        if (*p == '#') {
            if (!out.words.empty()) {
                problem = "an assignment after words in one block";
                return false;
            }
            return assignment(p, end, parser, out, problem);
        }
        if (!isletter(*p)) {
            problem = std::string("unexpected character '") + *p + "'";
            return false;
        }
        const char* wordstart = p;
        const std::string run = letters(p, end);
        if (run.size() > 1) {
            problem = "unknown word " + run;
            return false;
        }
        (void)wordstart;
        FanucWord word;
        word.letter = run[0];
        if (!parser.value(p, end, word.value)) {
            problem = parser.problem;
            return false;
        }
        out.words.push_back(std::move(word));
    }
}

}  // namespace

bool fanucstatement(const char* p, const char* end, FlowParser& parser, FanucStatement& out,
                    std::string& problem) {
    out = FanucStatement();
    skip(p, end);
    // A sequence number may head any statement.
    if (p < end && (*p | 0x20) == 'n' && p + 1 < end && !isletter(p[1])) {
        ++p;
        double n = 0;
        bool point = false;
        if (!fanucnumber(p, end, n, point)) {
            problem = "N without a number";
            return false;
        }
        skip(p, end);
    }
    const char* const start = p;
    const std::string keyword = letters(p, end);
    using Kind = FanucStatement::Kind;
    auto condition = [&]() {
        skip(p, end);
        if (p == end || *p != '[') {
            problem = keyword + " needs a condition in [ ]";
            return false;
        }
        if (!parser.value(p, end, out.condition)) {
            problem = parser.problem;
            return false;
        }
        skip(p, end);
        return true;
    };
    auto loop = [&](Kind kind) {
        skip(p, end);
        out.kind = kind;
        if (!loopnumber(p, end, out.loop)) {
            problem = std::string(kind == Kind::End ? "END" : "DO") + " needs a loop number";
            return false;
        }
        return true;
    };
    if (keyword == "IF") {
        if (!condition()) return false;
        const std::string then = letters(p, end);
        if (then == "GOTO") {
            out.kind = Kind::IfGoto;
            if (parser.value(p, end, out.jump)) return true;
            problem = parser.problem;
            return false;
        }
        if (then == "THEN") {
            out.kind = Kind::IfThen;
            return rest(p, end, parser, out, problem);
        }
        problem = "IF needs GOTO or THEN after its condition";
        return false;
    }
    if (keyword == "WHILE") {
        if (!condition()) return false;
        if (letters(p, end) != "DO") {
            problem = "WHILE needs DO after its condition";
            return false;
        }
        return loop(Kind::While);
    }
    if (keyword == "DO") return loop(Kind::Do);
    if (keyword == "END") return loop(Kind::End);
    if (keyword == "GOTO") {
        out.kind = Kind::Goto;
        if (parser.value(p, end, out.jump)) return true;
        problem = parser.problem;
        return false;
    }
    out.kind = Kind::Words;
    if (!rest(start, end, parser, out, problem)) return false;
    if (out.assigns) out.kind = Kind::Assign;
    return true;
}
