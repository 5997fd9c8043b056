#pragma once
// Parameters, expressions and O-word control of the RS274/NGC reading. Lines that need
// computing or that jump come here from the interpreter; a loop, an if or a subroutine
// definition met in the program is gathered whole first, read once into NgcFlowLines, and run
// from there as often as it says. Subroutines called by a name not defined in the program come
// from name.ngc in the program's folder or in a folder of KORVEN_NGC_PATH (colon separated).

#include <cstdint>
#include <deque>
#include <string>
#include <unordered_map>
#include <vector>

#include "nc/flow/flowexpression.h"
#include "nc/flow/flowrun.h"
#include "nc/ngc/ngcflowline.h"

class NgcInterpreter;
class NgcBlockFeed;
class NgcBlockParser;
struct NgcLine;

class NgcFlow : private FlowLookup {
  public:
    static constexpr int32_t kParameters = 5602;
    // A loop or if longer than this in the program is taken for one never closed.
    static constexpr int64_t kMaxGathered = 200'000;
    static constexpr int64_t kMaxFileBytes = int64_t{64} << 20;

    // folder: the program's own, where called files are looked for first ("" for none);
    // program: its file, read on for subroutines called before they are defined ("" for none).
    NgcFlow(NgcInterpreter& interpreter, std::string folder, std::string program = "");

    // A Computed line of the program itself, read from `feed`, which gives the lines a loop
    // or a definition that starts here spans.
    void take(const NgcLine& line, NgcBlockFeed& feed);

    // Back in the program's own lines after a called file's.
    void inprogram() {
        if (file_ != 0) enterfile(0);
    }
    // The file the line being run belongs to, 0 for the program itself, and its name.
    int32_t file() const { return file_; }
    const std::string& filename(int32_t file) const { return files_[static_cast<size_t>(file)]; }
    // A line limit below the default only serves tests.
    void setsteplimit(int64_t limit) { steps_.setlimit(limit); }

  private:
    struct SubPlace {
        int32_t script;
        int64_t index;  // of its sub line; -1 for a file that is the body itself
    };

    void run(size_t base);
    void control(NgcFlowLine& line);
    void branch(NgcScript& script, int64_t next, FlowFrame& frame);
    void call(NgcFlowLine& line);
    void leave(const NgcFlowLine* line);
    void execute(const NgcFlowLine& line);
    // A number as written, or one of the program's own parameters (Z#2), without the
    // evaluator: most computed words of a loop are one or the other.
    bool evaluate(const FlowExpression& e, double& out) {
        if (e.steps.size() == 1) {
            const FlowStep& step = e.steps[0];
            if (step.op == FlowOp::Number) {
                out = step.number;
                return true;
            }
            if (step.op == FlowOp::Numbered && step.name == 1 && step.number >= 1 &&
                step.number <= directlast) {
                const auto n = static_cast<int32_t>(step.number);
                if (n == step.number) {
                    out = numbers_.get(n).value;
                    return true;
                }
            }
        }
        return quick(e, out) || evaluatesteps(e, out);
    }
    bool quick(const FlowExpression& e, double& out) const;
    bool evaluatesteps(const FlowExpression& e, double& out);
    bool findsub(const std::string& label, SubPlace& place);
    bool loadfile(const std::string& label);
    bool scanprogram();
    NgcFlowLine readline(const char* begin, const char* end, int64_t number, NgcBlockParser& words);
    void registersubs(int32_t script);
    void enterfile(int32_t file);
    void problem(std::string message);
    void stop(std::string message);

    bool numbered(double number, FlowValue& out, std::string& problem) override;
    bool named(int32_t name, FlowValue& out, std::string& problem) override;
    bool exists(int32_t name) override;
    FlowValue* namedslot(int32_t name, bool create);

    NgcInterpreter& interp_;
    std::string folder_;
    std::string program_;
    bool scanned_ = false;
    FlowNames names_;
    FlowParser parser_{names_, true};
    FlowParameters numbers_{{{1, kParameters}}, FlowValue{}};
    std::unordered_map<int32_t, FlowValue> globals_;
    std::vector<std::pair<int32_t, FlowValue>> mainlocals_;
    FlowStack stack_;
    FlowSteps steps_;
    std::deque<NgcScript> scripts_;  // a deque: lines being run stay where they are as files load
    std::unordered_map<std::string, SubPlace> subs_;
    std::vector<std::string> files_{""};
    std::unordered_map<std::string, bool> looked_;  // files looked for, found or not
    int32_t file_ = 0;
    NgcBlock block_;
    std::string problem_;
    int32_t valuename_;     // #<_value>: what the last return gave
    int32_t returnedname_;  // #<_value_returned>: 1 when it gave one
};
