// The 达标测试 box of the 成绩 tab: for one test chosen from those the pupil
// has taken, correct answers per minute over the dates, with the pass line
// (the correct answers per minute a pass needs within the limit).
#pragma once

#include "records/record_queries.h"

#include <QGroupBox>

#include <optional>
#include <vector>

class QChartView;
class QComboBox;

QT_BEGIN_NAMESPACE
class QDateTimeAxis;
class QLineSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace zorvel::records {

class FluencyChart : public QGroupBox {
    Q_OBJECT
public:
    explicit FluencyChart(QWidget* parent = nullptr);

    // The pupil's 达标测试, any order; the choice stays on the test shown if
    // it is among them, else the one taken last.
    void setTests(std::vector<TestRow> tests);
    int shownPointCount() const;
    // Correct answers per minute a pass needs; none without a limit.
    std::optional<double> passLine() const { return passLine_; }

private:
    void showChosen();

    std::vector<TestRow> tests_;
    QComboBox* choice_ = nullptr;
    QChartView* view_ = nullptr;
    QLineSeries* perMinute_ = nullptr;
    QLineSeries* pass_ = nullptr;
    QDateTimeAxis* dates_ = nullptr;
    QValueAxis* values_ = nullptr;
    std::optional<double> passLine_;
};

} // namespace zorvel::records
