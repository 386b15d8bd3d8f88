// Long play: a hundred thousand years with random player actions between them, made through the
// functions the main window runs, on the project's Media/ (the tests run in the project folder).
// Every invariant holds after every action; memory stays flat.
#include "app/main_window.h"
#include "app/numbers.h"
#include "app/startup.h"
#include "map/redraw.h"
#include "model/game.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "tests/support/support.h"
#include "ui/picture.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <climits>
#include <cstdlib>
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
long bytesInUse() {
    return long(__sanitizer_get_current_allocated_bytes());
}
#else
constexpr long DefaultYears = 100000;
long bytesInUse() {
    return long(mallinfo2().uordblks);
}
#endif

long gamesStarted = 0;

// A new game as the window starts one, counted.
void newGame() {
    ++gamesStarted;
    app::startNewGame();
}

// What one more animal costs the heap: its list node and the allocator's header.
constexpr long BytesPerAnimal = sizeof(model::Animal) + 2 * sizeof(void*) + 16;

// The player: random clicks and buttons between years, from a generator of its own so that the
// model's draws stay those of model::seedRandom.
struct Player {
    std::mt19937 random{20240611};

    int below(int n) { return int(random() % unsigned(n)); }

    // A map point of a kind a click can give: on or near an animal, anywhere on the map (in an
    // Area or not), off the map on either side, or at the ends of the int range.
    void point(std::int32_t& x, std::int32_t& y) {
        static constexpr std::int32_t ends[] = {INT_MIN,    INT_MIN + 1, -1000000000,
                                                1000000000, INT_MAX - 1, INT_MAX};
        const int kind = below(6);
        if (kind < 3 && !model::herdEmpty()) {
            const auto a = std::next(model::herdBegin(), below(model::herdCount()));
            x = a->x + below(29) - 14;
            y = a->y + below(29) - 14;
        } else if (kind < 4) { // the map is 900 x 640
            x = below(900);
            y = below(640);
        } else if (kind == 4) {
            x = below(7000) - 5000;
            y = below(5000) - 2000;
        } else {
            x = ends[below(6)];
            y = ends[below(6)];
        }
    }

    void act() {
        std::int32_t x = 0, y = 0;
        point(x, y);
        const int choice = below(12);
        if (choice == 0) app::chooseMode(model::Mode(below(3)));
        if (choice == 1) model::herdSortByArea();
        if (choice == 2 && below(20) == 0) newGame();
        if (choice == 3 || choice == 4) app::rightClickAt(x, y);
        if (choice >= 5) app::leftClickAt(x, y);
    }
};

TEST(Soak, YearsOfRandomPlayKeepTheHerdSoundAndMemoryFlat) {
    model::loadTables();
    for (int n = 0; n < map::PictureCount; ++n)
        ASSERT_TRUE(ui::loadPicture(n, app::PictureFiles[std::size_t(n)])) << n;
    app::takeAreaMap();
    model::setDrawOverride(nullptr);
    model::seedRandom(777);
    newGame();

    const char* yearsSet = std::getenv("SELVO_SOAK_YEARS");
    const long years = yearsSet ? std::atol(yearsSet) : DefaultYears;
    const long measureAt = years / 10;
    Player player;
    long births = 0;
    long baseline = 0; // bytes in use at `measureAt` less what its herd took
    for (long year = 1; year <= years; ++year) {
        for (int n = player.below(4); n > 0; --n) {
            player.act();
            ASSERT_EQ(support::brokenInvariant(), "") << "after an action in year " << year;
        }
        // What app::runYear does, without its message box at the end of a herd.
        model::yearStep();
        map::redrawMap();
        if (model::herdEmpty()) newGame();
        births += model::birthsThisYear;
        ASSERT_EQ(support::brokenInvariant(), "") << "after year " << year;
        if (year == measureAt) baseline = bytesInUse() - model::herdCount() * BytesPerAnimal;
    }
    const long growth = bytesInUse() - model::herdCount() * BytesPerAnimal - baseline;
    // Allowance for vectors that grew to a new largest Area since; a leak of one animal a year
    // would be megabytes.
    EXPECT_LT(growth, 64 * 1024) << "heap grew between year " << measureAt << " and " << years;
    EXPECT_GT(births, years) << "the herds should breed";
    EXPECT_GT(gamesStarted, 1) << "some herd should have died out or been restarted";
    std::printf("soaked %ld years, %ld games, heap growth %ld bytes\n", years, gamesStarted,
                growth);
    ui::freeAllPictures();
    model::herdClear();
}

} // namespace
