// Series and axes of the 达标测试 chart.
#include "records_window/fluency_chart.h"
#include "choice_box/choice_box.h"

#include "fluency/fluency_test.h"
#include "fluency/scoring.h"
#include "design_units/screen_units.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zorvel::records {

namespace {

// The smallest of 1, 2, 5, 10, 20, 50, … that covers top in at most
// maxSteps steps.
double roundStep(double top, int maxSteps)
{
    for (double scale = 1;; scale *= 10) {
        for (double step : {1.0, 2.0, 5.0}) {
            if (top <= step * scale * maxSteps)
                return step * scale;
        }
    }
}

QScatterSeries* markSeries(const QString& name, QScatterSeries::MarkerShape shape, const QColor& line,
                           const QColor& fill)
{
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setMarkerShape(shape);
    series->setMarkerSize(9);
    series->setPen(QPen(line, 1.5));
    series->setBrush(fill);
    return series;
}

} // namespace

FluencyChart::FluencyChart(QWidget* parent) : QGroupBox(QStringLiteral("达标测试（每分钟正确题数）"), parent)
{
    setObjectName(QStringLiteral("frmFluencyChart"));
    auto* layout = new QVBoxLayout(this);
    choice_ = new ChoiceBox(this);
    choice_->setObjectName(QStringLiteral("cboFluencyTest"));
    choice_->setAccessibleName(QStringLiteral("达标测试"));
    layout->addWidget(choice_);
    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("chtFluency"));
    view_->setMinimumHeight(200);
    layout->addWidget(view_, 1);

    QChart* chart = view_->chart();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setTitleFont(designFont(FontFace::Songti, 9));
    perMinute_ = new QLineSeries;
    perMinute_->setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    passed_ = markSeries(QStringLiteral("达标"), QScatterSeries::MarkerShapeCircle, QColor(0, 0x80, 0), QColor(0, 0x80, 0));
    failed_ = markSeries(QStringLiteral("未达标"), QScatterSeries::MarkerShapeTriangle, QColor(0xC0, 0, 0), Qt::white);
    pass_ = new QLineSeries;
    pass_->setName(QStringLiteral("达标线"));
    pass_->setPen(QPen(QColor(0, 0x90, 0), 1.5, Qt::DashLine));
    const QList<QXYSeries*> series = {perMinute_, pass_, passed_, failed_};
    for (QXYSeries* one : series)
        chart->addSeries(one);
    dates_ = new QDateTimeAxis;
    dates_->setFormat(QStringLiteral("MM-dd"));
    values_ = new QValueAxis;
    values_->setLabelFormat(QStringLiteral("%.0f"));
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(dates_), static_cast<QAbstractAxis*>(values_)}) {
        axis->setLabelsFont(designFont(FontFace::Songti, 9));
        axis->setTitleFont(designFont(FontFace::Songti, 9));
    }
    chart->addAxis(dates_, Qt::AlignBottom);
    chart->addAxis(values_, Qt::AlignLeft);
    for (QXYSeries* one : series) {
        one->attachAxis(dates_);
        one->attachAxis(values_);
    }
    // The legend tells the marks apart; the line joining them needs no entry.
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->legend()->setMarkerShape(QLegend::MarkerShapeFromSeries);
    chart->legend()->setFont(designFont(FontFace::Songti, 9));
    chart->legend()->markers(perMinute_).constFirst()->setVisible(false);
    connect(choice_, &QComboBox::currentIndexChanged, this, &FluencyChart::showChosen);
}

void FluencyChart::setTests(std::vector<TestRow> tests)
{
    tests_.clear();
    for (TestRow& row : tests) {
        if (row.fluency)
            tests_.push_back(std::move(row));
    }
    std::sort(tests_.begin(), tests_.end(), [](const TestRow& a, const TestRow& b) { return a.started < b.started; });
    const QString shown = choice_->currentData().toString();
    const QSignalBlocker block(choice_);
    choice_->clear();
    for (auto row = tests_.rbegin(); row != tests_.rend(); ++row) {
        const QString key = row->fluency->test;
        if (choice_->findData(key) >= 0)
            continue;
        const std::optional<fluency::FluencyTest> test = fluency::testFromChoice(key);
        choice_->addItem(test ? test->description() : key, key);
    }
    choice_->setCurrentIndex(std::max(0, choice_->findData(shown)));
    showChosen();
}

void FluencyChart::showChosen()
{
    const QString key = choice_->currentData().toString();
    QList<QPointF> all, passed, failed;
    for (const TestRow& row : tests_) {
        const FluencyResult& result = *row.fluency;
        if (result.test != key || (result.limitSeconds <= 0 && result.elapsedMs <= 0))
            continue;
        const QPointF point(double(row.started.toMSecsSinceEpoch()),
                            fluency::correctPerMinute(result.limitSeconds, result.correct, result.elapsedMs));
        all.append(point);
        (result.passed ? passed : failed).append(point);
    }
    perMinute_->replace(all);
    passed_->replace(passed);
    failed_->replace(failed);
    passLine_.reset();
    const std::optional<fluency::FluencyTest> test = fluency::testFromChoice(key);
    if (test && test->timed())
        passLine_ = std::ceil(test->passPercent * test->questions / 100.0) * 60.0 / test->limitSeconds;
    view_->chart()->setTitle(passLine_ ? QStringLiteral("达标线：每分钟 %1 题").arg(*passLine_, 0, 'f', 1)
                                       : QStringLiteral("不限时：没有达标线"));
    showRanges(all);
}

void FluencyChart::showRanges(const QList<QPointF>& points)
{
    // Whole days, a day either side, so that a single test is not drawn on
    // the frame; at most five ticks, the same number of days apart.
    const QDate today = QDate::currentDate();
    const QDate first = points.isEmpty() ? today : QDateTime::fromMSecsSinceEpoch(qint64(points.first().x())).date();
    const QDate last = points.isEmpty() ? today : QDateTime::fromMSecsSinceEpoch(qint64(points.last().x())).date();
    const QDate left = first.addDays(-1);
    const qint64 days = left.daysTo(last.addDays(1));
    const qint64 dayStep = (days + 3) / 4;
    const qint64 dayTicks = (days + dayStep - 1) / dayStep;
    const QDate right = left.addDays(dayTicks * dayStep);
    dates_->setRange(left.startOfDay(), right.startOfDay());
    dates_->setTickCount(int(dayTicks) + 1);
    pass_->replace(passLine_ ? QList<QPointF>{{double(left.startOfDay().toMSecsSinceEpoch()), *passLine_},
                                              {double(right.startOfDay().toMSecsSinceEpoch()), *passLine_}}
                             : QList<QPointF>{});

    double top = passLine_.value_or(0);
    for (const QPointF& point : points)
        top = std::max(top, point.y());
    const double step = roundStep(std::max(top * 1.1, 5.0), 5);
    const int steps = int(std::ceil(std::max(top * 1.1, 5.0) / step));
    values_->setRange(0, steps * step);
    values_->setTickCount(steps + 1);
}

QList<double> FluencyChart::shownValues(bool passed) const
{
    QList<double> values;
    for (const QPointF& point : (passed ? passed_ : failed_)->points())
        values.append(point.y());
    return values;
}

} // namespace zorvel::records
