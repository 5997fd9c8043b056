#pragma once
// The variables of custom macro B: #0 always null, #1 to #33 local to each macro call level,
// the common #100 to #199 and #500 to #999. Every variable starts null.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "nc/flow/flowvalue.h"

class FanucVariables : public FlowLookup {
  public:
    static constexpr int32_t kLocals = 33;
    // More levels than any control allows; the reading's own nesting limit comes first.
    static constexpr size_t kMaxLevels = 64;

    FanucVariables() : levels_(1) {
        levels_[0].fill(FlowValue::null());
        common_.fill(FlowValue::null());
        retained_.fill(FlowValue::null());
        pointlocals();
    }

    // The variable a computed number names, or false with the problem. Reading allows #0.
    bool find(double number, bool writing, int32_t& index, std::string& problem) const;
    FlowValue get(int32_t index) const;
    void set(int32_t index, FlowValue value) {
        // A loop counts in locals: set inline, the rest the long way.
        if (index > 0 && index <= kLocals) {
            levels_.back()[static_cast<size_t>(index - 1)] = value;
        } else {
            setglobal(index, value);
        }
    }

    // A macro call's level of locals, all null; and back to the caller's.
    bool enter();
    void leave();

    bool numbered(double number, FlowValue& out, std::string& problem) override;
    bool named(int32_t, FlowValue&, std::string& problem) override {
        problem = "named variables are not of this reading";
        return false;
    }
    bool exists(int32_t) override { return false; }

  private:
    void setglobal(int32_t index, FlowValue value);
    // A loop's counters are locals: expressions read them straight from the level in force.
    void pointlocals() {
        direct = levels_.back().data();
        directfirst = 1;
        directlast = kLocals;
    }

    std::vector<std::array<FlowValue, kLocals>> levels_;
    std::array<FlowValue, 100> common_{};    // #100 .. #199
    std::array<FlowValue, 500> retained_{};  // #500 .. #999
};
