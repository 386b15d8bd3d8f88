// Chart axes that end and step on round values.
#include "report/round_axis.h"

#include <algorithm>
#include <cmath>

namespace report {

ui::ChartAxis roundAxis(const std::string& title, double low, double high, int steps) {
    const double span = std::max(high - low, 1.0);
    const double rough = span / std::max(steps, 1);
    const double power = std::pow(10.0, std::floor(std::log10(rough)));
    double step = power;
    for (double f : {1.0, 2.0, 5.0, 10.0}) {
        step = f * power;
        if (step >= rough) break;
    }
    step = std::max(step, 1.0);
    ui::ChartAxis axis;
    axis.title = title;
    axis.min = std::floor(low / step) * step;
    axis.max = std::ceil(high / step) * step;
    if (axis.max <= axis.min) axis.max = axis.min + step;
    axis.ticks = int(std::lround((axis.max - axis.min) / step)) + 1;
    axis.labelFormat = "%.0f";
    return axis;
}

} // namespace report
