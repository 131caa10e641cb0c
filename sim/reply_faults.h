#pragma once

#include <random>

#include "sim/fault_plan.h"
#include "sim/request_record.h"

namespace sim {

// Picks the fate of each reply from the plan's odds with its own seeded
// generator: Sent, SentLate, Dropped, BadCheck or Oversized.
class ReplyFaults {
public:
    explicit ReplyFaults(const FaultPlan& plan);

    ReplyFate Draw();

private:
    std::mt19937 generator_;
    std::uniform_real_distribution<double> unit_{0.0, 1.0};
    double dropBelow_;
    double lateBelow_;
    double badCheckBelow_;
    double oversizeBelow_;
};

}  // namespace sim
