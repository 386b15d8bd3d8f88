// The page "Verlauf" taken out of the game: its figures as a table, its charts as a picture.
#pragma once

#include <string>

namespace report {

// The size of the saved picture, whatever the window shows: large enough to print.
constexpr int PictureWidth = 1000;
constexpr int PictureHeight = 1100;

// map::History as CSV (UTF-8, commas, line feeds): a header line naming the columns, then one
// row per year kept, oldest first: Jahr, Tiere, Geburten, Gestorben, Gestorben (Alter),
// Gestorben (Schwäche), Geschossen, Umgesetzt, Genpool-Wert and the nine gene pairs
// Rot/Rot .. Blau/Blau (first gene/second gene).
std::string historyTable();

// Writes the table, or the charts as SVG when `path` ends in ".svg" (any case) and as PNG
// otherwise, through to the file's target. False with the path and the reason in `error`.
bool writeHistoryTable(const std::string& path, std::string& error);
bool writeHistoryPicture(const std::string& path, std::string& error);

// The buttons' actions: the file dialog, then the writing; a failure shows a message box.
void saveHistoryTable();
void saveHistoryPicture();

} // namespace report
