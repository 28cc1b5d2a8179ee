// The presets' counts, the weekly middle of the class and a pupil's points.
#include "class_window/fluency_class_tab.h"

#include "class_window/table_printing.h"
#include "fluency/fluency_test.h"

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineSeries>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

namespace zorvel::classroom {

namespace {

const QStringList kCaptions = {QStringLiteral("达标测试"), QStringLiteral("参加人数"), QStringLiteral("测试次数"),
                               QStringLiteral("达标人数"), QStringLiteral("达标次数")};

std::optional<double> passPerMinute(const QString& choice)
{
    const std::optional<fluency::FluencyTest> test = fluency::testFromChoice(choice);
    if (!test || !test->timed())
        return std::nullopt;
    return std::ceil(test->passPercent * test->questions / 100.0) * 60.0 / test->limitSeconds;
}

QStringList presetFields(const PresetSummary& row)
{
    return {row.name, QString::number(row.pupils), QString::number(row.tests), QString::number(row.pupilsPassed),
            QString::number(row.testsPassed)};
}

} // namespace

std::vector<PresetSummary> presetSummaries(const std::vector<FluencyTest>& tests)
{
    std::map<QString, std::pair<std::set<qint64>, std::set<qint64>>> pupils;
    std::map<QString, PresetSummary> rows;
    for (const FluencyTest& test : tests) {
        PresetSummary& row = rows[test.test];
        row.test = test.test;
        ++row.tests;
        row.testsPassed += test.result.passed ? 1 : 0;
        pupils[test.test].first.insert(test.pupil);
        if (test.result.passed)
            pupils[test.test].second.insert(test.pupil);
    }
    std::vector<PresetSummary> summaries;
    for (auto& [key, row] : rows) {
        const std::optional<fluency::FluencyTest> test = fluency::testFromChoice(key);
        row.name = test ? test->description() : key;
        row.pupils = int(pupils[key].first.size());
        row.pupilsPassed = int(pupils[key].second.size());
        summaries.push_back(row);
    }
    return summaries;
}

FluencyClassTab::FluencyClassTab(ClassData& data, const ClassServices& services, QWidget* parent)
    : ClassTab(data, services, QStringLiteral("达标"), parent)
{
    table_ = new QTableWidget(0, kCaptions.size(), this);
    table_->setObjectName(QStringLiteral("tblPresets"));
    table_->setHorizontalHeaderLabels(kCaptions);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->setMaximumHeight(150);
    content()->addWidget(table_);
    auto* choices = new QHBoxLayout;
    preset_ = new QComboBox(this);
    preset_->setObjectName(QStringLiteral("cboPreset"));
    preset_->setAccessibleName(QStringLiteral("达标测试"));
    pupil_ = new QComboBox(this);
    pupil_->setObjectName(QStringLiteral("cboPupil"));
    pupil_->setAccessibleName(QStringLiteral("再看一个学生"));
    pupil_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    choices->addWidget(new QLabel(QStringLiteral("测试："), this));
    choices->addWidget(preset_, 1);
    choices->addWidget(new QLabel(QStringLiteral("再看一个学生："), this));
    choices->addWidget(pupil_);
    content()->addLayout(choices);
    view_ = new QChartView(this);
    view_->setObjectName(QStringLiteral("chtClassFluency"));
    QChart* chart = view_->chart();
    chart->setTitle(QStringLiteral("每分钟正确题数（全班每周的中位数）"));
    classLine_ = new QLineSeries;
    classLine_->setName(QStringLiteral("全班（中位数）"));
    classLine_->setPointsVisible(true);
    pupilLine_ = new QLineSeries;
    pupilLine_->setPointsVisible(true);
    passLine_ = new QLineSeries;
    passLine_->setName(QStringLiteral("达标线"));
    passLine_->setPen(QPen(QColor(0, 0x90, 0), 1.5, Qt::DashLine));
    auto* dates = new QDateTimeAxis;
    dates->setFormat(QStringLiteral("yyyy-MM-dd"));
    auto* values = new QValueAxis;
    values->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(dates, Qt::AlignBottom);
    chart->addAxis(values, Qt::AlignLeft);
    for (QLineSeries* series : {classLine_, pupilLine_, passLine_}) {
        chart->addSeries(series);
        series->attachAxis(dates);
        series->attachAxis(values);
    }
    content()->addWidget(view_, 1);
    connect(preset_, &QComboBox::currentIndexChanged, this, &FluencyClassTab::showChart);
    connect(pupil_, &QComboBox::currentIndexChanged, this, &FluencyClassTab::showChart);
}

void FluencyClassTab::load()
{
    tests_ = data_.fluency(range());
    presets_ = presetSummaries(tests_);
    table_->setRowCount(int(presets_.size()));
    for (int r = 0; r < int(presets_.size()); ++r) {
        const QStringList fields = presetFields(presets_[std::size_t(r)]);
        for (int c = 0; c < fields.size(); ++c)
            table_->setItem(r, c, new QTableWidgetItem(fields[c]));
    }
    table_->resizeColumnsToContents();
    const QSignalBlocker blockPreset(preset_), blockPupil(pupil_);
    const QString shown = preset_->currentData().toString();
    preset_->clear();
    for (const PresetSummary& row : presets_)
        preset_->addItem(row.name, row.test);
    preset_->setCurrentIndex(std::max(0, preset_->findData(shown)));
    const qint64 pupil = pupil_->currentData().toLongLong();
    pupil_->clear();
    pupil_->addItem(QStringLiteral("（只看全班）"), qint64(0));
    for (const ClassPupil& p : data_.classPupils())
        pupil_->addItem(p.name, p.id);
    pupil_->setCurrentIndex(std::max(0, pupil_->findData(pupil)));
    showChart();
    checkRead();
}

// Week by week from the first Monday: the middle of the class's results.
void FluencyClassTab::showChart()
{
    const QString key = preset_->currentData().toString();
    const qint64 pupil = pupil_->currentData().toLongLong();
    std::map<qint64, std::vector<double>> weeks;
    QList<QPointF> own;
    double top = 10;
    qint64 first = std::numeric_limits<qint64>::max(), last = 0;
    for (const FluencyTest& test : tests_) {
        if (test.test != key)
            continue;
        const double perMinute = correctPerMinute(test.result);
        const QDate day = test.started.date();
        weeks[QDateTime(day.addDays(1 - day.dayOfWeek()), QTime(12, 0)).toMSecsSinceEpoch()].push_back(perMinute);
        if (test.pupil == pupil)
            own.append(QPointF(double(test.started.toMSecsSinceEpoch()), perMinute));
        top = std::max(top, perMinute);
        first = std::min(first, test.started.toMSecsSinceEpoch());
        last = std::max(last, test.started.toMSecsSinceEpoch());
    }
    QList<QPointF> middle;
    for (auto& [week, values] : weeks) {
        std::sort(values.begin(), values.end());
        middle.append(QPointF(double(week), (values[(values.size() - 1) / 2] + values[values.size() / 2]) / 2));
    }
    classLine_->replace(middle);
    pupilLine_->replace(own);
    pupilLine_->setName(pupil ? pupil_->currentText() : QString());
    pupilLine_->setVisible(pupil != 0);
    const std::optional<double> pass = passPerMinute(key);
    passLine_->clear();
    const qint64 week = 7LL * 24 * 3600 * 1000;
    if (first > last)
        first = last = QDateTime::currentMSecsSinceEpoch();
    if (pass)
        passLine_->append({QPointF(double(first - week), *pass), QPointF(double(last + week), *pass)});
    QChart* chart = view_->chart();
    chart->axes(Qt::Horizontal).front()->setRange(QDateTime::fromMSecsSinceEpoch(first - week),
                                                  QDateTime::fromMSecsSinceEpoch(last + week));
    chart->axes(Qt::Vertical).front()->setRange(0, std::ceil(std::max(top, pass.value_or(0)) * 1.1));
}

QStringList FluencyClassTab::csvHeader() const
{
    return kFluencyColumns;
}

std::vector<QStringList> FluencyClassTab::csvRows() const
{
    std::vector<QStringList> rows;
    for (const FluencyTest& test : tests_)
        rows.push_back(fluencyFields(test));
    return rows;
}

QString FluencyClassTab::printedHtml() const
{
    std::vector<QStringList> rows;
    for (const PresetSummary& row : presets_)
        rows.push_back(presetFields(row));
    return tableHtml(QStringLiteral("班级汇总：达标测试"), rangeText(), kCaptions, rows);
}

} // namespace zorvel::classroom
