#include "nc/flow/flowrun.h"

bool FlowSteps::checkpoint(int64_t runs, int64_t line) {
    if (runs >= limit_) {
        message = "stopped: line " + std::to_string(line) + " ran " + std::to_string(runs) + " times";
        return false;
    }
    if (poll_) poll_();
    if (cancel_ != nullptr && *cancel_) {
        message.clear();
        return false;
    }
    return true;
}
