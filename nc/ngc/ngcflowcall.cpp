// Calls, returns, subroutine files and the parameters lines read and set.

#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "nc/ngc/ngcflow.h"
#include "nc/ngc/ngcinterpreter.h"

namespace {

constexpr int kArguments = 30;

std::string oname(const std::string& label) {
    if (!label.empty() && label[0] >= '0' && label[0] <= '9') return "o" + label;
    return "o<" + label + ">";
}

bool global(const std::string& name) {
    return !name.empty() && name[0] == '_';
}

}  // namespace

// Numbers, the program's own parameters, signs and the plain operators on a stack of doubles:
// what loop counters and coordinates are mostly worked out from. False for anything else, and
// for a step that would be a problem: the full evaluator then works it out and names it.
bool NgcFlow::quick(const FlowExpression& e, double& out) const {
    constexpr size_t kMost = 16;
    if (e.steps.size() > kMost) return false;
    double stack[kMost];
    size_t top = 0;
    for (const FlowStep& step : e.steps) {
        switch (step.op) {
            case FlowOp::Number:
                stack[top++] = step.number;
                continue;
            case FlowOp::Numbered: {
                if (step.name != 1 || !(step.number >= 1 && step.number <= directlast)) return false;
                const auto n = static_cast<int32_t>(step.number);
                if (n != step.number) return false;
                stack[top++] = numbers_.get(n).value;
                continue;
            }
            case FlowOp::Negate:
                if (top == 0) return false;
                stack[top - 1] = -stack[top - 1];
                continue;
            default:
                break;
        }
        if (top < 2) return false;
        const double x = stack[top - 2], y = stack[top - 1];
        double r = 0;
        switch (step.op) {
            case FlowOp::Add: r = x + y; break;
            case FlowOp::Subtract: r = x - y; break;
            case FlowOp::Multiply: r = x * y; break;
            case FlowOp::Divide:
                if (y == 0) return false;
                r = x / y;
                break;
            case FlowOp::Mod:
                // Whole numbers within 32 bits (a short division) only; the rest goes to the
                // evaluator. The remainder takes the sign fmod gives it, -0 included.
                if (y == 0 || !(std::fabs(x) < 2e9 && std::fabs(y) < 2e9) ||
                    x != static_cast<double>(static_cast<int32_t>(x)) ||
                    y != static_cast<double>(static_cast<int32_t>(y))) {
                    return false;
                }
                r = std::copysign(static_cast<double>(static_cast<int32_t>(x) % static_cast<int32_t>(y)), x);
                if (r < 0) r += std::fabs(y);
                break;
            default:
                if (!flowcompare(step.op, x, y, r)) return false;  // functions, powers, EQ and NE
                break;
        }
        if (!std::isfinite(r)) return false;
        stack[--top - 1] = r;
    }
    if (top != 1) return false;
    out = stack[0];
    return true;
}

bool NgcFlow::evaluatesteps(const FlowExpression& e, double& out) {
    FlowValue v;
    if (!flowevaluate(e, *this, v, problem_)) {
        problem(problem_);
        return false;
    }
    out = v.value;
    return true;
}

void NgcFlow::execute(const NgcFlowLine& line) {
    // Every value on the line is read before any parameter it sets changes.
    struct Set {
        bool named;
        int32_t which;
        double value;
    };
    Set sets[16];
    std::vector<Set> more;
    size_t count = 0;
    for (const NgcFlowLine::Setting& s : line.settings) {
        Set set{s.named, s.name, 0};
        if (!s.named) {
            double number = 0;
            if (!evaluate(s.number, number)) return;
            // #1 = ...: the program's own numbers need no range check.
            if (number >= 1 && number <= directlast && number == std::floor(number)) {
                set.which = static_cast<int32_t>(number);
            } else if (!numbers_.find(number, set.which, problem_)) {
                return problem(problem_);
            }
        }
        if (!evaluate(s.value, set.value)) return;
        if (count < 16) {
            sets[count++] = set;
        } else {
            more.push_back(set);
        }
    }
    // The words written as numbers, copied by what is set: a whole block is mostly unused.
    NgcBlock& block = block_;
    const NgcBlock& written = line.block;
    block.letters = written.letters;
    block.otheraxes = written.otheraxes;
    for (uint32_t bits = written.letters & NgcBlock::kLetters; bits != 0; bits &= bits - 1) {
        const int i = __builtin_ctz(bits);
        block.value[i] = written.value[i];
    }
    block.gcount = written.gcount;
    block.mcount = written.mcount;
    // The whole arrays: a copy of known size takes a few moves, one of a counted length a call.
    std::memcpy(block.gcodes, written.gcodes, sizeof block.gcodes);
    std::memcpy(block.mcodes, written.mcodes, sizeof block.mcodes);
    block.radius = written.radius;
    block.angle = written.angle;
    for (const NgcFlowLine::Word& w : line.words) {
        double v = 0;
        if (!evaluate(w.value, v)) return;
        if (!ngcputword(block, w.letter, v, problem_)) return problem(problem_);
    }
    auto apply = [&](const Set& set) {
        if (set.named) {
            namedslot(set.which, true)->value = set.value;
        } else if (set.which > directlast && !interp_.setsystemparameter(set.which, set.value, problem_)) {
            problem(problem_);
        } else {
            numbers_.set(set.which, {set.value, false});
        }
    };
    for (size_t i = 0; i < count; ++i) apply(sets[i]);
    for (const Set& set : more) apply(set);
    interp_.executeline(block);
}

void NgcFlow::call(NgcFlowLine& line) {
    SubPlace place{};
    if (!findsub(line.label, place)) return;
    std::vector<double> values(line.arguments.size());
    for (size_t i = 0; i < values.size(); ++i) {
        if (!evaluate(line.arguments[i], values[i])) return;
    }
    FlowFrame frame;
    frame.script = place.script;
    frame.position = place.index + 1;
    frame.callline = line.line;
    frame.call = true;
    frame.saved.reserve(kArguments);
    for (int32_t n = 1; n <= kArguments; ++n) frame.saved.push_back(numbers_.get(n));
    const size_t base = stack_.depth();
    if (!stack_.push(std::move(frame))) {
        return stop(oname(line.label) + " call: calls nested deeper than " +
                    std::to_string(FlowStack::kMaxDepth));
    }
    globals_[returnedname_] = {0, false};  // until this call returns a value
    // #1 to #30 belong to the call: its values, then nothing.
    for (int32_t n = 1; n <= kArguments; ++n) {
        numbers_.set(n, {static_cast<size_t>(n) <= values.size() ? values[static_cast<size_t>(n - 1)] : 0, false});
    }
    // Called from the program itself: run it now; from kept lines: the running goes on there.
    if (base == 0) run(base);
}

void NgcFlow::leave(const NgcFlowLine* line) {
    if (stack_.empty() || !stack_.top().call) {
        return problem(oname(line != nullptr ? line->label : "") + " return outside a subroutine");
    }
    // `return [v]` or `endsub [v]` leaves v and says a value came back; without one (or
    // running off the end of a subroutine's file) the value is 0 and says none did.
    double v = 0;
    const bool given = line != nullptr && !line->arguments.empty() && evaluate(line->arguments[0], v);
    globals_[valuename_] = {given ? v : 0, false};
    globals_[returnedname_] = {given ? 1.0 : 0.0, false};
    const FlowFrame& frame = stack_.top();
    for (int32_t n = 1; n <= kArguments; ++n) numbers_.set(n, frame.saved[static_cast<size_t>(n - 1)]);
    stack_.pop();
}

bool NgcFlow::findsub(const std::string& label, SubPlace& place) {
    auto found = subs_.find(label);
    // Defined further on in the program first, then in a file of its own.
    if (found == subs_.end() && scanprogram()) found = subs_.find(label);
    problem_.clear();
    if (found == subs_.end() && loadfile(label)) found = subs_.find(label);
    if (found == subs_.end()) {
        if (!problem_.empty()) return false;
        problem(oname(label) + " call: no such subroutine");
        return false;
    }
    place = found->second;
    return true;
}

bool NgcFlow::loadfile(const std::string& label) {
    problem_.clear();
    if (label.empty() || (label[0] >= '0' && label[0] <= '9')) return false;
    if (looked_.count(label) != 0) return false;
    looked_[label] = true;
    std::vector<std::string> folders;
    if (!folder_.empty()) folders.push_back(folder_);
    if (const char* path = std::getenv("KORVEN_NGC_PATH")) {
        std::stringstream list(path);
        std::string folder;
        while (std::getline(list, folder, ':')) {
            if (!folder.empty()) folders.push_back(folder);
        }
    }
    for (const std::string& folder : folders) {
        const std::string file = folder + "/" + label + ".ngc";
        struct stat st {};
        if (::stat(file.c_str(), &st) != 0) continue;
        // A FIFO or a device would block the reading or never end.
        if (!S_ISREG(st.st_mode)) return problem(problem_ = oname(label) + " call: " + file + " is not a regular file"), false;
        if (st.st_size > kMaxFileBytes) return problem(problem_ = oname(label) + " call: " + file + " is too large"), false;
        std::ifstream in(file, std::ios::binary);
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (!in.good() && !in.eof()) return problem(problem_ = oname(label) + " call: cannot read " + file), false;
        files_.push_back(file);
        interp_.job_.nodefilenames = files_;
        scripts_.emplace_back();
        NgcScript& script = scripts_.back();
        script.file = static_cast<int32_t>(files_.size() - 1);
        NgcBlockParser words;
        int64_t number = 0;
        for (size_t start = 0; start < text.size();) {
            size_t stop = text.find('\n', start);
            if (stop == std::string::npos) stop = text.size();
            script.lines.push_back(readline(text.data() + start, text.data() + stop, ++number, words));
            start = stop + 1;
        }
        script.match();
        const auto id = static_cast<int32_t>(scripts_.size() - 1);
        registersubs(id);
        // A file without the subroutine's own sub line is its body.
        if (subs_.find(label) == subs_.end()) subs_[label] = {id, -1};
        return true;
    }
    return false;
}

void NgcFlow::enterfile(int32_t file) {
    if (file == file_) return;
    file_ = file;
    auto& ranges = interp_.job_.nodefiles;
    const int64_t next = interp_.job_.nodes.lastnode() + 1;
    if (!ranges.empty() && ranges.back().first == next) ranges.pop_back();
    if (ranges.empty() ? file != 0 : ranges.back().second != file) ranges.emplace_back(next, file);
}

bool NgcFlow::numbered(double number, FlowValue& out, std::string& problem) {
    // The parameters a program keeps its own numbers in, without the checks below.
    if (number >= 1 && number < 5061 && number == static_cast<double>(static_cast<int32_t>(number))) {
        out = numbers_.get(static_cast<int32_t>(number));
        return true;
    }
    int32_t n = 0;
    if (!numbers_.find(number, n, problem)) return false;
    out = numbers_.get(n);
    interp_.systemparameter(n, out.value);
    return true;
}

FlowValue* NgcFlow::namedslot(int32_t name, bool create) {
    if (global(names_.name(name))) {
        auto found = globals_.find(name);
        if (found != globals_.end()) return &found->second;
        return create ? &globals_[name] : nullptr;
    }
    // Locals belong to the call in progress, or to the program outside any call.
    std::vector<std::pair<int32_t, FlowValue>>* locals = &mainlocals_;
    for (size_t d = stack_.depth(); d > 0; --d) {
        FlowFrame& f = stack_.at(d - 1);
        if (f.call) {
            locals = &f.locals;
            break;
        }
    }
    for (auto& [id, value] : *locals) {
        if (id == name) return &value;
    }
    if (!create) return nullptr;
    locals->emplace_back(name, FlowValue{});
    return &locals->back().second;
}

bool NgcFlow::named(int32_t name, FlowValue& out, std::string& problem) {
    const FlowValue* slot = namedslot(name, false);
    if (slot == nullptr) {
        problem = "parameter #<" + names_.name(name) + "> not set";
        return false;
    }
    out = *slot;
    return true;
}

bool NgcFlow::exists(int32_t name) {
    return namedslot(name, false) != nullptr;
}
