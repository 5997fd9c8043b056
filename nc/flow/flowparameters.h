#pragma once
// Numbered parameters in one or more ranges of numbers, and the names of named ones.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "nc/flow/flowvalue.h"

class FlowParameters {
  public:
    struct Range {
        int32_t first, last;
    };
    // Numbers outside every range do not exist; every parameter starts at `start`.
    FlowParameters(std::initializer_list<Range> ranges, FlowValue start);

    // The parameter a computed number names, or false with the problem ("parameter #6000 does
    // not exist (#1 to #5602)", "parameter number #2.5 is not whole").
    bool find(double number, int32_t& index, std::string& problem) const;
    bool has(int32_t number) const;
    // Only for numbers `has` accepts.
    const FlowValue& get(int32_t number) const { return values_[slot(number)]; }
    void set(int32_t number, FlowValue value) { values_[slot(number)] = value; }

  private:
    size_t slot(int32_t number) const {
        if (ranges_.size() == 1) return static_cast<size_t>(number - ranges_[0].first);
        return slotamong(number);
    }
    size_t slotamong(int32_t number) const;

    std::vector<Range> ranges_;
    std::vector<size_t> base_;  // where each range starts in values_
    std::vector<FlowValue> values_;
};

// Parameter names as small ids, so that a line parsed once refers to its names without strings.
class FlowNames {
  public:
    int32_t id(std::string_view name);
    const std::string& name(int32_t id) const { return names_[static_cast<size_t>(id)]; }

  private:
    std::vector<std::string> names_;
    std::unordered_map<std::string, int32_t> ids_;
};
