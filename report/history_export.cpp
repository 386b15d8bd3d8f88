// Saving the page "Verlauf" as a table or a picture.
#include "report/history_export.h"

#include "map/history.h"
#include "report/history_charts.h"
#include "ui/chart.h"
#include "ui/save_file.h"
#include "ui/window.h"


namespace report {

namespace {

void tellFailure(const std::string& error) {
    ui::messageBox("Verlauf speichern", "Speichern fehlgeschlagen: " + error);
}

} // namespace

std::string historyTable() {
    std::string text = "Jahr,Tiere,Geburten,Gestorben,Gestorben (Alter),Gestorben (Schwäche),"
                       "Geschossen,Umgesetzt,Genpool-Wert";
    // Appended in two steps: g++ 12 at -O3 takes `"," + string` for an overlapping copy.
    for (int k = 0; k < 9; ++k)
        text.append(",").append(pairName(k));
    text += "\n";
    for (const model::YearFigures& p : map::History) {
        const std::int32_t cells[] = {p.year,   p.animals,      p.births,
                                      p.deaths, p.oldAgeDeaths, p.weaknessDeaths,
                                      p.shot,   p.carried,      p.genePool};
        std::string row;
        for (std::int32_t v : cells)
            row += std::to_string(v) + ",";
        for (std::int32_t v : p.pairs)
            row += std::to_string(v) + ",";
        row.back() = '\n';
        text += row;
    }
    return text;
}

bool writeHistoryTable(const std::string& path, std::string& error) {
    return ui::writeFileThrough(path, historyTable(), error);
}

bool writeHistoryPicture(const std::string& path, std::string& error) {
    const std::string heading = map::History.empty()
                                    ? std::string("Selvo mornik: Verlauf")
                                    : std::string("Selvo mornik: Verlauf bis Jahr ") +
                                          std::to_string(map::History.back().year);
    // SVG for a name ending in .svg; PNG for any other.
    ui::ChartFormat format = ui::ChartFormat::Png;
    ui::chartFormatOf(path, format);
    std::string bytes;
    if (!ui::renderCharts(heading, historyCharts(), PictureWidth, PictureHeight, format, bytes,
                          error)) {
        error = path + ": das Bild ließ sich nicht zeichnen (" + error + ")";
        return false;
    }
    return ui::writeFileThrough(path, bytes, error);
}

void saveHistoryTable() {
    const std::string path =
        ui::askFileToSave("Verlauf als Tabelle speichern", "Tabelle (*.csv)", "csv");
    std::string error;
    if (!path.empty() && !writeHistoryTable(path, error)) tellFailure(error);
}

void saveHistoryPicture() {
    const std::string path =
        ui::askFileToSave("Verlauf als Bild speichern", "Bild (*.png *.svg)", "png");
    std::string error;
    if (!path.empty() && !writeHistoryPicture(path, error)) tellFailure(error);
}

} // namespace report
