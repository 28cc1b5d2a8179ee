// The first tab of the records window, for a parent: the last seven days of
// every pupil in a small table (days practised, minutes, questions, 正确率,
// facts newly mastered, 达标测试 passed) and the questions of each day as
// bars, one colour per pupil.
#pragma once

#include "records/record_queries.h"

#include <QDate>
#include <QWidget>

#include <functional>
#include <vector>

QT_BEGIN_NAMESPACE
class QChart;
class QLabel;
class QTableWidget;
QT_END_NAMESPACE

namespace zorvel::records {

class WeekTab : public QWidget {
    Q_OBJECT
public:
    WeekTab(RecordQueries& store, std::function<QDate()> today, QWidget* parent = nullptr);
    // Reads the week again (pupils added, renamed or removed).
    void reload();
    QChart* chart() const { return chart_; }

private:
    void fillTable(const std::vector<PracticeWeek>& weeks);
    void fillChart(const std::vector<PracticeWeek>& weeks);

    RecordQueries& store_;
    std::function<QDate()> today_;
    QLabel* period_ = nullptr;
    QTableWidget* table_ = nullptr;
    QChart* chart_ = nullptr;
};

} // namespace zorvel::records
