// The 成绩 tab: filters, the table of tests, best times, chart and export.
#include "records_window/results_tab.h"
#include "choice_box/choice_box.h"

#include "common/window_texts.h"
#include "questions/catalogue.h"
#include "design_units/screen_units.h"
#include "records/csv_export.h"
#include "records_window/fluency_chart.h"
#include "records/pupil_names.h"
#include "records_window/progress_chart.h"
#include "records_window/record_controls.h"
#include "records_window/record_texts.h"
#include "records_window/test_table_model.h"

#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace zorvel::records {

namespace {

QComboBox* makeCombo(QWidget* parent, const char* name)
{
    auto* combo = new ChoiceBox(parent);
    combo->setObjectName(QLatin1String(name));
    combo->setFont(designFont(FontFace::Songti, 11));
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return combo;
}

QLabel* makeCaption(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* label = new QLabel(text, parent);
    label->setFont(designFont(FontFace::Songti, 11));
    label->setBuddy(buddy);
    return label;
}

void styleTable(QTableView* table)
{
    table->setFont(designFont(FontFace::Songti, 11));
    table->horizontalHeader()->setFont(designFont(FontFace::Heiti, 11, true));
    table->verticalHeader()->hide();
    table->verticalHeader()->setDefaultSectionSize(QFontMetrics(table->font()).height() + 2);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setAlternatingRowColors(true);
    table->setWordWrap(false);
}

// A pupil's name as part of a file name: no separators, blanks or invisible
// characters, and short enough for any file system (a record of an earlier
// version may hold a name of thousands of characters).
QString fileSafe(const QString& name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString safe;
    int characters = 0;
    for (const uint c : name.toUcs4()) {
        if (++characters > kLongestPupilName)
            break;
        const QChar::Category category = QChar::category(c);
        const bool unsafe = c < 0x10000 && (forbidden.contains(QChar(c)) || QChar(c).isSpace());
        if (unsafe || category == QChar::Other_Control || category == QChar::Other_Format)
            safe += QLatin1Char('_');
        else
            safe += QString::fromUcs4(reinterpret_cast<const char32_t*>(&c), 1);
    }
    return safe;
}

} // namespace

ResultsTab::ResultsTab(RecordQueries& store, const RecordsServices& services, QWidget* parent)
    : QWidget(parent), store_(store), services_(services)
{
    setObjectName(QStringLiteral("tabResults"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(buildFilters());

    model_ = new TestTableModel(this);
    table_ = new QTableView(this);
    table_->setObjectName(QStringLiteral("grdTests"));
    table_->setModel(model_);
    styleTable(table_);
    table_->horizontalHeader()->setStretchLastSection(true);
    // At least twelve tests in view; the table takes whatever height the
    // window gains.
    table_->setMinimumHeight(table_->horizontalHeader()->sizeHint().height()
                             + 12 * table_->verticalHeader()->defaultSectionSize() + 2 * table_->frameWidth());
    layout->addWidget(table_, 1);
    fitColumns();

    layout->addWidget(buildBestTimes(), 0);

    // The charts have a tab of their own (chartsPage()): beside a table
    // of twelve rows on a small screen they would be too low to read.
    charts_ = new QWidget(this);
    charts_->setObjectName(QStringLiteral("tabCharts"));
    charts_->hide();
    auto* chartsLayout = new QHBoxLayout(charts_);
    chartsLayout->addWidget(buildChartBox(), 1);
    fluency_ = new FluencyChart(charts_);
    chartsLayout->addWidget(fluency_, 1);
}

// Fixed widths, not measured (measuring sixty thousand rows to fit them
// would take seconds), in their designed proportions across the width.
void ResultsTab::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    fitColumns();
}

void ResultsTab::fitColumns()
{
    static const int widthsTwips[TestTableModel::ColumnCount] = {2250, 2250, 1650, 1200, 825, 1125, 1200, 1800};
    int designed = 0;
    for (int twips : widthsTwips)
        designed += twipsToPixels(twips);
    const qreal widen = std::max<qreal>(1.0, qreal(table_->viewport()->width()) / designed);
    for (int c = 0; c < TestTableModel::ColumnCount - 1; ++c)
        table_->setColumnWidth(c, qRound(twipsToPixels(widthsTwips[c]) * widen));
}

QWidget* ResultsTab::buildFilters()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    operation_ = makeCombo(row, "cboOperation");
    operation_->addItem(QStringLiteral("全部"), QString());
    for (Operation op : kAllOperations)
        operation_->addItem(catalogueText(operationInfo(op).name), catalogueText(operationInfo(op).key));
    mode_ = makeCombo(row, "cboMode");
    mode_->addItem(QStringLiteral("全部"), QString());
    mode_->addItem(modeText(QStringLiteral("normal")), QStringLiteral("normal"));
    mode_->addItem(modeText(QStringLiteral("listening")), QStringLiteral("listening"));
    mode_->addItem(modeText(QStringLiteral("fluency")), QStringLiteral("fluency"));
    mode_->addItem(modeText(QStringLiteral("practice")), QStringLiteral("practice"));
    period_ = makeCombo(row, "cboPeriod");
    period_->addItem(QStringLiteral("全部"), -1);
    period_->addItem(QStringLiteral("今天"), 0);
    period_->addItem(QStringLiteral("最近7天"), 6);
    period_->addItem(QStringLiteral("最近30天"), 29);
    period_->addItem(QStringLiteral("最近一年"), 364);
    count_ = new QLabel(row);
    count_->setObjectName(QStringLiteral("lblTestCount"));
    count_->setFont(designFont(FontFace::Songti, 11));
    QPushButton* exportButton = makeButton(row, "cmdExport", QStringLiteral("导出表格…"), 11);
    exportButton->setToolTip(QStringLiteral("把表格里的测试保存为 CSV 文件，可以用电子表格打开"));

    layout->addWidget(makeCaption(row, QStringLiteral("运算："), operation_));
    layout->addWidget(operation_);
    layout->addSpacing(12);
    layout->addWidget(makeCaption(row, QStringLiteral("模式："), mode_));
    layout->addWidget(mode_);
    layout->addSpacing(12);
    layout->addWidget(makeCaption(row, QStringLiteral("时间："), period_));
    layout->addWidget(period_);
    layout->addSpacing(12);
    layout->addWidget(count_, 1);
    layout->addWidget(exportButton);

    for (QComboBox* combo : {operation_, mode_, period_})
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, &ResultsTab::reloadTests);
    connect(exportButton, &QPushButton::clicked, this, &ResultsTab::exportCsv);
    return row;
}

QWidget* ResultsTab::buildBestTimes()
{
    QGroupBox* frame = makeFrame(this, QStringLiteral("最好成绩（普通模式）"));
    auto* layout = new QVBoxLayout(frame);
    best_ = new QTableWidget(0, 5, frame);
    best_->setObjectName(QStringLiteral("grdBest"));
    best_->setHorizontalHeaderLabels({QStringLiteral("运算"), QStringLiteral("难度"), QStringLiteral("类型"),
                                      QStringLiteral("最好成绩"), QStringLiteral("日期")});
    styleTable(best_);
    // A row per exercise practised, a hundred at most: measured to fit.
    best_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    best_->horizontalHeader()->setStretchLastSection(true);
    best_->setMaximumHeight(twipsToPixels(2400));
    best_->setToolTip(QStringLiteral("点一行，“进步曲线”就显示这个难度和类型的进步"));
    layout->addWidget(best_);
    connect(best_, &QTableWidget::cellClicked, this, [this](int row, int) {
        if (row >= 0 && row < static_cast<int>(bestTimes_.size()))
            selectChartExercise(bestTimes_[static_cast<size_t>(row)].exercise);
    });
    return frame;
}

QWidget* ResultsTab::buildChartBox()
{
    QGroupBox* frame = makeFrame(this, QStringLiteral("进步曲线（普通模式，完成的测试）"));
    auto* layout = new QVBoxLayout(frame);
    auto* choice = new QHBoxLayout;
    chartOperation_ = makeCombo(frame, "cboChartOperation");
    for (Operation op : kAllOperations)
        chartOperation_->addItem(catalogueText(operationInfo(op).name), catalogueText(operationInfo(op).key));
    chartLevel_ = makeCombo(frame, "cboChartLevel");
    chartType_ = makeCombo(frame, "cboChartType");
    choice->addWidget(chartOperation_);
    choice->addWidget(chartLevel_);
    choice->addWidget(chartType_);
    choice->addStretch(1);
    layout->addLayout(choice);
    chart_ = new ProgressChart(frame);
    chart_->setMinimumHeight(twipsToPixels(3000));
    layout->addWidget(chart_, 1);

    connect(chartOperation_, qOverload<int>(&QComboBox::activated), this, [this] {
        fillChartLevels();
        fillChartTypes();
        reloadChart();
    });
    connect(chartLevel_, qOverload<int>(&QComboBox::activated), this, &ResultsTab::reloadChart);
    connect(chartType_, qOverload<int>(&QComboBox::activated), this, &ResultsTab::reloadChart);
    return frame;
}

void ResultsTab::showPupil(qint64 pupil, const QString& name)
{
    pupil_ = pupil;
    pupilName_ = name;
    reloadTests();
    reloadBestTimes();
    TestFilter fluencyTests;
    fluencyTests.pupil = pupil;
    fluencyTests.mode = QStringLiteral("fluency");
    fluency_->setTests(store_.tests(fluencyTests));
    // The chart opens on the exercise practised last in normal mode.
    Exercise latest;
    for (const TestRow& row : model_->rows()) {
        if (row.exercise.mode == QLatin1String("normal") && row.ended == TestEnd::Finished) {
            latest = row.exercise;
            break;
        }
    }
    if (latest.window.isEmpty() && !bestTimes_.empty())
        latest = bestTimes_.front().exercise;
    selectChartExercise(latest);
}

TestFilter ResultsTab::currentFilter() const
{
    TestFilter filter;
    filter.pupil = pupil_;
    filter.operation = operation_->currentData().toString();
    filter.mode = mode_->currentData().toString();
    const int days = period_->currentData().toInt();
    if (days >= 0) {
        // Up to the end of today: a test dated later (the clock was once
        // ahead) belongs to no period.
        const QDate today = services_.today();
        filter.since = days == 364 ? today.addYears(-1).addDays(1) : today.addDays(-days);
        filter.until = today;
    }
    return filter;
}

void ResultsTab::reloadTests()
{
    model_->setRows(store_.tests(currentFilter()));
    const bool whole = store_.readProblem().isEmpty();
    count_->setText(whole ? QStringLiteral("共 %1 次测试").arg(model_->rowCount()) : QStringLiteral("记录没能读出"));
    checkRead();
}

void ResultsTab::checkRead()
{
    const QString problem = store_.readProblem();
    if (!problem.isEmpty())
        emit readFailed(problem);
}

void ResultsTab::reloadBestTimes()
{
    bestTimes_ = store_.bestTimes(pupil_);
    checkRead();
    best_->setRowCount(static_cast<int>(bestTimes_.size()));
    for (int r = 0; r < static_cast<int>(bestTimes_.size()); ++r) {
        const BestTime& best = bestTimes_[static_cast<size_t>(r)];
        const QString cells[5] = {operationText(best.exercise.operation), levelText(best.exercise),
                                  numberTypeText(best.exercise.operation, best.exercise.numberType), best.time,
                                  best.when.toString(QStringLiteral("yyyy-MM-dd"))};
        for (int c = 0; c < 5; ++c) {
            auto* item = new QTableWidgetItem(cells[c]);
            if (c == 3)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            best_->setItem(r, c, item);
        }
    }
}

void ResultsTab::fillChartLevels()
{
    const auto op = operationFromKey(chartOperation_->currentData().toString().toStdString());
    chartLevel_->clear();
    if (!op)
        return;
    for (Level level : offeredLevels(*op))
        chartLevel_->addItem(mathText(catalogueText(levelCaption(*op, level))), catalogueText(levelOptionName(*op, level)));
}

void ResultsTab::fillChartTypes()
{
    const auto op = operationFromKey(chartOperation_->currentData().toString().toStdString());
    chartType_->clear();
    for (NumberType type : kAllNumberTypes) {
        if (op && isNumberTypeOffered(*op, type)) {
            const QString key = catalogueText(numberTypeKey(type));
            chartType_->addItem(numberTypeText(chartOperation_->currentData().toString(), key), key);
        }
    }
}

void ResultsTab::selectChartExercise(const Exercise& exercise)
{
    const int opIndex = chartOperation_->findData(exercise.operation);
    chartOperation_->setCurrentIndex(opIndex >= 0 ? opIndex : 0);
    fillChartLevels();
    fillChartTypes();
    const auto op = operationFromKey(chartOperation_->currentData().toString().toStdString());
    const int levelIndex = chartLevel_->findData(exercise.levelOption);
    const int defaultIndex = op ? chartLevel_->findData(catalogueText(levelOptionName(*op, operationInfo(*op).defaultLevel))) : 0;
    chartLevel_->setCurrentIndex(levelIndex >= 0 ? levelIndex : std::max(defaultIndex, 0));
    const int typeIndex = chartType_->findData(exercise.numberType);
    chartType_->setCurrentIndex(typeIndex >= 0 ? typeIndex : 0);
    reloadChart();
}

void ResultsTab::reloadChart()
{
    const auto op = operationFromKey(chartOperation_->currentData().toString().toStdString());
    const QString window = op ? catalogueText(operationInfo(*op).normalWindow) : QString();
    const QString title = chartOperation_->currentText() + QLatin1Char(' ') + chartLevel_->currentText() +
                          QLatin1Char(' ') + chartType_->currentText();
    chart_->setPoints(store_.chart(pupil_, window, chartLevel_->currentData().toString(),
                                   chartType_->currentData().toString()),
                      title);
    checkRead();
}

void ResultsTab::exportCsv()
{
    const QString suggested = QDir::home().filePath(
        QStringLiteral("学习记录-%1-%2.csv").arg(fileSafe(pupilName_), services_.today().toString(Qt::ISODate)));
    const QString path = services_.dialogs.chooseSaveFile(this, QStringLiteral("导出表格"), suggested);
    if (path.isEmpty())
        return;
    const std::vector<TestRow>& rows = model_->rows();
    const QByteArray csv = csvDocument(TestTableModel::headers(), model_->rowCount(), [&](int r, int c) {
        return TestTableModel::cellText(rows[static_cast<size_t>(r)], c);
    });
    const QString error = saveFileAtomically(path, csv);
    if (error.isEmpty())
        services_.dialogs.tell(this, QStringLiteral("导出表格"), QStringLiteral("已把 %1 次测试保存到\n%2").arg(QString::number(rows.size()), QDir::toNativeSeparators(path)));
    else
        services_.dialogs.tell(this, QStringLiteral("导出表格"), QStringLiteral("无法保存 %1：%2").arg(QDir::toNativeSeparators(path), error));
}

} // namespace zorvel::records
