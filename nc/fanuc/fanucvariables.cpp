#include "nc/fanuc/fanucvariables.h"

#include <cmath>
#include <cstdio>

bool FanucVariables::find(double number, bool writing, int32_t& index, std::string& problem) const {
    const double whole = std::nearbyint(number);
    // The control rounds a computed variable number to the nearest whole one.
    if (!(whole >= 0 && whole <= 999)) {
        char text[64];
        std::snprintf(text, sizeof text, "variable #%.6g does not exist", number);
        problem = text;
        return false;
    }
    index = static_cast<int32_t>(whole);
    const bool exists = index == 0 || index <= kLocals || (index >= 100 && index <= 199) || index >= 500;
    if (!exists) {
        problem = "variable #" + std::to_string(index) + " does not exist";
        return false;
    }
    if (writing && index == 0) {
        problem = "#0 is always null and cannot be set";
        return false;
    }
    return true;
}

FlowValue FanucVariables::get(int32_t index) const {
    if (index == 0) return FlowValue::null();
    if (index <= kLocals) return levels_.back()[static_cast<size_t>(index - 1)];
    if (index < 200) return common_[static_cast<size_t>(index - 100)];
    return retained_[static_cast<size_t>(index - 500)];
}

void FanucVariables::setglobal(int32_t index, FlowValue value) {
    if (index <= 0) return;
    if (index < 200) {
        common_[static_cast<size_t>(index - 100)] = value;
    } else {
        retained_[static_cast<size_t>(index - 500)] = value;
    }
}

bool FanucVariables::enter() {
    if (levels_.size() >= kMaxLevels) return false;
    levels_.emplace_back();
    levels_.back().fill(FlowValue::null());
    pointlocals();
    return true;
}

void FanucVariables::leave() {
    if (levels_.size() > 1) levels_.pop_back();
    pointlocals();
}

bool FanucVariables::numbered(double number, FlowValue& out, std::string& problem) {
    int32_t index = 0;
    if (!find(number, false, index, problem)) return false;
    out = get(index);
    return true;
}
