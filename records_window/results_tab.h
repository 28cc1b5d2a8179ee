// The 成绩 tab: every test of the pupil in a table with its filters and CSV
// export, the best time of each level and type, and the progress chart of
// the level and type chosen.
#pragma once

#include "records/record_queries.h"
#include "records_window/records_services.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QTableView;
class QTableWidget;
QT_END_NAMESPACE

namespace zorvel::records {

class FluencyChart;
class ProgressChart;
class TestTableModel;

class ResultsTab : public QWidget {
    Q_OBJECT
public:
    ResultsTab(RecordQueries& store, const RecordsServices& services, QWidget* parent = nullptr);

    // Everything anew for another pupil; the chart shows the pupil's latest exercise.
    void showPupil(qint64 pupil, const QString& name);
    // The progress and 达标测试 charts, for a tab of their own.
    QWidget* chartsPage() const { return charts_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    // A read of the record failed (text: why, in Chinese); it showed nothing.
    void readFailed(const QString& text);

private:
    void checkRead();
    QWidget* buildFilters();
    QWidget* buildBestTimes();
    QWidget* buildChartBox();
    TestFilter currentFilter() const;
    void reloadTests();
    // The columns' designed widths, widened in proportion to fill the table.
    void fitColumns();
    void reloadBestTimes();
    void fillChartLevels();
    void fillChartTypes();
    void selectChartExercise(const Exercise& exercise);
    void reloadChart();
    void exportCsv();

    RecordQueries& store_;
    const RecordsServices& services_;
    qint64 pupil_ = 0;
    QString pupilName_;
    QComboBox* operation_ = nullptr;
    QComboBox* mode_ = nullptr;
    QComboBox* period_ = nullptr;
    QLabel* count_ = nullptr;
    TestTableModel* model_ = nullptr;
    QTableView* table_ = nullptr;
    QTableWidget* best_ = nullptr;
    QWidget* charts_ = nullptr;
    std::vector<BestTime> bestTimes_;
    QComboBox* chartOperation_ = nullptr;
    QComboBox* chartLevel_ = nullptr;
    QComboBox* chartType_ = nullptr;
    ProgressChart* chart_ = nullptr;
    FluencyChart* fluency_ = nullptr;
};

} // namespace zorvel::records
