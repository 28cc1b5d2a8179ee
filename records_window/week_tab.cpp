// The week's table and bar chart, read afresh whenever the window shows a pupil.
#include "records_window/week_tab.h"

#include "design_units/screen_units.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QValueAxis>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvel::records {

namespace {

const QString kWeekdays[7] = {QStringLiteral("周一"), QStringLiteral("周二"), QStringLiteral("周三"),
                              QStringLiteral("周四"), QStringLiteral("周五"), QStringLiteral("周六"),
                              QStringLiteral("周日")};

QString dayText(const QDate& date)
{
    if (!date.isValid())  // a week the store could not read has no days
        return QString();
    return date.toString(QStringLiteral("M-d ")) + kWeekdays[date.dayOfWeek() - 1];
}

QStringList weekCells(const PracticeWeek& week)
{
    const int percent = week.rightPercent();
    return {week.name,
            QString::number(week.daysPractised()),
            QString::number(week.minutes()),
            QString::number(week.questions()),
            percent < 0 ? QStringLiteral("—") : QStringLiteral("%1%").arg(percent),
            QString::number(week.factsMastered),
            QString::number(week.fluencyPassed)};
}

} // namespace

WeekTab::WeekTab(RecordQueries& store, std::function<QDate()> today, QWidget* parent)
    : QWidget(parent), store_(store), today_(std::move(today))
{
    setObjectName(QStringLiteral("tabWeek"));
    period_ = new QLabel(this);
    period_->setObjectName(QStringLiteral("lblWeek"));
    period_->setFont(designFont(FontFace::Heiti, 12, true));

    table_ = new QTableWidget(0, 7, this);
    table_->setObjectName(QStringLiteral("grdWeek"));
    table_->setHorizontalHeaderLabels({QStringLiteral("学生"), QStringLiteral("练习天数"), QStringLiteral("分钟"),
                                       QStringLiteral("题数"), QStringLiteral("正确率"), QStringLiteral("新掌握口诀"),
                                       QStringLiteral("达标次数")});
    table_->setFont(designFont(FontFace::Songti, 11));
    table_->horizontalHeader()->setFont(designFont(FontFace::Heiti, 11, true));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    table_->verticalHeader()->hide();
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setSelectionMode(QAbstractItemView::NoSelection);
    table_->setToolTip(QStringLiteral("正确率：第一次就答对的题占所有答过的题的比例"));

    chart_ = new QChart;
    chart_->setTitle(QStringLiteral("每天答题数"));
    chart_->setTitleFont(designFont(FontFace::Heiti, 11, true));
    chart_->legend()->setAlignment(Qt::AlignRight);
    auto* view = new QChartView(chart_, this);
    view->setObjectName(QStringLiteral("chtWeek"));
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumHeight(200);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(period_);
    layout->addWidget(table_, 0);
    layout->addWidget(view, 1);
}

void WeekTab::reload()
{
    const QDate today = today_();
    period_->setText(QStringLiteral("最近 7 天（%1 至 %2）")
                         .arg(today.addDays(-6).toString(QStringLiteral("M月d日")), today.toString(QStringLiteral("M月d日"))));
    const std::vector<PracticeWeek> weeks = store_.practiceWeeks(today);
    fillTable(weeks);
    fillChart(weeks);
}

void WeekTab::fillTable(const std::vector<PracticeWeek>& weeks)
{
    table_->setRowCount(int(weeks.size()));
    for (int r = 0; r < int(weeks.size()); ++r) {
        const QStringList cells = weekCells(weeks[std::size_t(r)]);
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            item->setTextAlignment(c == 0 ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
            table_->setItem(r, c, item);
        }
    }
    // Every pupil in view, without a scroll bar of its own up to six pupils.
    const int rows = std::clamp(int(weeks.size()), 1, 6);
    table_->setFixedHeight(table_->horizontalHeader()->sizeHint().height() + rows * table_->verticalHeader()->defaultSectionSize()
                           + 2 * table_->frameWidth());
}

void WeekTab::fillChart(const std::vector<PracticeWeek>& weeks)
{
    chart_->removeAllSeries();
    // removeAxis() hands the axis back to us: delete it, or every reload leaks one.
    for (QAbstractAxis* axis : chart_->axes()) {
        chart_->removeAxis(axis);
        delete axis;
    }
    auto* series = new QBarSeries;
    int most = 0;
    for (const PracticeWeek& week : weeks) {
        auto* set = new QBarSet(week.name);
        for (const PracticeDay& day : week.days) {
            *set << day.questions;
            most = std::max(most, day.questions);
        }
        series->append(set);
    }
    chart_->addSeries(series);
    QStringList days;
    if (!weeks.empty())
        for (const PracticeDay& day : weeks.front().days)
            days << dayText(day.date);
    auto* x = new QBarCategoryAxis;
    x->append(days);
    chart_->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, std::max(10, most));
    y->applyNiceNumbers();
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(QStringLiteral("题数"));
    chart_->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

} // namespace zorvel::records
