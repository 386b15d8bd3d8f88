// Management policies: what a keeper does to the Herd between years, using only the game's own
// interventions (removing an animal as the rifle does, moving one as the basket does).
#pragma once

#include "model/areas.h"
#include "tools/sim/options.h"

#include <array>
#include <cstdint>
#include <vector>

namespace sim {

// Where `spread` releases animals into an Area.
struct ReleasePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool valid = false; // false for an Area with no pixel
};
using ReleasePoints = std::array<ReleasePoint, model::AreaCount + 1>; // Areas 1..16

// For each Area, its pixel nearest to the mean of its pixels' coordinates, compared exactly as
// (n*x - sum x)^2 + (n*y - sum y)^2 for an Area of n pixels; ties go to the smaller y, then the
// smaller x. A pixel belongs to the Area its value names, as in the lookup.
ReleasePoints releasePoints(const model::AreaMap& areas);

// In each Area with more animals than its capacity, removes the oldest (ties: the earlier in
// herd order) until the count equals the capacity. Each removal counts in model::shotThisYear,
// as a shot of the player's does.
void cull();

// For Areas 1 to 16 in order: an Area with a release point and no animal at that moment gets a
// breeding pair, the first female (sex 0) aged 3 to 10 and the first male (sex not 0) aged 6 or
// more in herd order of the donor. The donor is the Area with the most animals among those
// holding at least two of each, so that it keeps a pair (ties: the lower number); with none,
// nothing moves. Counts are those after the moves made so far. Each animal moved counts in
// model::carriedThisYear, as the player's release into another Area does.
void spread(const ReleasePoints& points);

// Each policy in turn. Draws no random number.
void applyPolicies(const std::vector<Policy>& policies, const ReleasePoints& points);

} // namespace sim
