#include "nc/flow/flowchain.h"

namespace {

// A step that puts a value on the stack without taking one, as a link's operand.
bool operand(const FlowStep& step, const FlowLookup& lookup, FlowChain::Link& link) {
    if (step.op == FlowOp::Number) {
        link.source = FlowChain::Source::Number;
        link.number = step.number;
        return true;
    }
    if (step.op != FlowOp::Numbered || step.name != 1) return false;
    const double n = step.number;
    // Where flowevaluate would read it straight from the lookup, so does the chain.
    if (n >= lookup.directfirst && n <= lookup.directlast && static_cast<int32_t>(n) == n) {
        link.source = FlowChain::Source::Direct;
        link.slot = static_cast<int32_t>(n) - lookup.directfirst;
    } else {
        link.source = FlowChain::Source::Numbered;
        link.number = n;
    }
    return true;
}

// A step that works on the top of the stack alone.
bool ontop(FlowOp op) {
    return op == FlowOp::Numbered || (op >= FlowOp::Negate && op <= FlowOp::Tan);
}

FlowChain::Fused fused(const FlowChain::Link& link) {
    using F = FlowChain::Fused;
    const bool number = link.source == FlowChain::Source::Number;
    if (!number && link.source != FlowChain::Source::Direct) return F::Other;
    switch (link.op) {
        case FlowOp::Number: return number ? F::LoadNumber : F::LoadDirect;
        case FlowOp::Multiply: return number ? F::MultiplyNumber : F::MultiplyDirect;
        case FlowOp::Add: return number ? F::AddNumber : F::AddDirect;
        case FlowOp::Subtract: return number ? F::SubtractNumber : F::SubtractDirect;
        case FlowOp::Lt: return number ? F::LtNumber : F::LtDirect;
        case FlowOp::Gt: return number ? F::GtNumber : F::GtDirect;
        default: return F::Other;
    }
}

}  // namespace

void flowchain(FlowExpression& e, const FlowLookup& lookup) {
    std::vector<FlowChain::Link>& links = e.chain.links;
    links.clear();
    const std::vector<FlowStep>& steps = e.steps;
    if (steps.empty() || e.constant()) return;
    FlowChain::Link first{FlowOp::Number, FlowChain::Source::None, FlowChain::Fused::Other, 0, 0};
    if (!operand(steps[0], lookup, first)) return;
    links.push_back(first);
    for (size_t i = 1; i < steps.size();) {
        const FlowStep& step = steps[i];
        FlowChain::Link link{step.op, FlowChain::Source::None, FlowChain::Fused::Other, 0, 0};
        // A computed parameter number (#[...]) is a Numbered step with name 0.
        if (ontop(step.op) && !(step.op == FlowOp::Numbered && step.name == 1)) {
            links.push_back(link);
            ++i;
            continue;
        }
        if (i + 1 < steps.size() && steps[i + 1].op >= FlowOp::Power && operand(step, lookup, link)) {
            link.op = steps[i + 1].op;
            links.push_back(link);
            i += 2;
            continue;
        }
        links.clear();
        return;
    }
    for (FlowChain::Link& link : links) link.fused = fused(link);
}

bool flowchainedontop(FlowOp op, FlowLookup& lookup, FlowValue& running, std::string& problem) {
    if (op == FlowOp::Numbered) return lookup.numbered(running.value, running, problem);
    double r = 0;
    if (!flowunary(op, running.value, r, problem)) return false;
    running = {r, false};
    return true;
}

bool flowchainedfails(std::string& problem) {
    problem = "result too large";
    return false;
}
