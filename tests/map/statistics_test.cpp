// Gene-pool score, status texts and the information text of one animal.
#include "map/info.h"
#include "map/statistics.h"
#include "model/herd.h"
#include "model/tables.h"

#include <gtest/gtest.h>

#include <array>
#include <initializer_list>

namespace {

// A herd of `n` animals per gene pair.
void herdOf(std::initializer_list<std::array<int, 3>> pairs) {
    model::herdClear();
    for (auto [n, g1, g2] : pairs) {
        for (int i = 0; i < n; ++i) {
            model::Animal& a = model::herdAppend();
            a.gene1 = g1;
            a.gene2 = g2;
        }
    }
}

// The founders' pairs: 6 x (1, 1), 1 x (1, 2), 2 x (1, 4), 1 x (2, 1), 6 x (2, 2), 1 x (4, 2),
// 2 x (4, 4).
void founders() {
    herdOf({{6, 1, 1}, {1, 1, 2}, {2, 1, 4}, {1, 2, 1}, {6, 2, 2}, {1, 4, 2}, {2, 4, 4}});
}

TEST(Statistics, StatusTextsAtStart) {
    model::loadTables();
    founders();
    model::year = 0;
    model::yearRating = 0;
    model::birthsThisYear = 0;
    model::deathsThisYear = 0;
    const auto texts = map::statusTexts();
    EXPECT_EQ(texts[0], "Jahr 0 war normal");
    EXPECT_EQ(texts[1], "Anzahl Tiere: 19");
    EXPECT_EQ(texts[2], "Geburten: 0");
    EXPECT_EQ(texts[3], "Gestorben: 0");
    EXPECT_EQ(texts[4], "Genpool: 9");

    model::year = 12;
    model::yearRating = -3;
    model::birthsThisYear = 7;
    model::deathsThisYear = 11;
    EXPECT_EQ(map::statusTexts()[0], "Jahr 12 war sehr schlecht");
    model::yearRating = 3;
    const auto later = map::statusTexts();
    EXPECT_EQ(later[0], "Jahr 12 war sehr gut");
    EXPECT_EQ(later[2], "Geburten: 7");
    EXPECT_EQ(later[3], "Gestorben: 11");
    model::yearRating = 0;
}

TEST(Statistics, FounderTableCells) {
    founders();
    EXPECT_EQ(model::herdCount(), 19);
    EXPECT_EQ(map::genePoolScore(), 9);
    const auto& t = map::GenePoolTable;
    // (count, contribution) per ordered pair: first gene, second gene.
    const int expected[3][3][2] = {
        {{6, 6}, {1, 1}, {2, 2}},  // first gene red with red, yellow, blue
        {{1, 1}, {6, 6}, {0, -5}}, // yellow
        {{0, -5}, {1, 1}, {2, 2}}, // blue
    };
    const int g[3] = {1, 2, 4};
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 3; ++j) {
            EXPECT_EQ(t[g[i]][g[j]][0], expected[i][j][0]) << g[i] << "," << g[j];
            EXPECT_EQ(t[g[i]][g[j]][1], expected[i][j][1]) << g[i] << "," << g[j];
        }
        EXPECT_EQ(t[g[i]][0][1], 0);
        EXPECT_EQ(t[0][g[i]][1], 0);
    }
}

TEST(Statistics, MissingPairsAndGenesCost) {
    model::herdClear();
    EXPECT_EQ(map::genePoolScore(), -645);
    EXPECT_EQ(map::GenePoolTable[1][0][1], -100);
    EXPECT_EQ(map::GenePoolTable[0][4][1], -100);
    EXPECT_EQ(map::GenePoolTable[4][2][1], -5);

    herdOf({{30, 1, 1}});
    EXPECT_EQ(map::genePoolScore(), 30 - 440);

    // A gene present only in the first slot is still missing from the second.
    herdOf({{3, 4, 1}});
    EXPECT_EQ(map::genePoolScore(), 3 - 8 * 5 - 2 * 100 - 2 * 100);
    EXPECT_EQ(map::GenePoolTable[0][4][1], -100);
    EXPECT_EQ(map::GenePoolTable[4][0][1], 0);

    // Gene value 0 counts in plane 0 but adds nothing; a table rebuilt from scratch each time.
    herdOf({{2, 0, 1}});
    EXPECT_EQ(map::genePoolScore(), -645);
    EXPECT_EQ(map::GenePoolTable[0][1][0], 2);
    EXPECT_EQ(map::GenePoolTable[4][1][0], 0);
}

TEST(AnimalInfo, TextLines) {
    model::Animal a;
    a.sex = 0;
    a.age = 7;
    a.area = 3;
    a.constitution = 100;
    EXPECT_EQ(map::animalInfoText(a), "Weibl.\n7 Jahre\n\nGebiet 3\nKonst 100\nKrank 0");
    a.sex = 1;
    a.age = 0;
    a.area = 16;
    a.constitution = 5;
    a.illnessLevel = 12;
    EXPECT_EQ(map::animalInfoText(a), "Männl.\n0 Jahre\n\nGebiet 16\nKonst 5\nKrank 12");
    a.sex = 2;
    a.constitution = -4;
    EXPECT_EQ(map::animalInfoText(a), "0 Jahre\n\nGebiet 16\nKonst -4\nKrank 12");
}

} // namespace
