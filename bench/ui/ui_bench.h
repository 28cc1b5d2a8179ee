// What the drill-window benchmarks share: the click-time percentiles they
// report and a main() that runs them on the offscreen platform.
#pragma once

#include "normal_drill/drill_window.h"
#include "normal_drill/screen_units.h"

#include <benchmark/benchmark.h>

#include <QApplication>

#include <algorithm>
#include <vector>

namespace zorvel {

// Median and 99th percentile of single clicks, in microseconds.
inline void reportClickPercentiles(benchmark::State& state, std::vector<double> clicksUs)
{
    std::sort(clicksUs.begin(), clicksUs.end());
    state.counters["click_median_us"] = clicksUs[clicksUs.size() / 2];
    state.counters["click_p99_us"] = clicksUs[clicksUs.size() * 99 / 100];
}

// Shows a drill window at its designed size, whatever the screen's size.
inline void showAtDesignedSize(QDialog* dialog)
{
    const auto* window = static_cast<const DrillWindow*>(dialog);
    dialog->resize(twipsSize(window->row().widthTwips, kDesignHeightTwips));
    dialog->show();
}

inline int runUiBenchmarks(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace zorvel
