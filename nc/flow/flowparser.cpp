#include <charconv>
#include <cstring>

#include "nc/flow/flowexpression.h"

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

void skip(const char*& p, const char* end) {
    while (p < end && blank(*p)) ++p;
}

bool letter(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}

struct Word {
    const char* text;
    FlowOp op;
};

constexpr Word kFunctions[] = {
    {"ABS", FlowOp::Abs},     {"ACOS", FlowOp::Acos}, {"ASIN", FlowOp::Asin},
    {"COS", FlowOp::Cos},     {"EXP", FlowOp::Exp},   {"FIX", FlowOp::Fix},
    {"FUP", FlowOp::Fup},     {"ROUND", FlowOp::Round}, {"LN", FlowOp::Ln},
    {"SIN", FlowOp::Sin},     {"SQRT", FlowOp::Sqrt}, {"TAN", FlowOp::Tan},
};

constexpr Word kOperators[] = {
    {"MOD", FlowOp::Mod}, {"EQ", FlowOp::Eq},   {"NE", FlowOp::Ne},  {"GT", FlowOp::Gt},
    {"GE", FlowOp::Ge},   {"LT", FlowOp::Lt},   {"LE", FlowOp::Le},  {"AND", FlowOp::And},
    {"OR", FlowOp::Or},   {"XOR", FlowOp::Xor},
};

int precedence(FlowOp op) {
    switch (op) {
        case FlowOp::Power: return 5;
        case FlowOp::Multiply: case FlowOp::Divide: case FlowOp::Mod: return 4;
        case FlowOp::Add: case FlowOp::Subtract: return 3;
        case FlowOp::And: case FlowOp::Or: case FlowOp::Xor: return 1;
        default: return 2;  // comparisons
    }
}

// Letters at p, upper case, at most 7 of them.
std::string readword(const char*& p, const char* end) {
    std::string word;
    while (p < end && letter(*p) && word.size() < 7) word.push_back(static_cast<char>(*p++ & ~0x20));
    return word;
}

}  // namespace

bool FlowParser::value(const char*& p, const char* end, FlowExpression& out) {
    out.steps.clear();
    skip(p, end);
    out.literal = p < end && (digit(*p) || *p == '.' || *p == '-' || *p == '+');
    out.point = false;
    const char* const start = p;
    if (!operand(p, end, out.steps, 0)) return false;
    if (out.literal) {
        out.literal = out.steps.back().op == FlowOp::Number ||
                      (out.steps.size() == 2 && out.steps[0].op == FlowOp::Number);
        out.point = std::memchr(start, '.', static_cast<size_t>(p - start)) != nullptr;
    }
    // A signed literal is folded, so that the common "X-1.5" works out without a step.
    if (out.steps.size() == 2 && out.steps[0].op == FlowOp::Number &&
        out.steps[1].op == FlowOp::Negate) {
        out.steps.pop_back();
        out.steps[0].number = -out.steps[0].number;
    }
    return true;
}

bool FlowParser::target(const char*& p, const char* end, FlowExpression& out, bool& isname,
                        int32_t& name) {
    skip(p, end);
    isname = named_ && p < end && *p == '<';
    if (isname) return parametername(p, end, name);
    out.steps.clear();
    out.literal = out.point = false;
    return operand(p, end, out.steps, 0);
}

bool FlowParser::parametername(const char*& p, const char* end, int32_t& name) {
    ++p;  // '<'
    std::string text;
    while (p < end && *p != '>') {
        if (!blank(*p)) text.push_back(static_cast<char>((*p >= 'A' && *p <= 'Z') ? *p | 0x20 : *p));
        ++p;
    }
    if (p == end) return fail("parameter name not closed with '>'");
    ++p;
    if (text.empty()) return fail("parameter name empty");
    name = names_.id(text);
    return true;
}

bool FlowParser::operand(const char*& p, const char* end, std::vector<FlowStep>& steps, int depth) {
    if (depth > kMaxDepth) return fail("expression nested too deep");
    skip(p, end);
    if (p == end) return fail("value missing at the end of the line");
    const char c = *p;
    if (c == '-' || c == '+') {
        ++p;
        if (!operand(p, end, steps, depth + 1)) return false;
        if (c == '-') steps.push_back({FlowOp::Negate});
        return true;
    }
    if (c == '[') return bracket(p, end, steps, depth + 1);
    if (c == '#') {
        ++p;
        skip(p, end);
        if (named_ && p < end && *p == '<') {
            int32_t name = 0;
            if (!parametername(p, end, name)) return false;
            steps.push_back({FlowOp::Named, name});
            return true;
        }
        if (p == end || !(digit(*p) || *p == '.' || *p == '[' || *p == '#' || *p == '-' || *p == '+')) {
            return fail("# without a parameter number");
        }
        if (!operand(p, end, steps, depth + 1)) return false;
        if (steps.back().op == FlowOp::Number) {
            // #12: the number is known now, the loop need not push it each time.
            steps.back() = {FlowOp::Numbered, 1, steps.back().number};
        } else {
            steps.push_back({FlowOp::Numbered});
        }
        return true;
    }
    if (digit(c) || c == '.') {
        char text[64];
        int length = 0, digits = 0;
        bool point = false;
        for (; p < end; ++p) {
            if (digit(*p)) {
                ++digits;
            } else if (*p == '.' && !point) {
                point = true;
            } else if (!blank(*p)) {
                break;
            } else {
                continue;
            }
            if (length < 63) text[length++] = *p;
        }
        if (digits == 0) return fail("bad number");
        double v = 0;
        if (std::from_chars(text, text + length, v).ec != std::errc()) return fail("number out of range");
        steps.push_back({FlowOp::Number, 0, v});
        return true;
    }
    if (!letter(c)) return fail(std::string("unexpected character '") + c + "' where a value belongs");
    const std::string word = readword(p, end);
    if (word == "ATAN") {
        // ATAN[y]/[x]
        skip(p, end);
        if (p == end || *p != '[') return fail("ATAN needs [y]/[x]");
        if (!bracket(p, end, steps, depth + 1)) return false;
        skip(p, end);
        if (p == end || *p != '/') return fail("ATAN needs [y]/[x]");
        ++p;
        skip(p, end);
        if (p == end || *p != '[') return fail("ATAN needs [y]/[x]");
        if (!bracket(p, end, steps, depth + 1)) return false;
        steps.push_back({FlowOp::Atan});
        return true;
    }
    if (word == "EXISTS" && named_) {
        skip(p, end);
        if (p + 1 >= end || *p != '[') return fail("EXISTS needs [#<name>]");
        ++p;
        skip(p, end);
        if (p == end || *p != '#') return fail("EXISTS needs [#<name>]");
        ++p;
        skip(p, end);
        int32_t name = 0;
        if (p == end || *p != '<' || !parametername(p, end, name)) return fail("EXISTS needs [#<name>]");
        skip(p, end);
        if (p == end || *p != ']') return fail("EXISTS needs [#<name>]");
        ++p;
        steps.push_back({FlowOp::Exists, name});
        return true;
    }
    for (const Word& f : kFunctions) {
        if (word != f.text) continue;
        skip(p, end);
        if (p == end || *p != '[') return fail(word + " needs [ ]");
        if (!bracket(p, end, steps, depth + 1)) return false;
        steps.push_back({f.op});
        return true;
    }
    return fail("unknown function " + word);
}

bool FlowParser::bracket(const char*& p, const char* end, std::vector<FlowStep>& steps, int depth) {
    if (depth > kMaxDepth) return fail("expression nested too deep");
    ++p;  // '['
    // Operators waiting for their right side, looser ones below tighter ones.
    FlowOp pending[8];
    int count = 0;
    for (;;) {
        if (!operand(p, end, steps, depth)) return false;
        skip(p, end);
        if (p == end) return fail("expression not closed with ']'");
        FlowOp op;
        if (*p == ']') {
            ++p;
            while (count > 0) steps.push_back({pending[--count]});
            return true;
        } else if (*p == '*') {
            ++p;
            op = FlowOp::Multiply;
            if (p < end && *p == '*') {
                ++p;
                op = FlowOp::Power;
            }
        } else if (*p == '/' || *p == '+' || *p == '-') {
            op = *p == '/' ? FlowOp::Divide : *p == '+' ? FlowOp::Add : FlowOp::Subtract;
            ++p;
        } else if (letter(*p)) {
            const char* const at = p;
            const std::string word = readword(p, end);
            bool known = false;
            for (const Word& w : kOperators) {
                if (word == w.text) {
                    op = w.op;
                    known = true;
                }
            }
            if (!known) {
                p = at;
                return fail("unknown operator " + word);
            }
        } else {
            return fail(std::string("unexpected character '") + *p + "' in an expression");
        }
        // Equal precedence goes left to right: what waits at the same level is done first.
        while (count > 0 && precedence(pending[count - 1]) >= precedence(op)) {
            steps.push_back({pending[--count]});
        }
        pending[count++] = op;
    }
}
