// The 达标 tab: for each 达标测试 the class has taken, how many pupils took
// it, how many tests and how many pupils passed it; for the test chosen, the
// class's correct answers per minute week by week (the middle of the class)
// with the pass line, and a pupil's own tests on demand. Pupils are never
// put in an order of their results.
#pragma once

#include "class_window/class_tab.h"

class QChartView;

QT_BEGIN_NAMESPACE
class QComboBox;
class QLineSeries;
class QTableWidget;
QT_END_NAMESPACE

namespace zorvel::classroom {

struct PresetSummary {
    QString test;       // the choice as kept
    QString name;       // "20以内加减 60 题 · 限时 5 分钟"
    int pupils = 0;
    int tests = 0;
    int pupilsPassed = 0;
    int testsPassed = 0;
};
std::vector<PresetSummary> presetSummaries(const std::vector<FluencyTest>& tests);

class FluencyClassTab final : public ClassTab {
    Q_OBJECT
public:
    FluencyClassTab(ClassData& data, const ClassServices& services, QWidget* parent = nullptr);

protected:
    void load() override;
    QStringList csvHeader() const override;
    std::vector<QStringList> csvRows() const override;
    QString printedHtml() const override;

private:
    void showChart();

    std::vector<FluencyTest> tests_;
    std::vector<PresetSummary> presets_;
    QTableWidget* table_ = nullptr;
    QComboBox* preset_ = nullptr;
    QComboBox* pupil_ = nullptr;
    QChartView* view_ = nullptr;
    QLineSeries* classLine_ = nullptr;
    QLineSeries* pupilLine_ = nullptr;
    QLineSeries* passLine_ = nullptr;
};

} // namespace zorvel::classroom
