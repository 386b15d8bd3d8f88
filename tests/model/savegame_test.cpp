// Saved games: written and read back to the same bytes, continued with the same draws, and every
// kind of broken file refused with a message naming its line, the model left as it was.
#include "model/game.h"
#include "model/herd.h"
#include "model/player.h"
#include "model/savegame.h"
#include "tests/support/support.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

namespace {

using namespace model;

std::vector<YearFigures> history;

// A seeded game on two Areas, played `years` years with a history point per year; a herd that
// dies out is followed by a new game, as in the window.
void play(int years) {
    for (int y = 0; y < years; ++y) {
        yearStep();
        history.push_back(takeFigures());
        if (herdEmpty()) {
            newGame();
            history = {takeFigures()};
        }
    }
}

class SavedGames : public ::testing::Test {
  protected:
    void SetUp() override {
        support::makeAreas(900, 640, 1);
        support::paintAreas(450, 0, 899, 639, 2);
        resetModel();
        seedRandom(4);
        newGame();
        history = {takeFigures()};
    }
    static std::string saved() { return writeSavedGame(captureGame(history, 1)); }
    // Reads `text` into the model as the game's open does: only a file read whole.
    static bool open(const std::string& text, std::string& error) {
        SavedGame g;
        if (!readSavedGame(text, g, error)) return false;
        restoreGame(g);
        history = g.history;
        return true;
    }
};

TEST_F(SavedGames, RoundTripGivesTheSameBytesAndTheSameFuture) {
    for (int years : {0, 1, 99}) {
        play(years);
        for (Mode mode : {Keeping, Rifle, Basket}) {
            setInterventionMode(mode);
            if (mode == Basket) leftClick(herdBegin()->x, herdBegin()->y); // one in the basket
            const std::string text = saved();
            std::string error;
            ASSERT_TRUE(open(text, error)) << error;
            EXPECT_EQ(saved(), text) << years << " years, mode " << mode;
            EXPECT_EQ(CarriedAnimal != nullptr, mode == Basket);
        }
    }
    // Continuing from the file draws what continuing without it draws.
    const std::string text = saved();
    play(30);
    const std::string onwards = saved();
    std::string error;
    ASSERT_TRUE(open(text, error)) << error;
    play(30);
    EXPECT_EQ(saved(), onwards);
}

// Each broken file gives one message naming the line; the game that was running goes on as
// it was.
TEST_F(SavedGames, BrokenFilesAreRefusedWholeWithTheLineNamed) {
    play(12);
    setInterventionMode(Basket);
    leftClick(herdBegin()->x, herdBegin()->y);
    const std::string good = saved();
    const auto lineStart = [&](const std::string& key) { return good.find("\n" + key) + 1; };
    const auto replaced = [&](const std::string& key, const std::string& line) {
        const std::size_t at = lineStart(key);
        return good.substr(0, at) + line + good.substr(good.find('\n', at));
    };
    const std::pair<std::string, std::string> cases[] = {
        {"", "Zeile 1: keine Spielstand-Datei"},
        {replaced("selvo", "selvo-mornik-spielstand 2"), "Zeile 1: Version 2"},
        {replaced("year", "yaer 12"), "Zeile 3: unbekannter Eintrag „yaer“"},
        {replaced("rating", "year 12"), "Zeile 4: „year“ steht doppelt"},
        {replaced("rating", "rating 4"), "Zeile 4: „4“ liegt nicht zwischen -3 und 3"},
        {replaced("births", "births 123456789012"), "Zeile 5: die Zahl „123456789012“ ist zu lang"},
        {replaced("births", "births 1x"), "Zeile 5: „1x“ ist keine ganze Zahl"},
        {replaced("deaths ", "deaths 1 2"), "Zeile 6: „deaths“ braucht 1 Zahl, nicht 2"},
        {replaced("mode", "mode 0"), "ein Tier im Korb gibt es nur im Modus Korb"},
        {replaced("basket", "basket 4000"), "ein Tier im Korb gibt es nur"},
        {replaced("random", "random 17 1"), "„random“ braucht 35 Zahlen"},
        {replaced("areas", "areas 0123456789abcdef"), "einer anderen Gebietskarte"},
        {replaced("history-stride", "history-stride 3"), "Zweierpotenz"},
        {replaced("point 1 ", good.substr(lineStart("point 0 "),
                                          good.find("\npoint 1 ") - lineStart("point 0 "))),
         "nicht aufsteigend"},
        {replaced("animals", "animals 100001"), "liegt nicht zwischen 0 und 100000"},
        {replaced("point", "animal 1 1 5 0 50 50 2 1 9 50 0 0"), "ein Punkt des Verlaufs (point)"},
        {replaced("animal ", "animal 3 1 5 0 50 50 2 1 9 50 0 0"), "Gene müssen"},
        {replaced("animal ", "animal 1 1 6 0 50 50 2 1 9 50 0 0"), "Bild passt nicht"},
        {replaced("animal ", "animal 1 1 5 2 50 50 2 1 9 50 0 0"), "Geschlecht"},
        {replaced("animal ", "animal 1 1 5 0 50 50 2 1 24 50 0 0"), "Alter"},
        {replaced("animal ", "animal 1 1 5 0 50 50 1 1 9 50 0 0"), "Größe"},
        {replaced("animal ", "animal 1 1 5 0 50 50 2 0 9 50 0 0"), "Gebiet 0 passt nicht"},
        {replaced("animal ", "animal 1 1 5 0 50 50 2 1 9 101 0 0"), "Konstitution"},
        {replaced("animal ", "animal 1 1 5 0 50 50 2 1 9 50 2 0"), "Krankheit"},
        {good + "\n", "nach „end“"},
    };
    const std::string before = saved();
    for (const auto& [text, message] : cases) {
        std::string error;
        EXPECT_FALSE(open(text, error)) << message;
        EXPECT_NE(error.find(message), std::string::npos) << error;
        EXPECT_EQ(error.rfind("Zeile ", 0), 0u) << error;
    }
    // Cut anywhere, at a line's end or within a line.
    for (std::size_t cut = 0; cut + 1 < good.size(); cut += good.size() / 97 + 1) {
        std::string error;
        EXPECT_FALSE(open(good.substr(0, cut), error)) << cut;
    }
    EXPECT_EQ(saved(), before);
}

// Refused: a huge file by its size without being read, a missing one and an empty one.
TEST(SavedGameFiles, AHugeOrMissingFileIsRefusedAtOnce) {
    support::TempFolder folder;
    const std::string path = folder.write("huge.selvo", {});
    std::filesystem::resize_file(path, std::uintmax_t(1) << 30); // sparse: costs no disk
    SavedGame g;
    std::string error;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_FALSE(loadSavedGame(path, g, error));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
    EXPECT_NE(error.find("1024 MB zu groß"), std::string::npos) << error;
    EXPECT_FALSE(loadSavedGame(path + ".none", g, error));
    EXPECT_NE(error.find("kann nicht gelesen werden"), std::string::npos) << error;
    EXPECT_FALSE(loadSavedGame(folder.write("empty.selvo", {}), g, error));
    EXPECT_EQ(error, "Zeile 1: keine Spielstand-Datei von Selvo mornik");
}

} // namespace
