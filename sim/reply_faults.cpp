#include "sim/reply_faults.h"

#include <algorithm>

namespace sim {
namespace {

// Odds outside [0, 1] (or NaN) are taken as the nearest sensible value.
double Odds(double odds) { return odds > 0 ? std::min(odds, 1.0) : 0.0; }

}  // namespace

ReplyFaults::ReplyFaults(const FaultPlan& plan)
    : generator_(plan.seed),
      dropBelow_(Odds(plan.dropOdds)),
      lateBelow_(dropBelow_ + Odds(plan.lateOdds)),
      badCheckBelow_(lateBelow_ + Odds(plan.badCheckOdds)),
      oversizeBelow_(badCheckBelow_ + Odds(plan.oversizeOdds)) {}

ReplyFate ReplyFaults::Draw() {
    // One draw per reply, whatever the odds, so that the fates depend only on
    // the seed and the number of replies.
    const double draw = unit_(generator_);
    if (draw < dropBelow_) return ReplyFate::Dropped;
    if (draw < lateBelow_) return ReplyFate::SentLate;
    if (draw < badCheckBelow_) return ReplyFate::BadCheck;
    if (draw < oversizeBelow_) return ReplyFate::Oversized;
    return ReplyFate::Sent;
}

}  // namespace sim
