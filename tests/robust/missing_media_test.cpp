// The game started from a copy of Media/ with no folder at all or with each file missing, then
// played through the window's own functions: no crash, and only what the lost picture carries
// is lost. Each start runs in a child process of its own, as the game's start-up
// takes the whole process. (A file cut to half is refused like a missing one: see the media
// test.)
#include "app/main_window.h"
#include "app/startup.h"
#include "map/info.h"
#include "model/areas.h"
#include "model/herd.h"
#include "app/numbers.h"
#include "model/random.h"
#include "model/tables.h"
#include "tests/support/game.h"
#include "tests/support/support.h"
#include "ui/picture.h"
#include "ui/qt_access.h"

#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

using namespace model;
using namespace map;
using namespace report;
using namespace app;

// What a copy of Media/ lacks ("Media/none": nothing, "Media": all), the pictures it loses, and
// the Area the game then finds at a point: from the committed areas picture, or 0 without it.
struct Case {
    std::string file;
    std::set<int> lost;
    std::int32_t areaAt(std::int32_t x, std::int32_t y) const {
        if (lost.contains(AreasPicture)) return 0;
        if (x < 0 || y < 0 || x >= MapWidth || y >= MapHeight) return -1;
        return committedAreas()[std::size_t(y) * MapWidth + std::size_t(x)];
    }
    // Read once, in the project folder, before any game starts.
    static const std::vector<std::int32_t>& committedAreas() {
        static const std::vector<std::int32_t> values = [] {
            const std::vector<std::uint8_t> bytes = support::fileData(PictureFiles[AreasPicture]);
            ui::Picture p;
            ui::decodePicture(bytes.data(), bytes.size(), p);
            return ui::pixelValues(p);
        }();
        return values;
    }
};

void expectFounders(const Case& c) {
    ASSERT_EQ(herdCount(), FounderCount);
    for (auto it = herdBegin(); it != herdEnd(); ++it)
        EXPECT_EQ(it->area, c.areaAt(it->x, it->y)) << "founder at " << it->x << "," << it->y;
}

// Every picture loads unless lost; a control shows its picture or none (never a stale one); a
// picture control takes its picture's size and keeps its box without one.
void expectPicturesShown(const Case& c) {
    auto shown = [&c](int picture) { return c.lost.contains(picture) ? ui::NoPicture : picture; };
    for (int n = 0; n < PictureCount; ++n)
        EXPECT_EQ(ui::pictureHandle(n) == nullptr, c.lost.contains(n)) << "picture " << n;
    EXPECT_EQ(ui::controlWidget(ModeIndicator)->size(),
              c.lost.contains(KeepingPicture) ? QSize(80, 25) : QSize(72, 23));
    EXPECT_EQ(ui::controlPicture(MapPicture), shown(WorkMapPicture));
    for (auto [mode, picture] :
         {std::pair{Rifle, RiflePicture}, {Basket, BasketPicture}, {Keeping, KeepingPicture}}) {
        app::chooseMode(mode);
        EXPECT_EQ(ui::controlPicture(ModeIndicator), shown(picture)) << "mode " << mode;
    }
    EXPECT_EQ(ui::controlPicture(RifleButton), shown(RiflePicture));
    EXPECT_EQ(ui::controlPicture(BasketButton), shown(BasketPicture));
    auto* toggle = qobject_cast<QToolButton*>(ui::toolItemWidget(MainToolBar, AreaBordersToggle));
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->icon().isNull(), c.lost.contains(BordersToolPicture));
}

// Right click shows, the basket takes up and releases onto an Area (where the release lands is
// the golden session's and the player test's), the rifle shoots, years run (or only count
// without the areas picture), the tool bar starts a new game and opens the report.
void expectPlay(const Case& c) {
    Animal* a = &*herdBegin();
    app::rightClickAt(a->x, a->y);
    EXPECT_EQ(ui::controlText(AnimalInfoBox), map::animalInfoText(*a));
    app::chooseMode(Basket);
    a = hitTest(a->x, a->y); // the one a click there takes up
    app::leftClickAt(a->x, a->y);
    app::leftClickAt(675, 100);
    EXPECT_EQ(CarriedAnimal, isArea(c.areaAt(675, 100)) ? nullptr : a);
    app::chooseMode(Rifle); // puts one still carried back where it was
    app::leftClickAt(a->x, a->y);
    EXPECT_FALSE(herdContains(a));
    app::chooseMode(Keeping);
    for (int i = 0; i < 3; ++i) {
        const std::vector<Animal> before(herdBegin(), herdEnd());
        const std::int32_t year0 = year, rating = yearRating;
        app::runYear();
        EXPECT_EQ(std::pair(year, support::brokenInvariant()), std::pair(year0 + 1, std::string()));
        if (!c.lost.contains(AreasPicture)) continue;
        const std::vector<Animal> after(herdBegin(), herdEnd());
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(std::memcmp(after.data(), before.data(), after.size() * sizeof(Animal)), 0);
        EXPECT_EQ(std::tuple(yearRating, birthsThisYear, deathsThisYear), std::tuple(rating, 0, 0));
    }
    support::clickToolItem(NewGameButton);
    expectFounders(c);
    int rows = -1;
    support::whileOpen([] { support::clickToolItem(ReportButton); },
                       [&] {
                           rows = ui::listRowCount(HerdListView);
                           support::requestClose(ReportWindow);
                       });
    EXPECT_EQ(rows, herdCount());
}

class MissingMedia : public ::testing::TestWithParam<std::string> {};

TEST_P(MissingMedia, OnlyWhatTheLostPictureCarriesIsLost) {
    Case c{GetParam(), {}};
    for (int n = 0; n < PictureCount; ++n)
        if (std::string(PictureFiles[n]).starts_with(c.file)) c.lost.insert(n);
    ASSERT_EQ(Case::committedAreas().size(), std::size_t(MapWidth) * MapHeight);
    support::TempFolder folder;
    std::filesystem::copy("Media", folder.path / "Media");
    std::filesystem::remove_all(folder.path / c.file);

    support::useOffscreenScreen();
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        alarm(300); // a window nobody closes ends the child, not the test run
        ASSERT_EQ(chdir(folder.path.c_str()), 0);
        support::startGame();
        seedRandom(99);
        expectFounders(c);
        expectPicturesShown(c);
        expectPlay(c);
        app::shutDown();
        std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
        __lsan_do_leak_check(); // exits with an error when the game leaked
#endif
        // Not exit(): the parent's screen set-up, removed by a static destructor, must outlive
        // this child.
        _exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status)) << "the game died of signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << "the game broke a rule (see the messages above)";
}

// Every file once; the plain map's file serves pictures 0 and 2.
std::vector<std::string> files() {
    std::vector<std::string> all = {"Media/none", "Media"};
    for (int n = 0; n < PictureCount; ++n)
        if (n != WorkMapPicture) all.push_back(PictureFiles[n]);
    return all;
}

INSTANTIATE_TEST_SUITE_P(Media, MissingMedia, ::testing::ValuesIn(files()), [](const auto& info) {
    std::string name = "Without";
    for (char ch : info.param.substr(std::min<std::size_t>(info.param.size(), 6)))
        if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
    return info.param == "Media" ? "NoMediaFolder" : name == "Withoutnone" ? "FullSet" : name;
});

} // namespace
