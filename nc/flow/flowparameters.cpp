#include "nc/flow/flowparameters.h"

#include <cmath>
#include <cstdio>

FlowParameters::FlowParameters(std::initializer_list<Range> ranges, FlowValue start)
    : ranges_(ranges) {
    size_t total = 0;
    for (const Range& r : ranges_) {
        base_.push_back(total);
        total += static_cast<size_t>(r.last - r.first + 1);
    }
    values_.assign(total, start);
}

bool FlowParameters::has(int32_t number) const {
    for (const Range& r : ranges_) {
        if (number >= r.first && number <= r.last) return true;
    }
    return false;
}

size_t FlowParameters::slotamong(int32_t number) const {
    for (size_t i = 0; i < ranges_.size(); ++i) {
        if (number >= ranges_[i].first && number <= ranges_[i].last) {
            return base_[i] + static_cast<size_t>(number - ranges_[i].first);
        }
    }
    return 0;
}

bool FlowParameters::find(double number, int32_t& index, std::string& problem) const {
    char text[96];
    // Within a millionth of a whole number: #[#1/3*3] means the parameter it was meant to.
    const double whole = std::nearbyint(number);
    if (!(std::fabs(number - whole) < 1e-6)) {
        std::snprintf(text, sizeof text, "parameter number #%g is not whole", number);
        problem = text;
        return false;
    }
    if (std::fabs(whole) < 2e9 && has(static_cast<int32_t>(whole))) {
        index = static_cast<int32_t>(whole);
        return true;
    }
    if (ranges_.size() == 1) {
        std::snprintf(text, sizeof text, "parameter #%.0f does not exist (#%d to #%d)", whole,
                      ranges_[0].first, ranges_[0].last);
    } else {
        std::snprintf(text, sizeof text, "parameter #%.0f does not exist", whole);
    }
    problem = text;
    return false;
}

int32_t FlowNames::id(std::string_view name) {
    auto found = ids_.find(std::string(name));
    if (found != ids_.end()) return found->second;
    const auto id = static_cast<int32_t>(names_.size());
    names_.emplace_back(name);
    ids_.emplace(names_.back(), id);
    return id;
}
