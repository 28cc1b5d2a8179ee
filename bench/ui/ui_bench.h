// What the drill-window benchmarks share: services without message boxes,
// clicks and keypad entry by control name, the click-time percentiles they
// report and a main() that runs them on the offscreen platform.
#pragma once

#include "normal_drill/drill_window.h"

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <vector>

namespace zorvel {

inline DrillServices quietServices()
{
    DrillServices services = defaultDrillServices();
    services.showMessage = [](QWidget*, const QString&, const QString&) {};
    return services;
}

inline void press(QWidget* window, const QString& name)
{
    window->findChild<QAbstractButton*>(name)->click();
}

// Types text on the keypad: digits Command4..Command13, "." Command14.
inline void typeAnswer(QWidget* window, const QString& text)
{
    for (QChar c : text)
        press(window, c == QLatin1Char('.') ? QStringLiteral("Command14")
                                            : QStringLiteral("Command%1").arg(4 + c.digitValue()));
}

// Times one click until what it changed is painted, as the event loop would
// paint it next.
inline void timeClickToPainted(benchmark::State& state, QAbstractButton* button, std::vector<double>& clicksUs)
{
    QElapsedTimer timer;
    timer.start();
    button->click();
    QApplication::processEvents();
    const qint64 ns = timer.nsecsElapsed();
    state.SetIterationTime(ns / 1e9);
    clicksUs.push_back(ns / 1000.0);
}

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
    dialog->resize(window->designSize());
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
