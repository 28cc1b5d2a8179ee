// The progress chart of the 成绩 tab: a finished test's time (line, left
// axis) and wrong answers (points, right axis) over the days, each date
// named once and a day's tests side by side. Years of tests are averaged per
// day, week or month so that the chart stays readable and quick to draw.
#pragma once

#include "records/record_queries.h"

#include <QChartView>
#include <QString>

#include <vector>

QT_BEGIN_NAMESPACE
class QCategoryAxis;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace zorvel::records {

// A point as drawn: one test, or the average of a period's tests.
struct PlotPoint {
    QDateTime when;
    double seconds = 0;
    double wrongQuestions = 0;
};

// The tests as points, averaged over days, weeks or months when there are
// more than maxPoints; the second value names the period ("", "每天", "每周", "每月").
std::pair<std::vector<PlotPoint>, QString> thinnedPoints(const std::vector<ChartPoint>& points, int maxPoints);

// Where each point stands across the chart, in days after `first`: a day's
// points side by side within their day, in the order given, around its middle.
std::vector<double> dayPositions(const std::vector<PlotPoint>& points, const QDate& first);

// The dates the day axis names, each once, at most `most` of them, from
// `first` to `last` at a whole step of days (or months).
std::vector<QDate> labelledDates(const QDate& first, const QDate& last, int most);

class ProgressChart : public QChartView {
    Q_OBJECT
public:
    explicit ProgressChart(QWidget* parent = nullptr);

    // exerciseText names what is shown ("加法 2位 + 1位 整数").
    void setPoints(const std::vector<ChartPoint>& points, const QString& exerciseText);
    int shownPointCount() const;

private:
    void buildAxes();

    QLineSeries* times_ = nullptr;
    QScatterSeries* wrongs_ = nullptr;
    QCategoryAxis* dates_ = nullptr;
    QValueAxis* seconds_ = nullptr;
    QValueAxis* wrongAxis_ = nullptr;
};

} // namespace zorvel::records
