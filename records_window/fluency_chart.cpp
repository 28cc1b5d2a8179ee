// Series and axes of the 达标测试 chart.
#include "records_window/fluency_chart.h"
#include "choice_box/choice_box.h"

#include "fluency/fluency_test.h"
#include "design_units/screen_units.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QLineSeries>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace zorvel::records {

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
    // The box is narrow: the pass line is named in the title, not in a legend.
    chart->legend()->hide();
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->setTitleFont(designFont(FontFace::Songti, 9));
    perMinute_ = new QLineSeries;
    perMinute_->setName(QStringLiteral("每分钟正确"));
    perMinute_->setPointsVisible(true);
    pass_ = new QLineSeries;
    pass_->setName(QStringLiteral("达标线"));
    pass_->setPen(QPen(QColor(0, 0x90, 0), 1.5, Qt::DashLine));
    chart->addSeries(perMinute_);
    chart->addSeries(pass_);
    dates_ = new QDateTimeAxis;
    dates_->setFormat(QStringLiteral("MM-dd"));
    dates_->setTickCount(3);
    values_ = new QValueAxis;
    values_->setLabelFormat(QStringLiteral("%.0f"));
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(dates_), static_cast<QAbstractAxis*>(values_)}) {
        axis->setLabelsFont(designFont(FontFace::Songti, 9));
        axis->setTitleFont(designFont(FontFace::Songti, 9));
    }
    chart->addAxis(dates_, Qt::AlignBottom);
    chart->addAxis(values_, Qt::AlignLeft);
    for (QLineSeries* series : {perMinute_, pass_}) {
        series->attachAxis(dates_);
        series->attachAxis(values_);
    }
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
    QList<QPointF> points;
    double top = 10;
    qint64 first = 0, last = 0;
    for (const TestRow& row : tests_) {
        if (row.fluency->test != key || row.fluency->elapsedMs <= 0)
            continue;
        const double perMinute = row.fluency->correct * 60000.0 / double(row.fluency->elapsedMs);
        const qint64 x = row.started.toMSecsSinceEpoch();
        points.append(QPointF(double(x), perMinute));
        top = std::max(top, perMinute);
        first = points.size() == 1 ? x : first;
        last = x;
    }
    perMinute_->replace(points);
    passLine_.reset();
    const std::optional<fluency::FluencyTest> test = fluency::testFromChoice(key);
    if (test && test->timed())
        passLine_ = std::ceil(test->passPercent * test->questions / 100.0) * 60.0 / test->limitSeconds;
    // A day either side, so that a single test is not drawn on the frame.
    const qint64 day = 24 * 3600 * 1000;
    const double left = double(first - day), right = double(last + day);
    pass_->replace(passLine_ ? QList<QPointF>{{left, *passLine_}, {right, *passLine_}} : QList<QPointF>{});
    if (passLine_)
        top = std::max(top, *passLine_);
    view_->chart()->setTitle(passLine_ ? QStringLiteral("虚线：达标线，每分钟 %1 题").arg(*passLine_, 0, 'f', 1)
                                       : QStringLiteral("不限时：没有达标线"));
    dates_->setRange(QDateTime::fromMSecsSinceEpoch(qint64(left)), QDateTime::fromMSecsSinceEpoch(qint64(right)));
    values_->setRange(0, std::ceil(top * 1.15));
}

int FluencyChart::shownPointCount() const
{
    return int(perMinute_->count());
}

} // namespace zorvel::records
