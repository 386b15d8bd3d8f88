// The report's page "Verlauf".
#include "report/history_page.h"

#include "map/numbers.h"
#include "report/history_charts.h"
#include "report/history_export.h"
#include "report/numbers.h"
#include "report/report.h"
#include "ui/chart.h"

namespace report {

// The buttons stand right of the score's chart, where the other charts have their legends.
void buildHistoryPage() {
    ui::createChartControl(HistoryChart, 0, 0, 514, 492, historyCharts());
    ui::createButton(LargerChartsButton, 358, 402, 154, 25, "Größer anzeigen");
    ui::createButton(SaveTableButton, 358, 431, 154, 25, "Als Tabelle speichern…");
    ui::createButton(SavePictureButton, 358, 460, 154, 25, "Als Bild speichern…");
}

void historyPageEvent(const ui::Event& ev) {
    if (ev.kind != ui::EventKind::Control) return;
    if (ev.item == LargerChartsButton) showLargerCharts();
    if (ev.item == SaveTableButton) saveHistoryTable();
    if (ev.item == SavePictureButton) saveHistoryPicture();
}

void showLargerCharts() {
    if (!ui::openWindow(map::HistoryWindow, 0, 0, 900, 800, "Verlauf",
                        ui::TitleBar | ui::SizingBorder | ui::CentreOnScreen))
        return;
    if (ui::setControlParent(map::HistoryWindow))
        ui::createChartControl(LargerHistoryChart, 0, 0, 900, 800, historyCharts(),
                               ui::ChartFollowsWindow);
    for (;;) {
        if (nextReportEvent().kind == ui::EventKind::Close) break;
    }
    ui::closeWindow(map::HistoryWindow);
}

} // namespace report
