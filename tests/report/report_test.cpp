// The herd report's contents: one list row per animal of the Herd sorted by Area, with its small
// icon and its genes' colours, and the gene-pool grid for a herd, the founders and no herd.
#include "map/numbers.h"
#include "model/game.h"
#include "model/herd.h"
#include "report/numbers.h"
#include "report/report.h"
#include "tests/support/game.h"
#include "ui/window.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using namespace model;

// Opens the report on the Herd as it stands and returns its list and its grid as text.
std::pair<std::string, std::string> reportLists() {
    std::pair<std::string, std::string> lists;
    support::whileOpen(report::showHerdReport, [&] {
        lists = {support::listText(report::HerdListView), support::listText(report::GenePoolGrid)};
        support::requestClose(map::ReportWindow);
    });
    return lists;
}

// Line by line, so that a failure names the line that differs.
void expectLines(const std::string& got, const std::string& want) {
    std::istringstream g(got), w(want);
    std::string gl, wl;
    for (int line = 1; std::getline(w, wl); ++line) {
        ASSERT_TRUE(std::getline(g, gl)) << "line " << line << " missing: " << wl;
        EXPECT_EQ(gl, wl) << "line " << line;
    }
    EXPECT_FALSE(std::getline(g, gl)) << "extra line: " << gl;
}

// The list and the grid one after the other.
std::string both(const std::pair<std::string, std::string>& lists) {
    return lists.first + lists.second;
}

class Report : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { support::startGame(); }
};

TEST_F(Report, ListRowsShowEachAnimalSortedByArea) {
    herdClear();
    // Area, sex, age, constitution, illness, genes; Area 7 twice, kept in Herd order.
    for (auto [area, sex, age, con, ill, g1, g2] : {std::array{7, 0, 12, 100, 4, 4, 2},
                                                    {2, 1, 3, 55, 0, 1, 1},
                                                    {7, 1, 0, 9, 1, 2, 4},
                                                    {0, 0, 5, 70, 0, 4, 4}}) {
        Animal& a = herdAppend();
        std::tie(a.area, a.sex, a.age, a.constitution, a.illness, a.gene1, a.gene2) =
            std::tie(area, sex, age, con, ill, g1, g2);
        a.iconPicture = iconForGenes(g1, g2);
    }
    // Small icons: blue 10, red 11, green 13; colours red 0000ff, yellow 00ffff, blue ff0000.
    expectLines(
        both(reportLists()),
        both({"  columns: Selvo/30 Gebiet/50 Alter/50 Geschlecht/90 Gen 1/50 Gen 2/50 Gesund/50"
              " Krank/60\n"
              "  row 0 picture 10: [] [0] [5] [weiblich] [ #ff0000] [ #ff0000] [70] [0]\n"
              "  row 1 picture 11: [] [2] [3] [männlich] [ #0000ff] [ #0000ff] [55] [0]\n"
              "  row 2 picture 13: [] [7] [12] [weiblich] [ #ff0000] [ #00ffff] [100] [4]\n"
              "  row 3 picture 13: [] [7] [0] [männlich] [ #00ffff] [ #ff0000] [9] [1]\n",
              "  columns: Rot/80 Gelb/80 Blau/80 Kein Gen/80\n"
              "  row 0 picture -1: [1   (1)] [0   (-5)] [0   (-5)] [   (0)]\n"
              "  row 1 picture -1: [0   (-5)] [0   (-5)] [1   (1)] [   (0)]\n"
              "  row 2 picture -1: [0   (-5)] [1   (1)] [1   (1)] [   (0)]\n"
              "  row 3 picture -1: [] [] [] []\n"
              "  row 4 picture -1: [   (0)] [   (0)] [   (0)] []\n"}));
}

// Rows: second gene red, yellow, blue, a spacer, "Kein Gen"; columns: first gene, "Kein Gen".
TEST_F(Report, GridOfTheFoundersAndOfNoHerd) {
    newGame();
    expectLines(reportLists().second, "  columns: Rot/80 Gelb/80 Blau/80 Kein Gen/80\n"
                                    "  row 0 picture -1: [6   (6)] [1   (1)] [0   (-5)] [   (0)]\n"
                                    "  row 1 picture -1: [1   (1)] [6   (6)] [1   (1)] [   (0)]\n"
                                    "  row 2 picture -1: [2   (2)] [0   (-5)] [2   (2)] [   (0)]\n"
                                    "  row 3 picture -1: [] [] [] []\n"
                                    "  row 4 picture -1: [   (0)] [   (0)] [   (0)] []\n");
    herdClear();
    const std::string noPair = "[0   (-5)] [0   (-5)] [0   (-5)] [   (-100)]\n";
    expectLines(
        both(reportLists()),
        both({"  columns: Selvo/30 Gebiet/50 Alter/50 Geschlecht/90 Gen 1/50 Gen 2/50 Gesund/50"
              " Krank/60\n",
              "  columns: Rot/80 Gelb/80 Blau/80 Kein Gen/80\n  row 0 picture -1: " + noPair +
                  "  row 1 picture -1: " + noPair + "  row 2 picture -1: " + noPair +
                  "  row 3 picture -1: [] [] [] []\n"
                  "  row 4 picture -1: [   (-100)] [   (-100)] [   (-100)] []\n"}));
}

} // namespace
