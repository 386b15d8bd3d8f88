// Chart axes that end and step on round values.
#pragma once

#include "ui/chart.h"

#include <string>

namespace report {

// An axis from `low` to at least `high` whose grid steps are 1, 2 or 5 times a power of ten
// (whole numbers at least), so that labels fall on round values; about `steps` of them.
ui::ChartAxis roundAxis(const std::string& title, double low, double high, int steps = 5);

} // namespace report
