// The lagged rotate-and-add generator behind R(n): 17 entries of two 32-bit words.
#include "model/random.h"

#include <array>
#include <bit>
#include <chrono>

namespace model {

namespace {

struct Entry {
    std::uint32_t lo;
    std::uint32_t hi;
};

std::array<Entry, 17> entries{};
int p = 0; // the entry written next; the lag entry is always 10 places on, cyclically
bool seeded = false;
DrawOverride drawOverride = nullptr;

// Inlined into R(n), which the yearly step calls about ten times per animal.
inline std::uint64_t step() {
    const Entry cur = entries[p];
    const Entry lag = entries[p < 7 ? p + 10 : p - 7];
    const std::uint32_t hi = std::rotl(cur.lo, 19) + lag.lo;
    const std::uint32_t lo = std::rotl(cur.hi, 27) + lag.hi;
    entries[p] = {lo, hi};
    p = p == 0 ? 16 : p - 1;
    return (std::uint64_t{hi} << 32) | lo;
}

} // namespace

std::uint64_t randomStep() {
    return step();
}

void seedRandom(std::uint32_t seed) {
    std::uint32_t s = seed;
    for (Entry& e : entries) {
        s = s * 2891336453u + 1u;
        e.lo = s;
        s = s * 2891336453u + 1u;
        e.hi = s;
    }
    p = 0;
    for (int i = 0; i < 31; ++i)
        randomStep();
    seeded = true;
}

RandomState randomState() {
    RandomState s;
    s.seeded = seeded;
    s.position = p;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        s.words[2 * i] = entries[i].lo;
        s.words[2 * i + 1] = entries[i].hi;
    }
    return s;
}

bool setRandomState(const RandomState& s) {
    if (s.position < 0 || s.position >= int(entries.size())) return false;
    if (!s.seeded && s != RandomState{}) return false;
    for (std::size_t i = 0; i < entries.size(); ++i)
        entries[i] = {s.words[2 * i], s.words[2 * i + 1]};
    p = s.position;
    seeded = s.seeded;
    return true;
}

void resetRandom() {
    entries = {};
    p = 0;
    seeded = false;
}

void setDrawOverride(DrawOverride override) {
    drawOverride = override;
}

std::int32_t R(std::int32_t n) {
    if (drawOverride) return drawOverride(n);
    if (!seeded) {
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch());
        seedRandom(static_cast<std::uint32_t>(ms.count()));
    }
    if (n <= 0) {
        step(); // a draw is still a step, so that draw counts never depend on n
        return 0;
    }
    const unsigned __int128 wide =
        static_cast<unsigned __int128>(step()) * (static_cast<std::uint64_t>(n) + 1);
    return static_cast<std::int32_t>(wide >> 64);
}

} // namespace model
