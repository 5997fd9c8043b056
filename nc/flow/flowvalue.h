#pragma once
// The values and parameter lookups shared by the readings that compute: the RS274/NGC reading
// and the Fanuc-family one. Nothing here knows a reading's word syntax.

#include <cstdint>
#include <string>

// A parameter's value. `empty` is the "null" of the Fanuc family (#0, a local never set): it
// reads as 0 in arithmetic but compares unequal to 0. The RS274/NGC reading never makes one.
struct FlowValue {
    double value = 0;
    bool empty = false;

    static FlowValue null() { return {0, true}; }
};

// How an expression reaches the parameters: each reading answers with its own store, so `#`
// means what that reading says it means. A false return carries the problem in `problem`.
class FlowLookup {
  public:
    virtual ~FlowLookup() = default;
    // #n, ##n, #[...]: `number` as computed, not yet checked to be whole or in range.
    virtual bool numbered(double number, FlowValue& out, std::string& problem) = 0;
    // #<name>: an id from the reading's FlowNames.
    virtual bool named(int32_t name, FlowValue& out, std::string& problem) = 0;
    // EXISTS[#<name>].
    virtual bool exists(int32_t name) = 0;

    // Numbers from directfirst to directlast are read straight from direct[n - directfirst],
    // without a call: the parameters a loop counts in are read at every pass.
    const FlowValue* direct = nullptr;
    int32_t directfirst = 0, directlast = -1;
};
