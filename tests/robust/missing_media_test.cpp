// The game started from folders with no media, each picture missing or cut to half, and odd
// areas pictures, then played through the window's own functions: no crash, and only what the
// lost picture carries is lost. Each start runs in a child process of its own, as the game's
// start-up takes the whole process.
#include "app/main_window.h"
#include "app/startup.h"
#include "map/info.h"
#include "model/areas.h"
#include "model/herd.h"
#include "model/numbers.h"
#include "model/random.h"
#include "model/tables.h"
#include "report/report.h"
#include "tests/game/game_fixture.h"
#include "tests/robust/media_set.h"
#include "ui/picture.h"
#include "ui/qt_access.h"

#include <QImage>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <cctype>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/wait.h>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

namespace {

using media_set::areasPicture;
using media_set::MapHeight;
using media_set::MapWidth;
using AreaAt = std::function<std::int32_t(std::int32_t x, std::int32_t y)>;

struct Case {
    std::string name;
    std::string file;                     // changed in the set: a file, or "Media" for all
    std::optional<fixtures::Bytes> bytes; // its new contents; none when it is removed
    std::set<int> lost;                   // picture numbers that must stay empty
    AreaAt areaAt;                        // the Area founders and releases get at a point
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

bool lost(const Case& c, int number) {
    return c.lost.contains(number);
}

int iconOnMap(const model::Animal& a) {
    return a.sizeClass == 1 ? a.iconPicture + model::SmallIconOffset : a.iconPicture;
}

// The set's pictures whose colour `widget` shows on screen.
std::set<int> picturesShown(QWidget* widget) {
    std::map<QRgb, int> byColour;
    for (int n = 0; n < model::PictureCount; ++n) {
        const std::int32_t c = media_set::colourOf(n);
        byColour[qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF)] = n;
    }
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::set<int> found;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (auto it = byColour.find(image.pixel(x, y)); it != byColour.end())
                found.insert(it->second);
    return found;
}

// A control shows its picture, or nothing (not a stale one) when the picture is lost.
void expectControlShows(const Case& c, int control, int picture) {
    const std::set<int> expected = lost(c, picture) ? std::set<int>{} : std::set{picture};
    EXPECT_EQ(picturesShown(ui::controlWidget(control)), expected) << "control " << control;
}

// The map shows a picture only when both it and the frame (picture 2) are there.
void expectOnMap(const Case& c, int picture, const std::set<int>& shown) {
    const bool onMap = !lost(c, model::WorkMapPicture) && !lost(c, picture);
    EXPECT_EQ(shown.contains(picture), onMap) << "picture " << picture << " on the map";
}

void expectFounders(const Case& c) {
    ASSERT_EQ(model::herdCount(), model::FounderCount);
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        EXPECT_EQ(it->area, c.areaAt(it->x, it->y)) << "founder at " << it->x << "," << it->y;
}

void expectPicturesShown(const Case& c) {
    for (int n = 0; n < model::PictureCount; ++n)
        EXPECT_EQ(ui::pictureHandle(n) == nullptr, lost(c, n)) << "picture " << n;
    const std::set<int> shown = picturesShown(ui::controlWidget(model::MapPicture));
    expectOnMap(c, model::PlainMapPicture, shown);
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        expectOnMap(c, iconOnMap(*it), shown);
    for (auto [mode, picture] : {std::pair{model::Rifle, model::RiflePicture},
                                 {model::Basket, model::BasketPicture},
                                 {model::Keeping, model::KeepingPicture}}) {
        app::chooseMode(mode);
        expectControlShows(c, model::ModeIndicator, picture);
    }
    expectControlShows(c, model::RifleButton, model::RiflePicture);
    expectControlShows(c, model::BasketButton, model::BasketPicture);
    auto* toggle = qobject_cast<QToolButton*>(
        ui::toolItemWidget(model::MainToolBar, model::AreaBordersToggle));
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->icon().isNull(), lost(c, model::BordersToolPicture));
}

// Right click shows, the basket takes up anywhere but releases only where the areas picture has
// an Area, the rifle shoots; an animal without its icon answers every click as any other.
void expectClicksWork(const Case& c) {
    model::Animal* a = nullptr;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        if (model::hitTest(it->x, it->y) == &*it && (!a || lost(c, iconOnMap(*it)))) a = &*it;
    ASSERT_NE(a, nullptr);
    app::rightClickAt(a->x, a->y);
    EXPECT_EQ(ui::controlText(model::AnimalInfoBox), map::animalInfoText(*a));

    app::chooseMode(model::Basket);
    const std::pair<std::int32_t, std::int32_t> targets[] = {
        {-5, 10},     {media_set::LakeX, media_set::LakeY},
        {1000, 700},  {0, 0},
        {INT_MAX, 3}, {INT_MIN, INT_MIN},
        {675, 100}};
    for (auto [x, y] : targets) {
        a = model::hitTest(a->x, a->y); // the one a click there takes up
        app::leftClickAt(a->x, a->y);
        ASSERT_EQ(model::CarriedAnimal, a);
        app::leftClickAt(x, y);
        const bool released = model::isArea(c.areaAt(x, y));
        EXPECT_EQ(model::CarriedAnimal, released ? nullptr : a) << "at " << x << "," << y;
        if (released) {
            EXPECT_EQ(std::pair(a->x, a->area), std::pair(x, c.areaAt(x, y)));
        }
        app::chooseMode(model::Keeping); // puts one still carried back where it was
        app::chooseMode(model::Basket);
    }
    app::chooseMode(model::Rifle);
    const int before = model::herdCount();
    app::leftClickAt(a->x, a->y);
    EXPECT_EQ(model::herdCount(), before - 1);
    EXPECT_FALSE(model::herdContains(a));
    app::chooseMode(model::Keeping);
}

// Without the areas picture a year only counts; otherwise it runs (and this herd survives it).
void expectYears(const Case& c) {
    for (int i = 0; i < 3; ++i) {
        const std::vector<model::Animal> before(model::herdBegin(), model::herdEnd());
        const std::int32_t year = model::year, rating = model::yearRating;
        app::runYear();
        EXPECT_EQ(model::year, year + 1);
        if (!lost(c, model::AreasPicture)) continue;
        const std::vector<model::Animal> after(model::herdBegin(), model::herdEnd());
        ASSERT_EQ(after.size(), before.size());
        EXPECT_EQ(std::memcmp(after.data(), before.data(), after.size() * sizeof(model::Animal)),
                  0);
        EXPECT_EQ(model::yearRating, rating);
        EXPECT_EQ(model::birthsThisYear + model::deathsThisYear, 0);
    }
}

// A new game, borders on and off, the report (its rows show the small icons) opened and closed.
void expectToolBar(const Case& c) {
    game_test::clickToolItem(model::NewGameButton);
    expectFounders(c);
    game_test::clickToolItem(model::AreaBordersToggle);
    expectOnMap(c, model::BorderMapPicture, picturesShown(ui::controlWidget(model::MapPicture)));
    game_test::clickToolItem(model::AreaBordersToggle);
    int rows = -1;
    game_test::whileOpen([] { game_test::clickToolItem(model::ReportButton); },
                         [&] {
                             rows = ui::listRowCount(model::HerdListView);
                             game_test::requestClose(model::ReportWindow);
                         });
    EXPECT_EQ(rows, model::herdCount());
}

// Starts the game in `folder`, plays it and closes it again; it takes the whole process.
void play(const std::filesystem::path& folder, const Case& c) {
    ASSERT_EQ(chdir(folder.c_str()), 0);
    model::seedRandom(99);
    app::startUp();
    ASSERT_TRUE(app::buildMainWindow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(model::MainWindow)));
    game_test::pump();
    expectFounders(c);
    expectPicturesShown(c);
    expectClicksWork(c);
    expectYears(c);
    expectToolBar(c);
    app::shutDown();
}

// `area` where a picture of `width` x `height` has a point; -1, no Area, beyond it.
AreaAt within(int width, int height, const AreaAt& area) {
    return [=](std::int32_t x, std::int32_t y) {
        return x >= 0 && y >= 0 && x < width && y < height ? area(x, y) : -1;
    };
}

// `file` removed or replaced by `bytes` that cannot be read: its pictures are lost, and without
// the areas picture every point is in Area 0.
Case losing(std::string name, const std::string& file, std::optional<fixtures::Bytes> bytes) {
    Case c{
        std::move(name), file, std::move(bytes), {}, [](std::int32_t, std::int32_t) { return 0; }};
    for (int n = 0; n < model::PictureCount; ++n)
        if (std::string(model::PictureFiles[n]).starts_with(file)) c.lost.insert(n);
    if (!lost(c, model::AreasPicture)) c.areaAt = within(MapWidth, MapHeight, media_set::areaOf);
    return c;
}

// Areas pictures that replace the set's own: the same, one pixel of Area 5, and one that
// reaches past the map with Area 16.
Case areas(std::string name, int width, int height, const AreaAt& area) {
    const std::string file = model::PictureFiles[model::AreasPicture];
    return {
        std::move(name), file, areasPicture(width, height, area), {}, within(width, height, area)};
}

std::vector<Case> cases() {
    std::vector<Case> all = {
        areas("FullSet", MapWidth, MapHeight, media_set::areaOf),
        areas("AreasOfOnePixel", 1, 1, [](std::int32_t, std::int32_t) { return 5; }),
        areas("AreasLargerThanTheMap", 1200, 900,
              [](std::int32_t x, std::int32_t y) {
                  const bool map = x < MapWidth && y < MapHeight;
                  return map ? media_set::areaOf(x, y) : 16;
              }),
        losing("NoMediaFolder", "Media", {}),
    };
    for (const auto& [file, bytes] : media_set::files()) {
        std::string name;
        for (char ch : file.substr(file.find('/') + 1))
            if (std::isalnum(static_cast<unsigned char>(ch))) name += ch;
        all.push_back(losing(name + "Missing", file, {}));
        const fixtures::Bytes half(bytes.begin(), bytes.begin() + long(bytes.size() / 2));
        all.push_back(losing(name + "CutToHalf", file, half));
    }
    return all;
}

class MissingMedia : public ::testing::TestWithParam<Case> {};

TEST_P(MissingMedia, OnlyWhatTheLostPictureCarriesIsLost) {
    const Case& c = GetParam();
    fixtures::TempFolder folder;
    media_set::writeAll(folder.path);
    std::filesystem::remove_all(folder.path / c.file);
    if (c.bytes) folder.write(c.file, *c.bytes);

    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_NE(child, -1);
    if (child == 0) {
        alarm(300); // a window nobody closes ends the child, not the test run
        play(folder.path, c);
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

INSTANTIATE_TEST_SUITE_P(Media, MissingMedia, ::testing::ValuesIn(cases()),
                         [](const auto& info) { return info.param.name; });

} // namespace
