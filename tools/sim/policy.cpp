// The keeper's policies on the Herd.
#include "tools/sim/policy.h"

#include "model/areas.h"
#include "model/herd.h"
#include "model/tables.h"

#include <algorithm>

namespace sim {

namespace {

using Wide = __int128; // squared distances of a large picture overflow 64 bits

bool breedingFemale(const model::Animal& a) {
    return a.sex == 0 && a.age >= 3 && a.age <= 10;
}
bool breedingMale(const model::Animal& a) {
    return a.sex != 0 && a.age >= 6;
}

} // namespace

ReleasePoints releasePoints(const model::AreaMap& areas) {
    struct Sums {
        std::int64_t n = 0, x = 0, y = 0;
    };
    std::array<Sums, model::AreaCount + 1> sums{};
    const auto each = [&](auto visit) {
        std::size_t at = 0;
        for (std::int32_t y = 0; y < areas.height; ++y)
            for (std::int32_t x = 0; x < areas.width; ++x, ++at) {
                const std::int32_t v = areas.values[at];
                if (model::isArea(v)) visit(v, x, y);
            }
    };
    each([&](std::int32_t v, std::int32_t x, std::int32_t y) {
        ++sums[v].n;
        sums[v].x += x;
        sums[v].y += y;
    });
    ReleasePoints points{};
    std::array<Wide, model::AreaCount + 1> best{};
    // Rows top to bottom, left to right: the first pixel at the least distance wins the ties.
    each([&](std::int32_t v, std::int32_t x, std::int32_t y) {
        const Sums& s = sums[v];
        const Wide dx = Wide{s.n} * x - s.x;
        const Wide dy = Wide{s.n} * y - s.y;
        const Wide d = dx * dx + dy * dy;
        if (!points[v].valid || d < best[v]) {
            points[v] = {x, y, true};
            best[v] = d;
        }
    });
    return points;
}

void cull() {
    std::array<std::vector<model::HerdIter>, model::AreaCount + 1> members;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        if (model::isArea(it->area)) members[it->area].push_back(it);
    for (int a = 1; a <= model::AreaCount; ++a) {
        std::vector<model::HerdIter>& m = members[a];
        const std::int64_t excess = std::int64_t(m.size()) - model::AreaCapacity[a];
        if (excess <= 0) continue;
        // Stable, so that among equal ages the earlier in herd order goes first.
        std::stable_sort(m.begin(), m.end(), [](auto p, auto q) { return p->age > q->age; });
        for (std::int64_t i = 0; i < excess; ++i) {
            model::herdRemove(m[std::size_t(i)]);
            ++model::shotThisYear; // as the rifle counts it
        }
    }
}

void spread(const ReleasePoints& points) {
    // Per Area: all animals, and the breeding females and males in herd order. A move only
    // takes the first of each from the donor and gives an empty Area one of each, so the
    // lists stay exact without a new census.
    std::array<std::int64_t, model::AreaCount + 1> count{};
    std::array<std::vector<model::Animal*>, model::AreaCount + 1> females, males;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        if (!model::isArea(it->area)) continue;
        ++count[it->area];
        if (breedingFemale(*it)) females[it->area].push_back(&*it);
        if (breedingMale(*it)) males[it->area].push_back(&*it);
    }
    for (int a = 1; a <= model::AreaCount; ++a) {
        if (!points[a].valid || count[a] != 0) continue;
        int donor = 0;
        for (int d = 1; d <= model::AreaCount; ++d)
            if (females[d].size() >= 2 && males[d].size() >= 2 &&
                (donor == 0 || count[d] > count[donor]))
                donor = d;
        if (donor == 0) continue;
        for (auto* list : {&females, &males}) {
            model::Animal* moved = (*list)[donor].front();
            (*list)[donor].erase((*list)[donor].begin());
            moved->x = points[a].x;
            moved->y = points[a].y;
            moved->area = a;
            ++model::carriedThisYear; // a release into another Area, as the basket counts it
            (*list)[a].push_back(moved);
        }
        count[donor] -= 2;
        count[a] += 2;
    }
}

void applyPolicies(const std::vector<Policy>& policies, const ReleasePoints& points) {
    for (Policy p : policies) {
        if (p == Policy::Cull)
            cull();
        else
            spread(points);
    }
}

} // namespace sim
