// The herd report window "GenPool": the gene-pool cross table and the list of all animals.
#pragma once

#include "model/animal.h"
#include "model/genepool.h"
#include "ui/window.h"

#include <string>

namespace report {

// Sorts the Herd by Area, opens the report filled from the Herd and its gene pool, and returns
// when it has been closed. Every other event meanwhile is dropped; a close request of any
// window closes the report only.
void showHerdReport();

// The next event for the report's windows. While the page "Prognose" is computed, its
// simulators are read between events and the page follows them.
ui::Event nextReportEvent();

// The text of one list row: cells separated by line feeds, starting with the empty picture cell.
std::string listRowText(const model::Animal& a);

// The text of grid row 0..4 (second genes red, yellow, blue; a spacer; the "Kein Gen" row).
std::string gridRowText(const model::GenePoolTable& table, int row);

} // namespace report
