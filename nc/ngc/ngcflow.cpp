#include "nc/ngc/ngcflow.h"

#include <cmath>

#include "nc/ngc/ngcblockfeed.h"
#include "nc/ngc/ngcinterpreter.h"

namespace {

bool opens(NgcKeyword k) {
    return k == NgcKeyword::Sub || k == NgcKeyword::If || k == NgcKeyword::While ||
           k == NgcKeyword::Do || k == NgcKeyword::Repeat;
}

std::string oname(const std::string& label) {
    if (!label.empty() && label[0] >= '0' && label[0] <= '9') return "o" + label;
    return "o<" + label + ">";
}

const char* openingword(NgcKeyword k) {
    switch (k) {
        case NgcKeyword::Sub: return "sub";
        case NgcKeyword::If: return "if";
        case NgcKeyword::While: return "while";
        case NgcKeyword::Do: return "do";
        default: return "repeat";
    }
}

const char* closing(NgcKeyword k) {
    switch (k) {
        case NgcKeyword::Sub: return "endsub";
        case NgcKeyword::If: return "endif";
        case NgcKeyword::While: return "endwhile";
        case NgcKeyword::Do: return "while";
        default: return "endrepeat";
    }
}

}  // namespace

NgcFlow::NgcFlow(NgcInterpreter& interpreter, std::string folder, std::string program)
    : interp_(interpreter),
      folder_(std::move(folder)),
      program_(std::move(program)),
      steps_(FlowSteps::kDefaultLimit, &interpreter.job_.stoprequested,
             [this] { interp_.poll(); }),
      valuename_(names_.id("_value")),
      returnedname_(names_.id("_value_returned")) {
    // Both read 0 before any call returns.
    globals_[valuename_] = {0, false};
    globals_[returnedname_] = {0, false};
    if (interpreter.job_.linerunlimit > 0) steps_.setlimit(interpreter.job_.linerunlimit);
    // The program's own numbers, below the system's.
    direct = &numbers_.get(1);
    directfirst = 1;
    directlast = 5060;
}

void NgcFlow::problem(std::string message) {
    interp_.problem(std::move(message));
}

void NgcFlow::stop(std::string message) {
    problem(std::move(message));
    interp_.ended_ = true;
}

void NgcFlow::take(const NgcLine& read, NgcBlockFeed& feed) {
    const std::string& text = read.message;
    NgcFlowLine first;
    first.line = read.line;
    ngcreadflowline(text.data(), text.data() + text.size(), parser_, first);
    enterfile(0);
    if (first.kind == NgcFlowLine::Kind::Computed) return execute(first);
    if (first.kind == NgcFlowLine::Kind::Bad) return problem(first.message);
    if (first.kind == NgcFlowLine::Kind::Skip && !first.message.empty()) return interp_.ignore(first.message);
    if (first.kind != NgcFlowLine::Kind::Control) return;
    scripts_.emplace_back();
    const auto id = static_cast<int32_t>(scripts_.size() - 1);
    const NgcKeyword opening = first.keyword;
    const std::string label = first.label;
    scripts_.back().lines.push_back(std::move(first));
    if (opens(opening)) {
        // The whole structure first: a loop jumps back, an if forward, and a definition is
        // kept for its calls.
        NgcNesting nesting;
        nesting.open(scripts_.back().lines.front());
        bool closed = false;
        while (!closed) {
            const NgcLine* next = feed.next();
            if (next == nullptr || static_cast<int64_t>(scripts_[static_cast<size_t>(id)].lines.size()) >= kMaxGathered) break;
            NgcFlowLine line;
            line.line = next->line;
            switch (next->kind) {
                case NgcLineKind::Block:
                    line.kind = NgcFlowLine::Kind::Block;
                    line.block = next->block;
                    break;
                case NgcLineKind::Computed:
                    ngcreadflowline(next->message.data(), next->message.data() + next->message.size(), parser_, line);
                    break;
                case NgcLineKind::Bad:
                    line.kind = NgcFlowLine::Kind::Bad;
                    line.message = next->message;
                    break;
                default:
                    break;
            }
            closed = !nesting.open(line);
            scripts_[static_cast<size_t>(id)].lines.push_back(std::move(line));
        }
        if (!closed) {
            interp_.line_ = static_cast<int32_t>(read.line);
            problem(oname(label) + " " + openingword(opening) + " without its " + closing(opening));
            scripts_.pop_back();
            return;
        }
    }
    NgcScript& script = scripts_[static_cast<size_t>(id)];
    script.match();
    if (opening == NgcKeyword::Sub && script.lines.front().kind == NgcFlowLine::Kind::Control) {
        registersubs(id);
        return;
    }
    FlowFrame frame;
    frame.script = id;
    const size_t base = stack_.depth();
    stack_.push(std::move(frame));
    run(base);
    // What ran in place is done with; definitions stay.
    if (static_cast<size_t>(id) == scripts_.size() - 1) scripts_.pop_back();
}

void NgcFlow::registersubs(int32_t id) {
    for (const NgcScript::Sub& sub : scripts_[static_cast<size_t>(id)].subs) {
        subs_[sub.label] = {id, sub.index};
    }
}

void NgcFlow::run(size_t base) {
    while (stack_.depth() > base && !interp_.ended_) {
        const size_t depth = stack_.depth();
        FlowFrame& frame = stack_.top();
        NgcScript& script = scripts_[static_cast<size_t>(frame.script)];
        if (script.file != file_) enterfile(script.file);
        NgcFlowLine* const lines = script.lines.data();
        const auto count = static_cast<int64_t>(script.lines.size());
        // The frame's lines one after another until a call or a return changes the frame: a
        // loop's body runs here without looking its frame and lines up again.
        while (stack_.depth() == depth && !interp_.ended_) {
            if (frame.position >= count) {
                if (frame.call) {
                    leave(nullptr);
                } else {
                    stack_.pop();
                }
                break;
            }
            NgcFlowLine& line = lines[frame.position++];
            interp_.line_ = static_cast<int32_t>(line.line);
            if (!steps_.step(line.runs, line.line)) {
                if (!steps_.message.empty()) problem(steps_.message);
                interp_.ended_ = true;
                return;
            }
            switch (line.kind) {
                case NgcFlowLine::Kind::Block:
                    interp_.executeline(line.block);
                    break;
                case NgcFlowLine::Kind::Computed:
                    execute(line);
                    break;
                case NgcFlowLine::Kind::Control:
                    control(line);
                    break;
                case NgcFlowLine::Kind::Bad:
                    problem(line.message);
                    break;
                case NgcFlowLine::Kind::Skip:
                    if (!line.message.empty()) interp_.ignore(line.message);
                    break;
            }
        }
    }
}

void NgcFlow::control(NgcFlowLine& line) {
    FlowFrame& frame = stack_.top();
    NgcScript& script = scripts_[static_cast<size_t>(frame.script)];
    const int64_t index = frame.position - 1;
    auto at = [&](int64_t i) -> const NgcFlowLine& { return script.lines[static_cast<size_t>(i)]; };
    double v = 0;
    switch (line.keyword) {
        case NgcKeyword::Sub:
            frame.position = line.jump + 1;  // a definition: kept, not run
            break;
        case NgcKeyword::EndSub:
        case NgcKeyword::Return:
            leave(&line);
            break;
        case NgcKeyword::Call:
            call(line);
            break;
        case NgcKeyword::If:
            if (!evaluate(line.arguments[0], v) || v == 0) branch(script, line.jump, frame);
            break;
        case NgcKeyword::ElseIf:
        case NgcKeyword::Else:
            frame.position = line.endif + 1;  // the branch before was taken
            break;
        case NgcKeyword::While:
            if (!evaluate(line.arguments[0], v) || v == 0) frame.position = line.jump + 1;
            break;
        case NgcKeyword::EndWhile:
            frame.position = line.jump;
            break;
        case NgcKeyword::DoWhile:
            if (evaluate(line.arguments[0], v) && v != 0) frame.position = line.jump + 1;
            break;
        case NgcKeyword::Repeat:
            if (!evaluate(line.arguments[0], v)) v = 0;
            v = std::nearbyint(v);
            if (v >= 1) {
                frame.repeats.emplace_back(index, static_cast<int64_t>(std::fmin(v, 9e18)));
            } else {
                frame.position = line.jump + 1;
            }
            break;
        case NgcKeyword::EndRepeat:
            if (!frame.repeats.empty() && frame.repeats.back().first == line.jump) {
                if (--frame.repeats.back().second > 0) {
                    frame.position = line.jump + 1;
                } else {
                    frame.repeats.pop_back();
                }
            }
            break;
        case NgcKeyword::Break:
        case NgcKeyword::Continue: {
            const NgcFlowLine& loop = at(line.jump);
            if (line.keyword == NgcKeyword::Continue) {
                frame.position = loop.keyword == NgcKeyword::While ? line.jump : loop.jump;
                break;
            }
            while (!frame.repeats.empty() && frame.repeats.back().first >= line.jump) frame.repeats.pop_back();
            frame.position = loop.jump + 1;
            break;
        }
        default:
            break;
    }
}

void NgcFlow::branch(NgcScript& script, int64_t next, FlowFrame& frame) {
    for (;;) {
        NgcFlowLine& b = script.lines[static_cast<size_t>(next)];
        if (b.keyword != NgcKeyword::ElseIf) {
            frame.position = next + 1;  // else or endif
            return;
        }
        interp_.line_ = static_cast<int32_t>(b.line);
        ++b.runs;
        double v = 0;
        if (evaluate(b.arguments[0], v) && v != 0) {
            frame.position = next + 1;
            return;
        }
        next = b.jump;
    }
}
