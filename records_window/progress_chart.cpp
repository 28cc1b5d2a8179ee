// Series, axes and the averaging of the progress chart.
#include "records_window/progress_chart.h"

#include "design_units/screen_units.h"

#include <QChart>
#include <QCategoryAxis>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace zorvel::records {

namespace {

const QColor timeColour(0, 0, 0xC0);
const QColor wrongColour(0xE0, 0, 0);

// The first day of the period a date falls in, for periods 0 (day), 1 (week), 2 (month).
QDate periodStart(const QDate& date, int period)
{
    if (period == 1)
        return date.addDays(1 - date.dayOfWeek());
    if (period == 2)
        return QDate(date.year(), date.month(), 1);
    return date;
}

std::vector<PlotPoint> averaged(const std::vector<ChartPoint>& points, int period)
{
    std::vector<PlotPoint> result;
    QDate current;
    double seconds = 0;
    int wrong = 0;
    int count = 0;
    auto flush = [&] {
        if (count == 0)
            return;
        // Placed at noon of the period's first day.
        result.push_back({QDateTime(current, QTime(12, 0)), seconds / count, double(wrong) / count});
    };
    for (const ChartPoint& point : points) {
        const QDate start = periodStart(point.started.date(), period);
        if (start != current) {
            flush();
            current = start;
            seconds = 0;
            wrong = 0;
            count = 0;
        }
        seconds += point.seconds;
        wrong += point.wrongQuestions;
        ++count;
    }
    flush();
    return result;
}

// Ticks at whole multiples of the first step that gives at most `most`
// intervals.
void setWholeTicks(QValueAxis* axis, double top, std::initializer_list<int> steps, int most)
{
    int step = 1;
    for (int candidate : steps) {
        step = candidate;
        if (std::ceil(top / step) <= most)
            break;
    }
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(step);
    axis->setRange(0, std::max(1.0, std::ceil(top / step)) * step);
}

} // namespace

std::pair<std::vector<PlotPoint>, QString> thinnedPoints(const std::vector<ChartPoint>& points, int maxPoints)
{
    if (static_cast<int>(points.size()) <= maxPoints) {
        std::vector<PlotPoint> each;
        for (const ChartPoint& point : points)
            each.push_back({point.started, point.seconds, double(point.wrongQuestions)});
        std::stable_sort(each.begin(), each.end(), [](const PlotPoint& a, const PlotPoint& b) { return a.when < b.when; });
        return {each, QString()};
    }
    std::vector<ChartPoint> sorted = points;
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const ChartPoint& a, const ChartPoint& b) { return a.started < b.started; });
    const QString names[3] = {QStringLiteral("每天"), QStringLiteral("每周"), QStringLiteral("每月")};
    std::vector<PlotPoint> result;
    for (int period = 0; period < 3; ++period) {
        result = averaged(sorted, period);
        if (static_cast<int>(result.size()) <= maxPoints || period == 2)
            return {result, names[period]};
    }
    return {result, names[2]};
}

std::vector<double> dayPositions(const std::vector<PlotPoint>& points, const QDate& first)
{
    std::vector<double> positions(points.size());
    size_t start = 0;
    while (start < points.size()) {
        const QDate day = points[start].when.date();
        size_t end = start;
        while (end < points.size() && points[end].when.date() == day)
            ++end;
        const double count = double(end - start);
        // Within the middle 70 % of the day, evenly spaced; one point at noon.
        for (size_t i = start; i < end; ++i)
            positions[i] = double(first.daysTo(day)) + 0.15 + 0.7 * (double(i - start) + 0.5) / count;
        start = end;
    }
    return positions;
}

std::vector<QDate> labelledDates(const QDate& first, const QDate& last, int most)
{
    std::vector<QDate> dates;
    const qint64 span = first.daysTo(last);
    if (span > 400) {
        // Whole months, named by their first day.
        const int months = int((last.year() - first.year()) * 12 + last.month() - first.month());
        const int step = std::max(1, (months + most - 1) / most);
        for (QDate month(first.year(), first.month(), 1); month <= last; month = month.addMonths(step))
            if (month >= first)
                dates.push_back(month);
        return dates;
    }
    qint64 step = 1;
    for (qint64 candidate : {1, 2, 7, 14, 28, 56, 91, 182})
        if ((step = candidate) * (most - 1) >= span)
            break;
    for (QDate day = first; day <= last; day = day.addDays(step))
        dates.push_back(day);
    return dates;
}

ProgressChart::ProgressChart(QWidget* parent) : QChartView(new QChart, parent)
{
    setObjectName(QStringLiteral("chtProgress"));
    setRenderHint(QPainter::Antialiasing);
    chart()->setAnimationOptions(QChart::NoAnimation);
    chart()->setTitleFont(designFont(FontFace::Heiti, 11, true));
    // The axis titles, drawn in the colours of their series, are the legend.
    chart()->legend()->hide();
    chart()->setMargins(QMargins(2, 2, 2, 2));
    chart()->setBackgroundRoundness(0);

    times_ = new QLineSeries;
    times_->setName(QStringLiteral("用时（秒）"));
    times_->setPen(QPen(timeColour, 2));
    times_->setPointsVisible(true);
    wrongs_ = new QScatterSeries;
    wrongs_->setName(QStringLiteral("错题数"));
    wrongs_->setColor(wrongColour);
    wrongs_->setBorderColor(wrongColour);
    wrongs_->setMarkerSize(7);
    chart()->addSeries(times_);
    chart()->addSeries(wrongs_);
    buildAxes();
}

void ProgressChart::buildAxes()
{
    const QFont axisFont = designFont(FontFace::Songti, 9);
    dates_ = new QCategoryAxis;
    dates_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    seconds_ = new QValueAxis;
    seconds_->setTitleText(QStringLiteral("用时（秒）"));
    seconds_->setLabelFormat(QStringLiteral("%d"));
    wrongAxis_ = new QValueAxis;
    wrongAxis_->setTitleText(QStringLiteral("错题数"));
    wrongAxis_->setLabelFormat(QStringLiteral("%d"));
    seconds_->setTitleBrush(timeColour);
    seconds_->setLabelsColor(timeColour);
    wrongAxis_->setTitleBrush(wrongColour);
    wrongAxis_->setLabelsColor(wrongColour);
    for (QAbstractAxis* axis : {static_cast<QAbstractAxis*>(dates_), static_cast<QAbstractAxis*>(seconds_),
                                static_cast<QAbstractAxis*>(wrongAxis_)}) {
        axis->setLabelsFont(axisFont);
        axis->setTitleFont(axisFont);
        // Short labels always have room; Qt would otherwise cut them to "…".
        axis->setTruncateLabels(false);
    }
    chart()->addAxis(dates_, Qt::AlignBottom);
    chart()->addAxis(seconds_, Qt::AlignLeft);
    chart()->addAxis(wrongAxis_, Qt::AlignRight);
    times_->attachAxis(dates_);
    times_->attachAxis(seconds_);
    wrongs_->attachAxis(dates_);
    wrongs_->attachAxis(wrongAxis_);
}

void ProgressChart::setPoints(const std::vector<ChartPoint>& points, const QString& exerciseText)
{
    const auto [shown, period] = thinnedPoints(points, 300);
    QDate first = QDate::currentDate().addDays(-7);
    QDate last = QDate::currentDate();
    if (!shown.empty()) {
        first = shown.front().when.date();
        last = shown.back().when.date();
    }
    const std::vector<double> positions = dayPositions(shown, first);
    QList<QPointF> timePoints;
    QList<QPointF> wrongPoints;
    timePoints.reserve(static_cast<qsizetype>(shown.size()));
    wrongPoints.reserve(static_cast<qsizetype>(shown.size()));
    double maxSeconds = 60;
    double maxWrong = 5;
    for (size_t i = 0; i < shown.size(); ++i) {
        timePoints.append(QPointF(positions[i], shown[i].seconds));
        wrongPoints.append(QPointF(positions[i], shown[i].wrongQuestions));
        maxSeconds = std::max(maxSeconds, shown[i].seconds);
        maxWrong = std::max(maxWrong, shown[i].wrongQuestions);
    }
    times_->setPointsVisible(shown.size() <= 60);
    wrongs_->setMarkerSize(shown.size() <= 60 ? 7 : 4);
    times_->replace(timePoints);
    wrongs_->replace(wrongPoints);

    // Each date once, in the middle of its day; a day either side of the tests.
    const bool months = first.daysTo(last) > 400;
    for (const QString& label : dates_->categoriesLabels())
        dates_->remove(label);
    for (const QDate& date : labelledDates(first, last, 6))
        dates_->append(date.toString(months ? QStringLiteral("yyyy-MM") : QStringLiteral("MM-dd")),
                       double(first.daysTo(date)) + 0.5);
    dates_->setStartValue(-1.0);
    dates_->setRange(-1.0, double(first.daysTo(last)) + 2.0);
    // Few enough labels that Qt never has to leave one out for lack of room.
    setWholeTicks(seconds_, maxSeconds * 1.1, {10, 15, 30, 60, 120, 300, 600}, 5);
    setWholeTicks(wrongAxis_, maxWrong + 1, {1, 2, 5, 10, 20}, 3);

    QString title = exerciseText;
    if (shown.empty())
        title += QStringLiteral("：还没有完成的测试");
    else if (!period.isEmpty())
        title += QStringLiteral("（%1平均）").arg(period);
    chart()->setTitle(title);
}

int ProgressChart::shownPointCount() const
{
    return static_cast<int>(times_->count());
}

} // namespace zorvel::records
