// One simulated year. Every random draw is its own statement, made in the order and under the
// conditions the rules state them, so that a seeded run always replays the same year.
#include "model/areas.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"

#include <algorithm>
#include <array>
#include <bit>
#include <limits>
#include <vector>

namespace model {

namespace {

using Members = std::vector<HerdIter>;

// Positions are unbounded (a young may be placed off the map); keep sums inside 32 bits.
std::int32_t clampedSum(std::int64_t v) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// a + R(n) - R(n), the first draw made first.
std::int32_t jitter(std::int32_t a, std::int32_t n) {
    const std::int32_t plus = R(n);
    const std::int32_t minus = R(n);
    return clampedSum(std::int64_t{a} + plus - minus);
}

// Floor division by 2 (towards minus infinity).
std::int32_t halfDown(std::int32_t v) {
    return v >> 1;
}

// 0.75 * v rounded to nearest, an exact half going to the even neighbour.
std::int32_t threeQuartersRounded(std::int32_t v) {
    const std::int64_t num = std::int64_t{v} * 3;
    std::int64_t q = num >> 2; // floor(num / 4)
    const std::int64_t r = num - q * 4;
    if (r > 2 || (r == 2 && (q & 1))) ++q;
    return static_cast<std::int32_t>(q);
}

void ageAndWander() {
    // A list's end stays put through removals, so it is read once.
    const HerdIter end = herdEnd();
    for (HerdIter it = herdBegin(); it != end;) {
        Animal& a = *it;
        a.age = clampedSum(std::int64_t{a.age} + 1);
        a.sizeClass = sizeClassForAge(a.age);
        if (a.age >= 18) {
            const std::int32_t d = R(10);
            if (d <= a.age - 14) {
                it = herdRemove(it);
                ++deathsThisYear;
                ++oldAgeDeathsThisYear;
                continue;
            }
        }
        const std::int32_t nx = jitter(a.x, 20);
        const std::int32_t ny = jitter(a.y, 20);
        const std::int32_t v = areaValue(nx, ny);
        if (v == a.area) {
            a.x = nx;
            a.y = ny;
        } else if (isArea(v)) {
            if (R(100) < 5) {
                a.x = nx;
                a.y = ny;
                a.area = v;
            }
        }
        ++it;
    }
}

// The members of each Area in herd order, gathered in one pass. Births only add young to the
// Area being treated, so the lists of the later Areas stay exact.
void census(std::array<Members, AreaCount + 1>& members) {
    for (Members& m : members)
        m.clear();
    const HerdIter end = herdEnd();
    for (HerdIter it = herdBegin(); it != end; ++it) {
        if (isArea(it->area)) members[it->area].push_back(it);
    }
}

void updateIllness(Animal& a, const Members& members) {
    const Animal& contact = *members[R(static_cast<std::int32_t>(members.size()) - 1)];
    if (contact.illness != 0) {
        if (R(100) >= halfDown(a.constitution)) a.illness = contact.illness;
    }
    if (R(100) < 5) {
        const std::int32_t bit = std::int32_t{1} << R(2);
        a.illness |= bit;
        a.illnessLevel = R(20) + 10;
    }
    if (a.illnessLevel != 0 || a.illness != 0) {
        const std::int32_t s = std::clamp(susceptibility(a.illness, a.gene1, a.gene2, a.age),
                                          std::int32_t{0}, std::int32_t{31});
        const std::int64_t damage = std::int64_t{a.illnessLevel} * (std::int64_t{1} << s);
        a.constitution = clampedSum(std::int64_t{a.constitution} - damage);
    }
}

void foodAndIllness(const Members& members, std::int32_t balance) {
    const std::int32_t food = balance >= 0 ? balance : 2 * balance;
    for (HerdIter it : members) {
        Animal& a = *it;
        a.constitution = clampedSum(std::int64_t{a.constitution} + food);
        updateIllness(a, members);
        if (a.illnessLevel > 0) {
            const std::int32_t plus = R(10);
            const std::int32_t minus = R(10);
            a.illnessLevel = clampedSum(std::int64_t{a.illnessLevel} + plus - minus);
        }
        if (a.illnessLevel <= 0) {
            a.illnessLevel = 0;
            a.illness = 0;
        }
    }
}

void crowdingLoss(const Members& members, std::int32_t balance) {
    Animal& last = *members.back();
    const std::int32_t p = clampedSum(std::int64_t{-balance} * 10);
    const std::int32_t t = threeQuartersRounded(last.constitution);
    if (R(p) >= t) {
        last.constitution = 0;
    } else if (R(25) == 1) {
        last.constitution = 0;
    }
}

struct FatherChoice {
    const Animal* father = nullptr;
    std::int32_t males = 0;
    std::int32_t females = 0;
};

FatherChoice chooseFather(const Members& members) {
    FatherChoice c;
    std::int32_t best = 0;
    for (HerdIter it : members) {
        const Animal& m = *it;
        if (m.age < 3) continue;
        if (m.sex == 0) {
            ++c.females;
            continue;
        }
        ++c.males;
        if (m.age >= 6) {
            const std::int32_t plus = R(2);
            const std::int32_t minus = R(2);
            const std::int32_t score = m.age + plus - minus - 9;
            if (score > best) {
                best = score;
                c.father = &m;
            }
        }
    }
    return c;
}

void births(const Members& members, const Animal& father) {
    for (HerdIter it : members) {
        const Animal mother = *it; // as it stands at this moment
        if (mother.sex != 0 || mother.age < 3 || mother.age > 10) continue;
        Animal& young = herdInsertAfter(it);
        ++birthsThisYear;
        young.gene1 = inheritGene(mother.gene1, father.gene1);
        young.gene2 = inheritGene(mother.gene2, father.gene2);
        young.iconPicture = iconForGenes(young.gene1, young.gene2);
        young.sex = R(1);
        young.x = jitter(mother.x, 30);
        young.y = jitter(mother.y, 30);
        young.age = 0;
        young.sizeClass = sizeClassForAge(0);
        young.area = mother.area;
        young.constitution = clampedSum(std::int64_t{mother.constitution} + R(20));
    }
}

void finalReckoning() {
    const HerdIter end = herdEnd();
    for (HerdIter it = herdBegin(); it != end;) {
        if (it->constitution > 100) it->constitution = 100;
        if (it->constitution <= 0) {
            it = herdRemove(it);
            ++deathsThisYear;
            ++weaknessDeathsThisYear;
        } else {
            ++it;
        }
    }
}

} // namespace

std::int32_t susceptibility(std::int32_t illness, std::int32_t gene1, std::int32_t gene2,
                            std::int32_t age) {
    std::int32_t s = std::popcount(static_cast<std::uint32_t>(illness & gene1)) +
                     std::popcount(static_cast<std::uint32_t>(illness & gene2));
    if (age <= 3) s += 1;
    if (age >= 15) s += age - 15;
    return s;
}

std::int32_t inheritGene(std::int32_t a, std::int32_t b) {
    return R(1) == 1 ? a : b;
}

void yearStep() {
    birthsThisYear = 0;
    deathsThisYear = 0;
    oldAgeDeathsThisYear = 0;
    weaknessDeathsThisYear = 0;
    shotThisYear = 0;
    carriedThisYear = 0;
    ++year;
    if (!hasAreaMap()) return;

    ageAndWander();
    {
        const std::int32_t first = R(3);
        const std::int32_t second = R(3);
        yearRating = first + second - 3;
    }

    // Reused from year to year: no allocation per animal once the vectors have grown.
    static std::array<Members, AreaCount + 1> members;
    census(members);
    for (int area = 1; area <= AreaCount; ++area) {
        const Members& m = members[area];
        const std::int32_t balance =
            clampedSum(std::int64_t{AreaCapacity[area]} - static_cast<std::int64_t>(m.size()));
        if (m.empty()) continue; // nothing to feed, no father, no young: no draws either
        foodAndIllness(m, balance);
        if (balance < 0) crowdingLoss(m, balance);
        const FatherChoice c = chooseFather(m);
        if (c.males > 0 && c.females > 0 && c.father) births(m, *c.father);
    }

    finalReckoning();
}

} // namespace model
