#pragma once
// Expressions a loop works out at every pass, made ready once so that a pass costs little
// more than the arithmetic itself. Results and problems are those of flowevaluate, bit for bit.

#include <string>

#include "nc/flow/flowarithmetic.h"
#include "nc/flow/flowexpression.h"
#include "nc/inlining.h"

// Fills e.chain when the expression has a chain's shape, with parameters that `lookup` hands
// out directly placed as such: the lookup's direct range must stay the same from then on.
// Leaves it empty otherwise, and for a bare number (which needs no working out).
void flowchain(FlowExpression& e, const FlowLookup& lookup);

// A link that works on the running value alone; and a result that is not a number.
bool flowchainedontop(FlowOp op, FlowLookup& lookup, FlowValue& running, std::string& problem);
KORVEN_COLD bool flowchainedfails(std::string& problem);

// Works a filled (not empty) chain out.
KORVEN_HOT_INLINE bool flowchained(const FlowChain& chain, FlowLookup& lookup, FlowValue& out, std::string& problem) {
    using Source = FlowChain::Source;
    using F = FlowChain::Fused;
    // The first link only loads; a loop line's chain is most often that and one operator.
    const FlowChain::Link* link = chain.links.data();
    const FlowChain::Link* const end = link + chain.links.size();
    // The running value as two plain locals, so that the common links keep it in a register;
    // the long way is handed a FlowValue and gives it back.
    double value = 0;
    bool empty = false;
    if (link->fused == F::LoadDirect) {
        value = lookup.direct[link->slot].value;
        empty = lookup.direct[link->slot].empty;
        ++link;
    }
    for (; link != end; ++link) {
        // The operators a loop's lines are made of, as flowbinary works them out, in one
        // step each; the rest the long way.
        double r = 0;
        switch (link->fused) {
            case F::LoadNumber:
                value = link->number;
                empty = false;
                continue;
            case F::LoadDirect:
                value = lookup.direct[link->slot].value;
                empty = lookup.direct[link->slot].empty;
                continue;
            case F::MultiplyNumber: r = value * link->number; break;
            case F::MultiplyDirect: r = value * lookup.direct[link->slot].value; break;
            case F::AddNumber: r = value + link->number; break;
            case F::AddDirect: r = value + lookup.direct[link->slot].value; break;
            case F::SubtractNumber: r = value - link->number; break;
            case F::SubtractDirect: r = value - lookup.direct[link->slot].value; break;
            case F::LtNumber: r = value < link->number; break;
            case F::LtDirect: r = value < lookup.direct[link->slot].value; break;
            case F::GtNumber: r = value > link->number; break;
            case F::GtDirect: r = value > lookup.direct[link->slot].value; break;
            case F::Other: {
                FlowValue running{value, empty};
                FlowValue v;
                switch (link->source) {
                    case Source::Number: v = {link->number, false}; break;
                    case Source::Direct: v = lookup.direct[link->slot]; break;
                    case Source::Numbered:
                        if (!lookup.numbered(link->number, v, problem)) return false;
                        break;
                    case Source::None:
                        if (!flowchainedontop(link->op, lookup, running, problem)) return false;
                        value = running.value;
                        empty = running.empty;
                        continue;
                }
                if (link->op == FlowOp::Number) {
                    running = v;
                } else if (!flowbinary(link->op, running, v, running, problem)) {
                    return false;
                }
                value = running.value;
                empty = running.empty;
                continue;
            }
        }
        if (!std::isfinite(r)) return flowchainedfails(problem);
        value = r;
        empty = false;
    }
    out = {value, empty};
    return true;
}
