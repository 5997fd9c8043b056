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
    FlowValue running;
    if (link->fused == F::LoadDirect) {
        running = lookup.direct[link->slot];
        ++link;
    }
    for (; link != end; ++link) {
        // The operators a loop's lines are made of, as flowbinary works them out, in one
        // step each; the rest the long way.
        double r = 0;
        switch (link->fused) {
            case F::LoadNumber: running = {link->number, false}; continue;
            case F::LoadDirect: running = lookup.direct[link->slot]; continue;
            case F::MultiplyNumber: r = running.value * link->number; break;
            case F::MultiplyDirect: r = running.value * lookup.direct[link->slot].value; break;
            case F::AddNumber: r = running.value + link->number; break;
            case F::AddDirect: r = running.value + lookup.direct[link->slot].value; break;
            case F::SubtractNumber: r = running.value - link->number; break;
            case F::SubtractDirect: r = running.value - lookup.direct[link->slot].value; break;
            case F::LtNumber: r = running.value < link->number; break;
            case F::LtDirect: r = running.value < lookup.direct[link->slot].value; break;
            case F::GtNumber: r = running.value > link->number; break;
            case F::GtDirect: r = running.value > lookup.direct[link->slot].value; break;
            case F::Other: {
                FlowValue v;
                switch (link->source) {
                    case Source::Number: v = {link->number, false}; break;
                    case Source::Direct: v = lookup.direct[link->slot]; break;
                    case Source::Numbered:
                        if (!lookup.numbered(link->number, v, problem)) return false;
                        break;
                    case Source::None:
                        if (!flowchainedontop(link->op, lookup, running, problem)) return false;
                        continue;
                }
                if (link->op == FlowOp::Number) {
                    running = v;
                } else if (!flowbinary(link->op, running, v, running, problem)) {
                    return false;
                }
                continue;
            }
        }
        if (!std::isfinite(r)) return flowchainedfails(problem);
        running = {r, false};
    }
    out = running;
    return true;
}
