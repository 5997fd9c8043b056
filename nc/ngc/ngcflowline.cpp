#include "nc/ngc/ngcflowline.h"

#include <cmath>
#include <cstdio>

namespace {

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

bool letter(char c) {
    return (c | 0x20) >= 'a' && (c | 0x20) <= 'z';
}


struct KeywordName {
    const char* text;
    NgcKeyword keyword;
};
constexpr KeywordName kKeywords[] = {
    {"sub", NgcKeyword::Sub},         {"endsub", NgcKeyword::EndSub},
    {"return", NgcKeyword::Return},   {"call", NgcKeyword::Call},
    {"if", NgcKeyword::If},           {"elseif", NgcKeyword::ElseIf},
    {"else", NgcKeyword::Else},       {"endif", NgcKeyword::EndIf},
    {"while", NgcKeyword::While},     {"endwhile", NgcKeyword::EndWhile},
    {"do", NgcKeyword::Do},           {"repeat", NgcKeyword::Repeat},
    {"endrepeat", NgcKeyword::EndRepeat}, {"break", NgcKeyword::Break},
    {"continue", NgcKeyword::Continue},
};

std::string oname(const std::string& label) {
    if (!label.empty() && label[0] >= '0' && label[0] <= '9') return "o" + label;
    return "o<" + label + ">";
}

void bad(NgcFlowLine& out, std::string message) {
    out.kind = NgcFlowLine::Kind::Bad;
    out.message = std::move(message);
}

// Blanks and comments to the end of the line; false when something else is left.
bool rest(const char*& p, const char* end, NgcFlowLine& out) {
    while (p < end) {
        if (blank(*p)) {
            ++p;
        } else if (*p == '(') {
            while (p < end && *p != ')') ++p;
            if (p == end) {
                bad(out, "comment not closed");
                return true;
            }
            ++p;
        } else {
            return *p == ';';
        }
    }
    return true;
}

void oword(const char*& p, const char* end, FlowParser& parser, NgcFlowLine& out) {
    while (p < end && blank(*p)) ++p;
    std::string label;
    if (p < end && *p == '<') {
        for (++p; p < end && *p != '>'; ++p) {
            if (!blank(*p)) label.push_back(static_cast<char>(*p >= 'A' && *p <= 'Z' ? *p | 0x20 : *p));
        }
        if (p == end || label.empty()) return bad(out, "O-word name not closed with '>'");
        ++p;
    } else {
        for (; p < end && ((*p >= '0' && *p <= '9') || blank(*p)); ++p) {
            if (!blank(*p) && !(label.empty() && *p == '0')) label.push_back(*p);
        }
        if (label.empty()) label = "0";
    }
    while (p < end && blank(*p)) ++p;
    std::string keyword;
    while (p < end && letter(*p) && keyword.size() < 10) keyword.push_back(static_cast<char>(*p++ | 0x20));
    out.label = label;
    for (const KeywordName& n : kKeywords) {
        if (keyword == n.text) out.keyword = n.keyword;
    }
    if (keyword.empty() && !rest(p, end, out)) return bad(out, oname(label) + " without a keyword");
    if (keyword.empty()) {
        // "O1000 (part name)": the program number other dialects head a program with.
        out.kind = NgcFlowLine::Kind::Skip;
        out.message = "O";
        return;
    }
    if (out.keyword == NgcKeyword::None) return bad(out, oname(label) + " " + keyword + ": unknown O-word");
    out.kind = NgcFlowLine::Kind::Control;
    const NgcKeyword k = out.keyword;
    const bool condition = k == NgcKeyword::If || k == NgcKeyword::ElseIf || k == NgcKeyword::While ||
                           k == NgcKeyword::Repeat;
    const bool optional = k == NgcKeyword::Return || k == NgcKeyword::EndSub;
    auto more = [&] {
        while (p < end && blank(*p)) ++p;
        return p < end && *p != '(' && *p != ';';
    };
    if (condition || optional || k == NgcKeyword::Call) {
        while (more() && (k == NgcKeyword::Call || out.arguments.empty())) {
            if (out.arguments.size() == 30) return bad(out, oname(label) + " call with more than 30 values");
            out.arguments.emplace_back();
            if (!parser.value(p, end, out.arguments.back())) return bad(out, parser.problem);
        }
    }
    if (condition && out.arguments.empty()) return bad(out, oname(label) + " " + keyword + " needs a value in [ ]");
    if (!rest(p, end, out) && out.kind != NgcFlowLine::Kind::Bad) {
        bad(out, "unexpected text after " + oname(label) + " " + keyword);
    }
}

}  // namespace

bool ngcputwordchecked(NgcBlock& block, char letter, double value, std::string& message) {
    char text[64];
    if (letter == '@' || letter == '^') {
        const uint32_t mask = letter == '@' ? NgcBlock::kRadius : NgcBlock::kAngle;
        if (block.letters & mask) return message = std::string("two ") + letter + " words", false;
        block.letters |= mask;
        (letter == '@' ? block.radius : block.angle) = value;
        return true;
    }
    if (letter == 'G' || letter == 'M') {
        const double tenths = std::nearbyint(value * 10);
        const bool whole = std::fabs(value * 10 - tenths) < 1e-6 && std::fabs(tenths) < 1e5;
        if (!whole || (letter == 'M' && static_cast<int32_t>(tenths) % 10 != 0)) {
            std::snprintf(text, sizeof text, "unknown code %c%g", letter, value);
            return message = text, false;
        }
        int& count = letter == 'G' ? block.gcount : block.mcount;
        if (count == NgcBlock::kMaxCodes) return message = "too many codes", false;
        (letter == 'G' ? block.gcodes : block.mcodes)[count++] = static_cast<int32_t>(tenths);
        return true;
    }
    if (letter == 'N') return true;
    const uint32_t mask = ngcletterbit(letter);
    if ((kNgcWordLetters & mask) == 0) return message = std::string("unknown word ") + letter, false;
    if (block.letters & mask) return message = std::string("two ") + letter + " words", false;
    block.letters |= mask;
    block.otheraxes |= mask & kNgcOtherAxes;
    block.value[letter - 'A'] = value;
    return true;
}

void ngcreadflowline(const char* p, const char* end, FlowParser& parser, NgcFlowLine& out) {
    out.kind = NgcFlowLine::Kind::Computed;
    out.block.letters = out.block.otheraxes = 0;
    out.block.gcount = out.block.mcount = 0;
    while (p < end && blank(*p)) ++p;
    if (p < end && (*p == '/' || *p == '%')) {
        out.kind = NgcFlowLine::Kind::Skip;
        return;
    }
    while (p < end) {
        const char c = *p;
        if (blank(c) || c == '(' || c == ';') {
            if (rest(p, end, out)) return;
            continue;
        }
        if (c == '#') {
            ++p;
            NgcFlowLine::Setting setting;
            if (!parser.target(p, end, setting.number, setting.named, setting.name)) return bad(out, parser.problem);
            while (p < end && blank(*p)) ++p;
            if (p == end || *p != '=') return bad(out, "parameter setting without '='");
            ++p;
            if (!parser.value(p, end, setting.value)) return bad(out, parser.problem);
            out.settings.push_back(std::move(setting));
            continue;
        }
        const char word = c == '@' || c == '^' ? c : static_cast<char>(c & ~0x20);
        if (word == 'O' && letter(c)) {
            if (!out.words.empty() || !out.settings.empty()) return bad(out, "an O-word must begin its line");
            ++p;
            return oword(p, end, parser, out);
        }
        if (word != '@' && word != '^' && !letter(c)) {
            char text[48];
            std::snprintf(text, sizeof text, "unexpected character 0x%02X", c & 0xFF);
            if (c > ' ' && c < 127) std::snprintf(text, sizeof text, "unexpected character '%c'", c);
            return bad(out, text);
        }
        ++p;
        while (p < end && blank(*p)) ++p;
        if (p == end || *p == '(' || *p == ';' || (letter(*p) && word != 'N')) {
            // "X Y1" names the word, where an expression reader would see a function Y.
            const bool function = p < end && letter(*p) && [&] {
                const char* q = p;
                while (q < end && letter(*q)) ++q;
                while (q < end && blank(*q)) ++q;
                return q < end && *q == '[';
            }();
            if (!function) return bad(out, std::string(1, word) + " without a number");
        }
        out.words.push_back({word, {}});
        if (!parser.value(p, end, out.words.back().value)) return bad(out, parser.problem);
        // A number as written goes into the block now, once for every time the line runs.
        if (out.words.back().value.constant()) {
            if (!ngcputword(out.block, word, out.words.back().value.steps[0].number, out.message)) {
                return bad(out, out.message);
            }
            out.words.pop_back();
        }
    }
}
