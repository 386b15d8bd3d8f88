// The report's page "Verlauf": its charts and buttons, and the larger window of the charts.
#pragma once

#include "ui/window.h"

namespace report {

// The charts and the three buttons on the current parent (the page).
void buildHistoryPage();

// Acts on a click of one of the page's buttons; any other event is left alone.
void historyPageEvent(const ui::Event& ev);

// Opens the charts in their own resizable window and returns when it has been closed. Meanwhile
// every other event is dropped; a close request of any window closes this one only.
void showLargerCharts();

} // namespace report
