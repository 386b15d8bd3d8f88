// Playing the game from a prepared media folder: start-up, clicks, years, secondary windows.
#include "tests/robust/media_scenario.h"

#include "app/help.h"
#include "app/main_window.h"
#include "app/startup.h"
#include "map/info.h"
#include "map/main_controls.h"
#include "model/herd.h"
#include "model/random.h"
#include "model/tables.h"
#include "report/report.h"
#include "tests/game/game_fixture.h"
#include "tests/robust/media_set.h"
#include "ui/picture.h"
#include "ui/qt_access.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMessageBox>
#include <QTest>
#include <QToolButton>
#include <QWidget>

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <map>
#include <unistd.h>
#include <vector>

namespace media_scenario {

namespace {

bool isEmpty(const Scenario& s, int number) {
    return s.empty.contains(number);
}

int iconOnMap(const model::Animal& a) {
    return a.sizeClass == 1 ? a.iconPicture + model::SmallIconOffset : a.iconPicture;
}

// Which of the set's picture colours the shown frame (picture 2) contains.
std::set<int> picturesInFrame() {
    std::set<int> found;
    if (!ui::openDrawing(model::WorkMapPicture)) return found;
    std::map<std::int32_t, int> byColour;
    for (int n = 0; n < model::PictureCount; ++n)
        byColour[media_set::colourOf(n)] = n;
    for (int y = 0; y < media_set::MapHeight; ++y)
        for (int x = 0; x < media_set::MapWidth; ++x)
            if (auto it = byColour.find(ui::readPixel(x, y)); it != byColour.end())
                found.insert(it->second);
    ui::closeDrawing();
    return found;
}

bool widgetShowsColour(QWidget* widget, std::int32_t bbggrr) {
    const QImage image = widget->grab().toImage();
    const QRgb want = qRgb(bbggrr & 0xFF, (bbggrr >> 8) & 0xFF, (bbggrr >> 16) & 0xFF);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) == (want & 0xFFFFFF)) return true;
    return false;
}

bool labelEmpty(int control) {
    auto* label = qobject_cast<QLabel*>(ui::controlWidget(control));
    return label == nullptr || label->pixmap().isNull();
}

void expectPicturesLoaded(const Scenario& s) {
    for (int n = 0; n < model::PictureCount; ++n)
        EXPECT_EQ(ui::pictureHandle(n) == nullptr, isEmpty(s, n)) << "picture " << n;
}

void expectFounders(const Scenario& s) {
    ASSERT_EQ(model::herdCount(), model::FounderCount);
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it)
        EXPECT_EQ(it->area, s.areaAt(it->x, it->y)) << "founder at " << it->x << "," << it->y;
}

// The map, the animals on it, the mode pictures and the tool bar's borders picture.
void expectPicturesShown(const Scenario& s) {
    EXPECT_EQ(labelEmpty(map::MapPicture), isEmpty(s, model::WorkMapPicture));
    if (!isEmpty(s, model::WorkMapPicture)) {
        const std::set<int> shown = picturesInFrame();
        EXPECT_EQ(shown.contains(model::PlainMapPicture), !isEmpty(s, model::PlainMapPicture));
        for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
            const int icon = iconOnMap(*it);
            EXPECT_EQ(shown.contains(icon), !isEmpty(s, icon)) << "icon " << icon;
        }
    }
    const std::pair<int, int> modes[] = {{app::Rifle, model::RiflePicture},
                                         {app::Basket, model::BasketPicture},
                                         {app::Keeping, model::KeepingPicture}};
    for (auto [mode, picture] : modes) {
        app::chooseMode(app::Mode(mode));
        EXPECT_EQ(labelEmpty(map::ModeIndicator), isEmpty(s, picture)) << "mode " << mode;
    }
    for (auto [control, picture] : {std::pair{map::RifleButton, model::RiflePicture},
                                    {map::BasketButton, model::BasketPicture}})
        EXPECT_EQ(widgetShowsColour(ui::controlWidget(control), media_set::colourOf(picture)),
                  !isEmpty(s, picture))
            << "button " << control;
    auto* toggle =
        qobject_cast<QToolButton*>(ui::toolItemWidget(map::MainToolBar, map::AreaBordersToggle));
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->icon().isNull(), isEmpty(s, model::BordersToolPicture));
}

// An animal that a click at its own position finds, preferring one whose icon is missing.
model::Animal* clickableAnimal(const Scenario& s) {
    model::Animal* found = nullptr;
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        if (app::hitTest(it->x, it->y) != &*it) continue;
        if (!found || isEmpty(s, iconOnMap(*it))) found = &*it;
    }
    return found;
}

// Right click shows, basket takes up and releases where the areas picture allows, rifle shoots;
// an animal without a picture answers every click as any other.
void expectClicksWork(const Scenario& s) {
    model::Animal* a = clickableAnimal(s);
    ASSERT_NE(a, nullptr);
    app::rightClickAt(a->x, a->y);
    EXPECT_EQ(ui::controlText(map::AnimalInfoBox), map::animalInfoText(*a));

    app::chooseMode(app::Basket);
    const std::pair<std::int32_t, std::int32_t> targets[] = {
        {-5, 10},     {media_set::LakeX, media_set::LakeY},
        {1000, 700},  {0, 0},
        {INT_MAX, 3}, {INT_MIN, INT_MIN},
        {337, 560},   {675, 100},
    };
    for (auto [x, y] : targets) {
        model::Animal* taken = app::hitTest(a->x, a->y);
        ASSERT_NE(taken, nullptr);
        app::leftClickAt(a->x, a->y);
        ASSERT_EQ(model::CarriedAnimal, taken);
        app::leftClickAt(x, y);
        const std::int32_t area = s.areaAt(x, y);
        if (model::isArea(area)) {
            EXPECT_EQ(model::CarriedAnimal, nullptr) << x << "," << y;
            EXPECT_EQ(taken->area, area);
            EXPECT_EQ(taken->x, x);
            a = taken;
        } else {
            EXPECT_EQ(model::CarriedAnimal, taken) << "released at " << x << "," << y;
            app::chooseMode(app::Keeping); // puts it back where it was
            app::chooseMode(app::Basket);
        }
    }
    app::chooseMode(app::Rifle);
    const int before = model::herdCount();
    app::leftClickAt(a->x, a->y);
    EXPECT_EQ(model::herdCount(), before - 1);
    EXPECT_FALSE(model::herdContains(a));
    app::chooseMode(app::Keeping);
}

// Without the areas picture a year only counts; otherwise it runs (and this herd survives it).
void expectYears(const Scenario& s) {
    for (int i = 0; i < 3; ++i) {
        const std::vector<model::Animal> before(model::herdBegin(), model::herdEnd());
        const std::int32_t year = model::year;
        const std::int32_t rating = model::yearRating;
        app::runYear();
        EXPECT_EQ(model::year, year + 1);
        if (!isEmpty(s, model::AreasPicture)) continue;
        const std::vector<model::Animal> after(model::herdBegin(), model::herdEnd());
        ASSERT_EQ(after.size(), before.size());
        for (std::size_t k = 0; k < after.size(); ++k)
            EXPECT_EQ(std::memcmp(&after[k], &before[k], sizeof(model::Animal)), 0) << k;
        EXPECT_EQ(model::yearRating, rating);
        EXPECT_EQ(model::birthsThisYear, 0);
        EXPECT_EQ(model::deathsThisYear, 0);
    }
    EXPECT_EQ(labelEmpty(map::MapPicture), isEmpty(s, model::WorkMapPicture));
}

// The tool bar: a new game, borders on and off, the report and the help window opened and
// closed.
void expectToolBar(const Scenario& s) {
    game_test::clickToolItem(map::NewGameButton);
    expectFounders(s);
    game_test::clickToolItem(map::AreaBordersToggle);
    if (!isEmpty(s, model::WorkMapPicture)) {
        EXPECT_EQ(picturesInFrame().contains(model::BorderMapPicture),
                  !isEmpty(s, model::BorderMapPicture));
    }
    game_test::clickToolItem(map::AreaBordersToggle);
    int rows = -1;
    game_test::whileOpen([] { game_test::clickToolItem(map::ReportButton); },
                         [&] {
                             rows = ui::listRowCount(report::HerdListView);
                             game_test::requestClose(report::ReportWindow);
                         });
    EXPECT_EQ(rows, model::herdCount());
    bool helpOpen = false;
    game_test::whileOpen([] { game_test::clickToolItem(map::HelpButton); },
                         [&] {
                             helpOpen = ui::windowExists(app::HelpWindow);
                             game_test::requestClose(app::HelpWindow);
                         });
    EXPECT_TRUE(helpOpen);
}

// Every animal shot, then a year: the end-of-herd message, closed, and a new game.
void expectEndOfHerd(const Scenario& s) {
    app::chooseMode(app::Rifle);
    for (int shots = 0; !model::herdEmpty() && shots < 1000; ++shots)
        app::leftClickAt(model::herdBegin()->x, model::herdBegin()->y);
    ASSERT_TRUE(model::herdEmpty());
    bool boxSeen = false;
    game_test::whileOpen([] { app::runYear(); },
                         [&] {
                             auto* box =
                                 qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                             boxSeen = box != nullptr;
                             if (box) box->accept();
                         });
    EXPECT_TRUE(boxSeen);
    EXPECT_EQ(model::year, 0);
    expectFounders(s);
    app::chooseMode(app::Keeping);
}

} // namespace

void play(const std::filesystem::path& folder, const Scenario& scenario) {
    ASSERT_EQ(chdir(folder.c_str()), 0);
    model::seedRandom(99);
    app::startUp();
    expectPicturesLoaded(scenario);
    ASSERT_TRUE(app::buildMainWindow());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ui::windowWidget(map::MainWindow)));
    game_test::pump();

    expectFounders(scenario);
    expectPicturesShown(scenario);
    expectClicksWork(scenario);
    expectYears(scenario);
    expectToolBar(scenario);
    expectEndOfHerd(scenario);
    app::shutDown();
}

} // namespace media_scenario
