// Matching the O-words of a kept stretch of lines, once, so that running them only follows
// indexes.

#include "nc/ngc/ngcflowline.h"

namespace {

std::string oname(const std::string& label) {
    if (!label.empty() && label[0] >= '0' && label[0] <= '9') return "o" + label;
    return "o<" + label + ">";
}

bool opens(NgcKeyword k) {
    return k == NgcKeyword::Sub || k == NgcKeyword::If || k == NgcKeyword::While ||
           k == NgcKeyword::Do || k == NgcKeyword::Repeat;
}

bool loop(NgcKeyword k) {
    return k == NgcKeyword::While || k == NgcKeyword::Do || k == NgcKeyword::Repeat;
}

// The keyword that closes what `k` opened.
NgcKeyword closer(NgcKeyword k) {
    switch (k) {
        case NgcKeyword::Sub: return NgcKeyword::EndSub;
        case NgcKeyword::If: return NgcKeyword::EndIf;
        case NgcKeyword::While: return NgcKeyword::EndWhile;
        case NgcKeyword::Do: return NgcKeyword::DoWhile;
        case NgcKeyword::Repeat: return NgcKeyword::EndRepeat;
        default: return NgcKeyword::None;
    }
}

const char* word(NgcKeyword k) {
    switch (k) {
        case NgcKeyword::Sub: return "sub";
        case NgcKeyword::EndSub: return "endsub";
        case NgcKeyword::If: return "if";
        case NgcKeyword::ElseIf: return "elseif";
        case NgcKeyword::Else: return "else";
        case NgcKeyword::EndIf: return "endif";
        case NgcKeyword::While: case NgcKeyword::DoWhile: return "while";
        case NgcKeyword::EndWhile: return "endwhile";
        case NgcKeyword::Do: return "do";
        case NgcKeyword::Repeat: return "repeat";
        case NgcKeyword::EndRepeat: return "endrepeat";
        case NgcKeyword::Break: return "break";
        case NgcKeyword::Continue: return "continue";
        default: return "";
    }
}

void bad(NgcFlowLine& line, std::string message) {
    line.kind = NgcFlowLine::Kind::Bad;
    line.message = std::move(message);
}

}  // namespace

bool NgcNesting::open(const NgcFlowLine& line) {
    if (line.kind != NgcFlowLine::Kind::Control) return !open_.empty();
    NgcKeyword k = line.keyword;
    if (k == NgcKeyword::While && !open_.empty() && open_.back().keyword == NgcKeyword::Do &&
        open_.back().label == line.label) {
        k = NgcKeyword::DoWhile;
    }
    if (opens(k)) {
        open_.push_back({k, line.label});
    } else if (!open_.empty() && closer(open_.back().keyword) == k && open_.back().label == line.label) {
        open_.pop_back();
    }
    return !open_.empty();
}

void NgcScript::match() {
    struct Open {
        int64_t index;
        int64_t lastbranch;  // if: the latest if/elseif/else
        std::vector<int64_t> branches;
    };
    std::vector<Open> open;
    subs.clear();
    for (int64_t i = 0; i < static_cast<int64_t>(lines.size()); ++i) {
        NgcFlowLine& line = lines[static_cast<size_t>(i)];
        if (line.kind != NgcFlowLine::Kind::Control) continue;
        NgcKeyword k = line.keyword;
        auto top = [&]() -> NgcFlowLine* {
            return open.empty() ? nullptr : &lines[static_cast<size_t>(open.back().index)];
        };
        if (k == NgcKeyword::While && top() != nullptr && top()->keyword == NgcKeyword::Do &&
            top()->label == line.label) {
            k = line.keyword = NgcKeyword::DoWhile;
        }
        if (opens(k)) {
            if (k == NgcKeyword::Sub && !open.empty()) {
                bad(line, oname(line.label) + " sub inside another structure");
                continue;
            }
            open.push_back({i, i, {i}});
            continue;
        }
        const std::string name = oname(line.label) + " " + word(k);
        if (k == NgcKeyword::Break || k == NgcKeyword::Continue) {
            line.jump = -1;
            for (auto o = open.rbegin(); o != open.rend(); ++o) {
                const NgcFlowLine& l = lines[static_cast<size_t>(o->index)];
                if (loop(l.keyword) && l.label == line.label) {
                    line.jump = o->index;
                    break;
                }
            }
            if (line.jump < 0) bad(line, name + " outside its loop");
            continue;
        }
        if (k == NgcKeyword::Return || k == NgcKeyword::Call) continue;
        NgcFlowLine* t = top();
        const bool branch = k == NgcKeyword::ElseIf || k == NgcKeyword::Else;
        const NgcKeyword wanted = branch ? NgcKeyword::If : NgcKeyword::None;
        if (t == nullptr || t->label != line.label ||
            (branch ? t->keyword != wanted : closer(t->keyword) != k)) {
            bad(line, name + " without its opening");
            continue;
        }
        Open& o = open.back();
        if (branch) {
            if (lines[static_cast<size_t>(o.lastbranch)].keyword == NgcKeyword::Else) {
                bad(line, name + " after else");
                continue;
            }
            lines[static_cast<size_t>(o.lastbranch)].jump = i;
            o.lastbranch = i;
            o.branches.push_back(i);
            continue;
        }
        if (k == NgcKeyword::EndIf) {
            lines[static_cast<size_t>(o.lastbranch)].jump = i;
            for (const int64_t b : o.branches) lines[static_cast<size_t>(b)].endif = i;
        } else {
            t->jump = i;
            line.jump = o.index;
            if (k == NgcKeyword::EndSub) subs.push_back({t->label, o.index});
        }
        open.pop_back();
    }
    // Never closed: nothing may jump by it, its branches and its loop's break and continue
    // included, or running would start the lines over.
    for (const Open& o : open) {
        NgcFlowLine& line = lines[static_cast<size_t>(o.index)];
        const std::string name = oname(line.label) + " " + word(line.keyword);
        for (const int64_t b : o.branches) {
            if (b != o.index) bad(lines[static_cast<size_t>(b)], name + " without its endif");
        }
        for (size_t i = static_cast<size_t>(o.index) + 1; i < lines.size(); ++i) {
            NgcFlowLine& l = lines[i];
            const bool jumper = l.keyword == NgcKeyword::Break || l.keyword == NgcKeyword::Continue;
            if (l.kind == NgcFlowLine::Kind::Control && jumper && l.jump == o.index) {
                bad(l, oname(l.label) + " " + word(l.keyword) + " outside its loop");
            }
        }
        bad(line, name + " without its " + word(closer(line.keyword)));
    }
}
