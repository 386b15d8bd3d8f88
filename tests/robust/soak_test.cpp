// Long play: a hundred thousand years with random player actions between them, made through the
// functions the main window runs. Every invariant holds after every action; memory stays flat.
#include "app/main_window.h"
#include "map/redraw.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tests/robust/media_set.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <climits>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer runtime; GCC installs no header that declares it.
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

#if defined(__SANITIZE_ADDRESS__)
// The sanitizers make every year several times slower; a tenth of the soak still covers many games.
constexpr long DefaultYears = 10000;
std::size_t bytesInUse() {
    return __sanitizer_get_current_allocated_bytes();
}
#else
constexpr long DefaultYears = 100000;
std::size_t bytesInUse() {
    return mallinfo2().uordblks;
}
#endif

// What one more animal costs the heap: its list node and the allocator's header.
constexpr long BytesPerAnimal = sizeof(model::Animal) + 2 * sizeof(void*) + 16;

long soakYears() {
    const char* years = std::getenv("SELVO_SOAK_YEARS");
    return years ? std::atol(years) : DefaultYears;
}

// Resident set at its highest so far, in KiB (0 where /proc is not there).
long peakResidentKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
    return 0;
}

// The first broken rule of the Herd between steps, or an empty string.
std::string brokenInvariant() {
    const auto isGene = [](std::int32_t g) { return g == 1 || g == 2 || g == 4; };
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        const model::Animal& a = *it;
        if (a.constitution < 1 || a.constitution > 100)
            return "constitution " + std::to_string(a.constitution);
        if (a.illnessLevel == 0 && a.illness != 0) return "illness without a level";
        if (a.illnessLevel < 0) return "illness level " + std::to_string(a.illnessLevel);
        if (!isGene(a.gene1) || !isGene(a.gene2))
            return "genes " + std::to_string(a.gene1) + "," + std::to_string(a.gene2);
        if (a.iconPicture != model::iconForGenes(a.gene1, a.gene2)) return "icon";
        if (a.sizeClass != model::sizeClassForAge(a.age)) return "size class";
        if (a.age < 0 || a.age > 23) return "age " + std::to_string(a.age);
    }
    if (model::CarriedAnimal && !model::herdContains(model::CarriedAnimal))
        return "the basket holds an animal that left the Herd";
    return {};
}

// The player: random clicks and buttons between years, from a generator of its own so that the
// model's draws stay those of model::seedRandom.
struct Player {
    std::mt19937 random{20240611};

    int below(int n) { return int(random() % unsigned(n)); }

    // A map point of one of the kinds a click can give: on an animal, in an Area, in no Area,
    // off the map, negative, or at the ends of the int range.
    void point(std::int32_t& x, std::int32_t& y) {
        switch (below(8)) {
        case 0:
        case 1:
        case 2:
            if (!model::herdEmpty()) {
                const auto a = std::next(model::herdBegin(), below(model::herdCount()));
                x = a->x + below(29) - 14;
                y = a->y + below(29) - 14;
                return;
            }
            [[fallthrough]];
        case 3:
            media_set::pointIn(1 + below(16), x, y);
            return;
        case 4:
            x = media_set::LakeX + below(20);
            y = media_set::LakeY + below(20);
            return;
        case 5:
            x = media_set::MapWidth + below(2000);
            y = below(3000) - 1000;
            return;
        case 6:
            x = -1 - below(5000);
            y = -below(5000);
            return;
        default: {
            static constexpr std::int32_t ends[] = {INT_MIN,    INT_MIN + 1, -1000000000,
                                                    1000000000, INT_MAX - 1, INT_MAX};
            x = ends[below(6)];
            y = ends[below(6)];
            return;
        }
        }
    }

    void act() {
        std::int32_t x = 0, y = 0;
        switch (below(12)) {
        case 0:
            app::chooseMode(app::Mode(below(3)));
            return;
        case 1:
            model::herdSortByArea();
            return;
        case 2:
            if (below(20) == 0) model::newGame();
            return;
        case 3:
        case 4:
            point(x, y);
            app::rightClickAt(x, y);
            return;
        default:
            point(x, y);
            app::leftClickAt(x, y);
            return;
        }
    }
};

long gamesStarted = 0;
void countGame() {
    ++gamesStarted;
}

// What app::runYear does, without its message box at the end of a herd.
void runYear() {
    model::yearStep();
    map::redrawMap();
    if (model::herdEmpty()) model::newGame();
}

TEST(Soak, YearsOfRandomPlayKeepTheHerdSoundAndMemoryFlat) {
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    model::loadTables();
    for (int n = 0; n < model::PictureCount; ++n)
        ASSERT_TRUE(ui::loadPicture(n, (folder.path / model::PictureFiles[n]).string())) << n;
    model::setDrawOverride(nullptr);
    model::seedRandom(777);
    model::setNewGameRedrawHook(&countGame);
    model::newGame();

    const long years = soakYears();
    const long measureAt = years / 10;
    Player player;
    long actions = 0, births = 0, largestHerd = 0;
    long baseline = 0; // bytes in use at `measureAt` less what its herd took
    for (long year = 1; year <= years; ++year) {
        for (int n = player.below(4); n > 0; --n, ++actions) {
            player.act();
            const std::string broken = brokenInvariant();
            ASSERT_EQ(broken, "") << "after action " << actions << " in year " << year;
        }
        runYear();
        births += model::birthsThisYear;
        largestHerd = std::max<long>(largestHerd, model::herdCount());
        const std::string broken = brokenInvariant();
        ASSERT_EQ(broken, "") << "after year " << year;
        if (year == measureAt) baseline = long(bytesInUse()) - model::herdCount() * BytesPerAnimal;
    }
    const long growth = long(bytesInUse()) - model::herdCount() * BytesPerAnimal - baseline;
    // Allowance for vectors that grew to a new largest Area since; a leak of one animal a year
    // would be megabytes.
    EXPECT_LT(growth, 64 * 1024) << "heap grew between year " << measureAt << " and " << years;
    EXPECT_GT(births, years) << "the herds should breed";
    const long games = gamesStarted;
    EXPECT_GT(games, 1) << "some herd should have died out or been restarted";

    RecordProperty("years", int(years));
    RecordProperty("games", int(games));
    RecordProperty("actions", int(actions));
    RecordProperty("largestHerd", int(largestHerd));
    RecordProperty("heapGrowthBytes", int(growth));
    RecordProperty("peakResidentKiB", int(peakResidentKiB()));
    std::printf("soaked %ld years, %ld games, %ld actions, largest herd %ld, heap growth %ld "
                "bytes, peak resident %ld KiB\n",
                years, games, actions, largestHerd, growth, peakResidentKiB());
    model::setNewGameRedrawHook(nullptr);
    ui::freeAllPictures();
    model::herdClear();
}

} // namespace
