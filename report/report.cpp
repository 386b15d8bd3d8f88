// The herd report window.
#include "report/report.h"

#include "map/history.h"
#include "map/numbers.h"
#include "model/animal.h"
#include "model/herd.h"
#include "model/savegame.h"
#include "model/tables.h"
#include "report/forecast.h"
#include "report/forecast_run.h"
#include "report/history_page.h"
#include "report/numbers.h"
#include "ui/window.h"

#include <algorithm>
#include <string>

namespace report {

namespace {

std::string num(std::int32_t v) {
    return std::to_string(v);
}

std::string contribution(const model::GenePoolTable& t, int i, int j) {
    return "   (" + num(t[std::size_t(i)][std::size_t(j)].share) + ")";
}

std::string pairCell(const model::GenePoolTable& t, int i, int j) {
    return num(t[std::size_t(i)][std::size_t(j)].count) + contribution(t, i, j);
}

void buildControls() {
    const unsigned label = ui::LabelCentred | ui::LabelSunken;
    ui::createPanel(ReportPanel, 5, 5, 520, 520);
    ui::addTab(ReportPanel, "Übersicht");
    ui::createLabel(GeneOneLabel, 83, 33, 260, 20, "Gen 1", label);
    ui::createLabel(GeneTwoLabel, 3, 53, 80, 15, "Gen 2", label);
    ui::createLabel(RedLabel, 3, 83, 80, 15, "Rot", label);
    ui::createLabel(YellowLabel, 3, 98, 80, 15, "Gelb", label);
    ui::createLabel(BlueLabel, 3, 113, 80, 15, "Blau", label);
    ui::createLabel(NoGeneLabel, 3, 140, 80, 15, "Kein Gen", label);
    ui::createList(GenePoolGrid, 93, 63, 330, 100, "Rot", 80, ui::ListGridLines);
    ui::addListColumn(GenePoolGrid, 1, "Gelb", 80);
    ui::addListColumn(GenePoolGrid, 2, "Blau", 80);
    ui::addListColumn(GenePoolGrid, 8, "Kein Gen", 80);

    ui::addTab(ReportPanel, "Liste");
    ui::createList(HerdListView, 33, 23, 440, 420, "Selvo", 30, 0);
    const char* titles[] = {"Gebiet", "Alter", "Geschlecht", "Gen 1", "Gen 2", "Gesund", "Krank"};
    const int widths[] = {50, 50, 90, 50, 50, 50, 60};
    for (int c = 0; c < 7; ++c)
        ui::addListColumn(HerdListView, c + 1, titles[c], widths[c]);

    ui::addTab(ReportPanel, "Verlauf");
    buildHistoryPage();

    ui::addTab(ReportPanel, "Prognose");
    ui::createLabel(ForecastProgress, 6, 4, 502, 18, "", 0);
    ui::createLabel(ForecastText, 6, 22, 502, 130, "", ui::LabelSelectable);
    ui::createChartControl(ForecastChart, 0, 152, 514, 340, forecastCharts({}));
    ui::endPanel(ReportPanel);
}

std::int32_t geneColour(std::int32_t gene) {
    return gene >= 0 && gene < static_cast<std::int32_t>(model::GeneColours.size())
               ? model::GeneColours[gene]
               : 0;
}

void fillList() {
    for (auto it = model::herdBegin(); it != model::herdEnd(); ++it) {
        ui::addListRow(HerdListView, listRowText(*it), it->iconPicture + map::SmallIconOffset);
        const int row = ui::listRowCount(HerdListView) - 1;
        ui::setListCellColour(HerdListView, row, 4, geneColour(it->gene1));
        ui::setListCellColour(HerdListView, row, 5, geneColour(it->gene2));
    }
}

// Choices the page's sentences and charts show; npos while the page has shown none yet.
std::size_t shownChoices = std::string::npos;

// The page "Prognose" as far as the futures are computed.
void showForecast() {
    const int all = ForecastRuns * int(ForecastChoices.size());
    std::string progress = std::to_string(forecast.finished) + " von " + std::to_string(all) +
                           " Zukünften";
    if (!forecast.failure.empty())
        progress = "Prognose nicht möglich: " + forecast.failure;
    else if (!forecast.running)
        progress += " berechnet, je " + std::to_string(ForecastYears) + " Jahre";
    ui::setControlText(ForecastProgress, progress);
    // The sentences and charts change only when a choice is added, not for every future counted.
    const auto done = std::size_t(std::count_if(forecast.tables.begin(), forecast.tables.end(),
                                                [](const auto& t) { return !t.empty(); }));
    if (done == shownChoices) return;
    shownChoices = done;
    std::string text;
    for (std::size_t c = 0; c < ForecastChoices.size(); ++c)
        if (!forecast.tables[c].empty())
            text += forecastSentence(ForecastChoices[c], forecast.tables[c]) + "\n";
    ui::setControlText(ForecastText, text + reproduceLine(forecast.seed));
    if (done > 0) ui::setChartControlCharts(ForecastChart, forecastCharts(forecast.tables));
}

void fillGrid() {
    const model::GenePool pool = model::genePoolScore();
    for (int row = 0; row < 5; ++row)
        ui::addListRow(GenePoolGrid, gridRowText(pool.table, row), ui::NoPicture);
}

} // namespace

std::string listRowText(const model::Animal& a) {
    const char* sex = a.sex == 0 ? "weiblich\n" : "männlich\n";
    // Starts from a string, not a literal: g++ 12 at -O3 takes `"literal" + std::string` for an
    // overlapping copy (a false -Wrestrict).
    return std::string("\n") + num(a.area) + "\n" + num(a.age) + "\n" + sex + "\n\n" +
           num(a.constitution) + "\n" + num(a.illness) + "\n";
}

std::string gridRowText(const model::GenePoolTable& t, int row) {
    if (row >= 0 && row < 3) {
        const int j = model::Genes[std::size_t(row)]; // the grid's first three rows
        return pairCell(t, 1, j) + "\n" + pairCell(t, 2, j) + "\n" + pairCell(t, 4, j) + "\n" +
               contribution(t, 0, j);
    }
    if (row == 4)
        return contribution(t, 1, 0) + "\n" + contribution(t, 2, 0) + "\n" +
               contribution(t, 4, 0);
    return std::string();
}

ui::Event nextReportEvent() {
    // While the futures run, their pipes are read between events; then the loop only waits.
    for (;;) {
        if (!forecast.running) return ui::waitEvent();
        const ui::Event event = ui::pollEvent();
        if (pollForecast()) showForecast();
        if (event.kind != ui::EventKind::None) return event;
        ui::sleepMs(1);
    }
}

void showHerdReport() {
    if (!ui::openWindow(map::ReportWindow, 300, 210, 534, 532, "GenPool", ui::TitleBar)) return;
    if (!ui::setControlParent(map::ReportWindow)) {
        ui::closeWindow(map::ReportWindow);
        return;
    }
    buildControls();
    model::herdSortByArea();
    fillList();
    fillGrid();
    shownChoices = std::string::npos; // the page was just made empty
    // The futures start from the herd as the report shows it, sorted as saving it now would.
    startForecast(model::writeSavedGame(model::captureGame(map::History, map::HistoryStride)),
                  forecastSetup.seed ? *forecastSetup.seed : freshForecastSeed());
    showForecast();
    for (;;) {
        const ui::Event event = nextReportEvent();
        if (event.kind == ui::EventKind::Close) break;
        historyPageEvent(event);
    }
    stopForecast();
    ui::closeWindow(map::ReportWindow);
}

} // namespace report
