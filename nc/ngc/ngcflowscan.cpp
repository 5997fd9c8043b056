// Subroutines a program calls before it defines them. A controller that meets a call to an
// unknown subroutine reads on in the program for its definition; the reading does the same in
// the program's file, keeping only the definitions, so a long program costs one pass over its
// text and no memory beyond them.

#include <sys/stat.h>

#include <fstream>

#include "nc/ngc/ngcflow.h"

namespace {

// Whether a line may define a subroutine: only those are read whole.
bool maydefine(const std::string& text) {
    for (size_t i = 0; i + 2 < text.size(); ++i) {
        if ((text[i] | 0x20) == 's' && (text[i + 1] | 0x20) == 'u' && (text[i + 2] | 0x20) == 'b') return true;
    }
    return false;
}

}  // namespace

NgcFlowLine NgcFlow::readline(const char* begin, const char* end, int64_t number, NgcBlockParser& words) {
    NgcFlowLine line;
    line.line = number;
    switch (words.parse(begin, end, line.block)) {
        case NgcLineKind::Block: line.kind = NgcFlowLine::Kind::Block; break;
        case NgcLineKind::Computed: ngcreadflowline(begin, end, parser_, line); break;
        case NgcLineKind::Bad:
            line.kind = NgcFlowLine::Kind::Bad;
            line.message = words.message;
            break;
        default: break;
    }
    return line;
}

bool NgcFlow::scanprogram() {
    if (scanned_ || program_.empty()) return false;
    scanned_ = true;
    struct stat st {};
    if (::stat(program_.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
    std::ifstream in(program_, std::ios::binary);
    NgcBlockParser words;
    NgcNesting nesting;
    std::string text;
    int64_t number = 0;
    size_t open = 0;  // the definition being gathered, 0 for none
    bool found = false;
    while (std::getline(in, text)) {
        ++number;
        const char* const b = text.data();
        const char* const e = b + text.size();
        if (open == 0) {
            if (!maydefine(text)) continue;
            NgcFlowLine line = readline(b, e, number, words);
            // One the program defined before the call stays as it was met.
            if (line.kind != NgcFlowLine::Kind::Control || line.keyword != NgcKeyword::Sub ||
                subs_.count(line.label) != 0) {
                continue;
            }
            nesting = NgcNesting();
            nesting.open(line);
            scripts_.emplace_back();
            scripts_.back().lines.push_back(std::move(line));
            open = scripts_.size();
            continue;
        }
        NgcScript& script = scripts_[open - 1];
        NgcFlowLine line = readline(b, e, number, words);
        const bool closed = !nesting.open(line);
        script.lines.push_back(std::move(line));
        if (closed) {
            script.match();
            registersubs(static_cast<int32_t>(open - 1));
            found = true;
            open = 0;
        } else if (static_cast<int64_t>(script.lines.size()) >= kMaxGathered) {
            scripts_.pop_back();
            open = 0;
        }
    }
    // A definition never closed is the feed's to report when it gets there.
    if (open != 0) scripts_.pop_back();
    return found;
}
