// The 达标测试 box of the 成绩 tab: for one test chosen from those the pupil
// has taken, correct answers per minute of the whole limit over the dates,
// 达标 and 未达标 marked apart, with the pass line (the correct answers per
// minute a pass needs within the limit).
#pragma once

#include "records/record_queries.h"

#include <QGroupBox>
#include <QList>
#include <QPointF>

#include <optional>
#include <vector>

class QChartView;
class QComboBox;

QT_BEGIN_NAMESPACE
class QDateTimeAxis;
class QLineSeries;
class QScatterSeries;
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
    // Correct answers per minute of the tests shown that passed, or not.
    QList<double> shownValues(bool passed) const;
    // Correct answers per minute a pass needs; none without a limit.
    std::optional<double> passLine() const { return passLine_; }

private:
    void showChosen();
    void showRanges(const QList<QPointF>& points);

    std::vector<TestRow> tests_;
    QComboBox* choice_ = nullptr;
    QChartView* view_ = nullptr;
    QLineSeries* perMinute_ = nullptr;
    QScatterSeries* passed_ = nullptr;
    QScatterSeries* failed_ = nullptr;
    QLineSeries* pass_ = nullptr;
    QDateTimeAxis* dates_ = nullptr;
    QValueAxis* values_ = nullptr;
    std::optional<double> passLine_;
};

} // namespace zorvel::records
