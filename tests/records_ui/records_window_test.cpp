// The records window over an in-memory store: filters, the chart, CSV export,
// removing a pupil, ticking a listening question, "重练"; and the menu's
// "学习记录" button with the pupil's name.
#include "design_units/screen_units.h"
#include "fact_grid/fact_grid.h"
#include "fact_grid/fact_texts.h"
#include "records_window/plan_button.h"
#include "records_window/fluency_chart.h"
#include "records_window/progress_chart.h"
#include "records_window/records_window.h"
#include "records_window/week_tab.h"
#include "shell/main_menu.h"
#include "tests/records_ui/fake_record_store.h"

#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QHelpEvent>
#include <QWheelEvent>

using namespace zorvel;
using namespace zorvel::records;
using zorvel::testing::FakeRecordStore;
using zorvel::testing::exerciseOf;

namespace {

const QDate today(2026, 12, 7);

// What the dialogs were asked, and the answers they give.
struct Dialogs {
    QStringList asked;
    bool confirmAnswer = false;
    QString saveTo;
    QString suggested;
    RecordsServices services()
    {
        RecordsServices s;
        s.today = [] { return today; };
        s.dialogs.askText = [this](QWidget*, const QString&, const QString& prompt, const QString&) {
            asked << prompt;
            return std::optional<QString>();
        };
        s.dialogs.confirm = [this](QWidget*, const QString&, const QString& question) {
            asked << question;
            return confirmAnswer;
        };
        s.dialogs.chooseSaveFile = [this](QWidget*, const QString&, const QString& path) {
            suggested = path;
            return saveTo;
        };
        s.dialogs.tell = [this](QWidget*, const QString&, const QString& text) { asked << text; };
        return s;
    }
};

TestRow finishedTest(const Exercise& exercise, const QDateTime& started, const QString& time, int wrong)
{
    TestRow row;
    row.exercise = exercise;
    row.started = started;
    row.questions = 10;
    row.wrongAnswers = wrong;
    row.wrongQuestions = wrong;
    row.answered = row.questions;
    row.time = time;
    row.ended = TestEnd::Finished;
    return row;
}

// Three addition tests (one today), one subtraction test, one listening test.
void fillSmall(FakeRecordStore& store)
{
    const Exercise add = exerciseOf("add", "normal", "Option4", "integer");
    store.addTest(1, finishedTest(add, QDateTime(today.addDays(-40), QTime(18, 0)), "1:20.00", 2));
    store.addTest(1, finishedTest(add, QDateTime(today.addDays(-3), QTime(18, 0)), "1:10.00", 1));
    store.addTest(1, finishedTest(add, QDateTime(today, QTime(8, 30)), "1:05.50", 0));
    store.addTest(1, finishedTest(exerciseOf("sub", "normal", "Option4", "integer"), QDateTime(today, QTime(9, 0)), "1:30.00", 3));
    TestRow listening = finishedTest(exerciseOf("add", "listening", "Option4", "integer"), QDateTime(today, QTime(9, 30)), {}, 0);
    listening.questions = 20;
    const qint64 id = store.addTest(1, listening);
    std::vector<ListeningQuestion> questions;
    for (int n = 1; n <= 20; ++n)
        questions.push_back({500 + n, n, {{QString::number(10 + n), QStringLiteral("7"), {}}, QString::number(17 + n)}, false});
    store.addListeningQuestions(id, questions);
}

int shownRows(RecordsWindow& window)
{
    return window.findChild<QTableView*>("grdTests")->model()->rowCount();
}

void choose(RecordsWindow& window, const char* combo, const QString& text)
{
    auto* box = window.findChild<QComboBox*>(combo);
    QVERIFY2(box->findText(text) >= 0, qPrintable(text));
    box->setCurrentIndex(box->findText(text));
}

} // namespace

class RecordsWindowTest : public QObject {
    Q_OBJECT
private slots:
    void chartDatesNamedOnceEach_data()
    {
        QTest::addColumn<int>("days");
        for (int days : {0, 1, 3, 5, 6, 13, 100, 399, 401, 3650})
            QTest::addRow("%d days", days) << days;
    }
    void chartDatesNamedOnceEach()
    {
        QFETCH(int, days);
        const QDate first(2026, 12, 7);
        const QDate last = first.addDays(days);
        const std::vector<QDate> dates = labelledDates(first, last, 6);
        QVERIFY(!dates.empty() && dates.size() <= 6);
        QVERIFY(std::is_sorted(dates.begin(), dates.end()));
        QVERIFY(std::adjacent_find(dates.begin(), dates.end()) == dates.end());
        QVERIFY(dates.front() >= first && dates.back() <= last);
        const QString format = days > 400 ? QStringLiteral("yyyy-MM") : QStringLiteral("MM-dd");
        QStringList names;
        for (const QDate& date : dates)
            names.append(date.toString(format));
        QCOMPARE(names.removeDuplicates(), 0);
    }

    // Three tests on one day and one the next: the chart names 12-07 and
    // 12-08 once each, draws the day's tests side by side within their day,
    // and never shortens an axis's labels.
    void sameDayTestsSideBySide()
    {
        const QDate day(2026, 12, 7);
        const std::vector<ChartPoint> points = {{QDateTime(day, QTime(9, 0)), 60, 1},
                                                {QDateTime(day.addDays(1), QTime(8, 0)), 50, 0},
                                                {QDateTime(day, QTime(10, 0)), 55, 2},
                                                {QDateTime(day, QTime(11, 0)), 52, 0}};
        const std::vector<PlotPoint> shown = thinnedPoints(points, 300).first;
        const std::vector<double> x = dayPositions(shown, day);
        QCOMPARE(x.size(), size_t(4));
        QVERIFY(x[0] > 0 && x[0] < x[1] && x[1] < x[2] && x[2] < 1 && x[3] > 1 && x[3] < 2);

        ProgressChart chart;
        chart.setPoints(points, QStringLiteral("加法"));
        const QList<QAbstractAxis*> across = chart.chart()->axes(Qt::Horizontal);
        QCOMPARE(across.size(), 1);
        auto* dates = qobject_cast<QCategoryAxis*>(across.front());
        QVERIFY(dates);
        QCOMPARE(dates->categoriesLabels(), QStringList({"12-07", "12-08"}));
        for (QAbstractAxis* axis : chart.chart()->axes())
            QVERIFY(!axis->truncateLabels());
    }

    // The offscreen screen is smaller than the window: it opens scaled down
    // as a whole within the free area, its tables' dates and captions whole.
    void windowFitsTheScreenWithTablesUncut()
    {
        FakeRecordStore store;
        fillSmall(store);
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        const QRect room = window.screen()->availableGeometry();
        QVERIFY(window.width() < twipsToPixels(15210));
        QVERIFY(window.height() + 32 <= room.height());
        QVERIFY(window.findChild<QLabel*>("lblHeading")->font().pointSizeF() < 28);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(room.contains(window.frameGeometry()));
        QAbstractItemView* table = window.findChild<QTableView*>("grdTests");
        for (int column : {0, 1, 2, 3})
            QVERIFY2(table->sizeHintForColumn(column) <= static_cast<QTableView*>(table)->columnWidth(column), qPrintable(QString::number(column)));
    }

    // The window opens on the week of every pupil: a row each, a bar set each.
    void opensOnTheWeekOfEveryPupil()
    {
        FakeRecordStore store;
        PracticeWeek week;
        week.name = QStringLiteral("小明");
        week.days[6] = {today, 20, 15, 150000};
        week.days[5] = {today.addDays(-1), 10, 9, 60000};
        week.factsMastered = 3;
        PracticeWeek none;
        none.name = QStringLiteral("小红");
        store.weeks = {week, none};
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        auto* tabs = window.findChild<QTabWidget*>("tabRecords");
        QCOMPARE(tabs->currentWidget()->objectName(), QStringLiteral("tabWeek"));
        auto* table = window.findChild<QTableWidget*>("grdWeek");
        QStringList cells;
        for (int r = 0; r < table->rowCount(); ++r)
            for (int c = 0; c < table->columnCount(); ++c)
                cells << table->item(r, c)->text();
        QCOMPARE(cells.join(' '), QStringLiteral("小明 2 4 30 80% 3 0 小红 0 0 0 — 0 0"));
        QCOMPARE(window.findChild<WeekTab*>()->chart()->series().size(), 1);
    }

    // Looking at (or removing) another pupil never changes who is practising,
    // and a wheel notch over the pupil box changes nothing before it has the focus.
    void showingAPupilKeepsWhoIsPractising()
    {
        FakeRecordStore store;
        fillSmall(store);
        const qint64 sister = store.addPupil(QStringLiteral("小红"))->id;
        Dialogs dialogs;
        dialogs.confirmAnswer = true;
        RecordsWindow window(store, store, dialogs.services());
        window.show();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        auto* pupils = window.findChild<QComboBox*>("cboPupil");
        QVERIFY(!pupils->hasFocus());
        const QPointF centre = QRectF(pupils->rect()).center();
        QWheelEvent wheel(centre, pupils->mapToGlobal(centre), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(pupils, &wheel);
        QCOMPARE(pupils->currentText(), QStringLiteral("小明"));

        pupils->setFocus();
        QTest::keyClick(pupils, Qt::Key_Down);
        QCOMPARE(pupils->currentText(), QStringLiteral("小红"));
        QCOMPARE(store.lastFilter.pupil, std::optional<qint64>(sister));
        QCOMPARE(store.currentPupil().id, qint64(1));
        window.findChild<QPushButton*>("cmdRemovePupil")->click();
        QCOMPARE(store.pupils().size(), size_t(1));
        QCOMPARE(store.currentPupil().id, qint64(1));
        QCOMPARE(pupils->currentText(), QStringLiteral("小明"));
    }

    void factsTabShowsTheGridAndThePlanIsSetPerPupilLine()
    {
        FakeRecordStore store;
        facts::MemoryFactStore facts;
        const facts::Fact wrong{facts::FactSet::Mul, 7, 8};
        const facts::Fact added{facts::FactSet::Add, 2, 3};
        facts.recordAnswer({wrong.index(), false, 2500, today.toJulianDay(), facts::Speed::Standard});
        Dialogs dialogs;
        RecordsServices services = dialogs.services();
        services.facts = &facts;
        RecordsWindow window(store, store, services);
        auto* tabs = window.findChild<QTabWidget*>("tabRecords");
        QCOMPARE(tabs->tabText(4), QStringLiteral("口诀掌握"));
        auto* grid = window.findChild<facts::FactGrid*>("gridFacts");
        QCOMPARE(grid->sets(), std::vector<facts::FactSet>{facts::FactSet::Mul});
        QCOMPARE(grid->cellColour(wrong), facts::gridColour(facts::Colour::Red));
        QCOMPARE(grid->cellDescription(wrong), QStringLiteral("7 × 8 = 56：答过 1 次，答对 0 次，上次答错，下次：今天到期"));
        QCOMPARE(window.findChild<QLabel*>("lblFactsPlan")->text(), QStringLiteral("今天：20 题，其中新题 19"));

        // The plan, from the pupil line: addition added, the strict speed.
        auto* plan = window.findChild<PlanButton*>("cmdPlan");
        QVERIFY(plan->speedAction(facts::Speed::Standard)->isChecked());
        QCOMPARE(plan->speedAction(facts::Speed::Gentle)->text(), QStringLiteral("宽松（每题 6 秒，答案每多一位加 1 秒）"));
        QCOMPARE(plan->speedAction(facts::Speed::Strict)->text(), QStringLiteral("严格（每题 2 秒，答案每多一位加 1 秒）"));
        plan->setAction(facts::FactSet::Add)->trigger();
        plan->speedAction(facts::Speed::Strict)->trigger();
        QCOMPARE(facts.plan().sets, (std::vector<facts::FactSet>{facts::FactSet::Add, facts::FactSet::Mul}));
        QCOMPARE(facts.plan().speed, facts::Speed::Strict);
        QCOMPARE(grid->sets(), (std::vector<facts::FactSet>{facts::FactSet::Add, facts::FactSet::Mul}));
        QCOMPARE(grid->cellColour(added), facts::gridColour(facts::Colour::Grey));
        QVERIFY(grid->cellRect(added).isValid());

        // Hovering a cell tells about it; so does the focus, moved by the arrow keys.
        window.show();
        tabs->setCurrentWidget(grid->parentWidget());
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const QPoint centre = grid->cellRect(wrong).center();
        QCOMPARE(grid->factAt(centre)->index(), wrong.index());
        QHelpEvent hover(QEvent::ToolTip, centre, grid->mapToGlobal(centre));
        QApplication::sendEvent(grid, &hover);
        QTRY_COMPARE(QToolTip::text(), grid->cellDescription(wrong));
        QToolTip::hideText();
        grid->setFocus();
        QTest::keyClick(grid, Qt::Key_PageDown);
        for (int i = 0; i < 6; ++i)
            QTest::keyClick(grid, Qt::Key_Down);
        for (int i = 0; i < 7; ++i)
            QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(grid->focusedDescription(), grid->cellDescription(wrong));
        QCOMPARE(grid->accessibleDescription(), grid->cellDescription(wrong));

        // The last set chosen cannot be taken away.
        plan->setAction(facts::FactSet::Mul)->trigger();
        plan->setAction(facts::FactSet::Add)->trigger();
        QVERIFY(plan->setAction(facts::FactSet::Add)->isChecked());
        QCOMPARE(facts.plan().sets, std::vector<facts::FactSet>{facts::FactSet::Add});
    }

    void filtersChooseTheRowsAndTheChartOpensOnTheLatestExercise()
    {
        FakeRecordStore store;
        fillSmall(store);
        store.problemText = QStringLiteral("记录文件损坏,本次练习不会被记录。");
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        QCOMPARE(window.findChild<QLabel*>("lblProblem")->text(), store.problemText);
        QVERIFY(!window.findChild<QLabel*>("lblProblem")->isHidden());

        QCOMPARE(shownRows(window), 5);
        QCOMPARE(store.lastFilter.pupil, std::optional<qint64>(1));
        choose(window, "cboOperation", QStringLiteral("加法"));
        QCOMPARE(shownRows(window), 4);
        choose(window, "cboMode", QStringLiteral("普通模式"));
        QCOMPARE(shownRows(window), 3);
        choose(window, "cboPeriod", QStringLiteral("最近7天"));
        QCOMPARE(shownRows(window), 2);
        QCOMPARE(store.lastFilter.since, std::optional<QDate>(today.addDays(-6)));
        choose(window, "cboPeriod", QStringLiteral("今天"));
        QCOMPARE(store.lastFilter.since, std::optional<QDate>(today));
        QCOMPARE(window.findChild<QLabel*>("lblTestCount")->text(), QStringLiteral("共 1 次测试"));

        // Newest finished normal test: subtraction, one point.
        QCOMPARE(window.findChild<QComboBox*>("cboChartOperation")->currentText(), QStringLiteral("减法"));
        QCOMPARE(window.findChild<QComboBox*>("cboChartLevel")->currentText(), QStringLiteral("2位 − 1位"));
        QCOMPARE(window.findChild<ProgressChart*>("chtProgress")->shownPointCount(), 1);
        auto* chartOperation = window.findChild<QComboBox*>("cboChartOperation");
        chartOperation->setCurrentIndex(chartOperation->findText(QStringLiteral("加法")));
        emit chartOperation->activated(chartOperation->currentIndex());
        QCOMPARE(window.findChild<QComboBox*>("cboChartLevel")->currentText(), QStringLiteral("20以内"));
        auto* level = window.findChild<QComboBox*>("cboChartLevel");
        level->setCurrentIndex(level->findText(QStringLiteral("2位 + 1位")));
        emit level->activated(level->currentIndex());
        QCOMPARE(window.findChild<ProgressChart*>("chtProgress")->shownPointCount(), 3);
    }

    // A 达标测试 is listed with the others: its mode, time used with the
    // limit, and its result instead of how it ended; a daily practice too.
    void fluencyTestAndPracticeShowTheirResults()
    {
        FakeRecordStore store;
        fillSmall(store);
        TestRow fluency = finishedTest(exerciseOf("mul", "fluency", "Option3", "integer"), QDateTime(today, QTime(10, 0)), {}, 2);
        fluency.questions = 59;  // the limit ended it before the last question
        fluency.fluency = FluencyResult{QStringLiteral("times-table-60"), 300, 60, 58, 252400, true};
        TestRow early = fluency;  // handed in after 20 s with 22 right
        early.started = fluency.started.addDays(-1);
        early.fluency = FluencyResult{QStringLiteral("times-table-60"), 300, 60, 22, 20000, false};
        store.addTest(1, early);
        store.addTest(1, fluency);
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        choose(window, "cboMode", QStringLiteral("达标测试"));
        QCOMPARE(store.lastFilter.mode, QStringLiteral("fluency"));
        QAbstractItemModel* model = window.findChild<QTableView*>("grdTests")->model();
        QCOMPARE(model->rowCount(), 2);
        QCOMPARE(model->index(0, 1).data().toString(), QStringLiteral("乘法 达标测试"));
        QCOMPARE(model->index(0, 2).data().toString(), QStringLiteral("1位 × 1位"));
        QCOMPARE(model->index(0, 4).data().toString(), QStringLiteral("60"));
        QCOMPARE(model->index(0, 5).data().toString(), QStringLiteral("2"));
        QCOMPARE(model->index(0, 6).data().toString(), QStringLiteral("4:12 / 5:00"));
        QCOMPARE(model->index(0, 7).data().toString(), QStringLiteral("达标 正确 58 / 60"));

        // A daily practice: 今日练习 in the 模式 filter, with its sets, its
        // questions, time and the questions right at the first try.
        TestRow practice = finishedTest({"frmDaily", "mul,div", "practice", "mul,div", "乘法、除法", "integer"},
                                        QDateTime(today, QTime(11, 0)), QStringLiteral("3:05.20"), 3);
        practice.questions = 21;
        store.addTest(1, practice);
        choose(window, "cboMode", QStringLiteral("今日练习"));
        QCOMPARE(store.lastFilter.mode, QStringLiteral("practice"));
        QCOMPARE(model->rowCount(), 1);
        const QStringList cells = {"今日练习", "乘法、除法", "整数", "21", "3", "3:05.20", "完成 首次答对 18/21"};
        for (int c = 0; c < cells.size(); ++c)
            QCOMPARE(model->index(0, c + 1).data().toString(), cells[c]);


        // The chart: correct answers per minute of the whole limit, passes
        // apart from the rest, and the pass line: 54 correct in 5 minutes.
        auto* chart = window.findChild<FluencyChart*>("frmFluencyChart");
        QCOMPARE(window.findChild<QComboBox*>("cboFluencyTest")->currentText(), QStringLiteral("表内乘法 60 题 · 限时 5 分钟"));
        QCOMPARE(chart->shownValues(true), QList<double>{11.6});
        QCOMPARE(chart->shownValues(false), QList<double>{4.4});
        QCOMPARE(chart->passLine(), std::optional<double>(10.8));
    }

    // A normal test counts the questions wrong at the first try, as the
    // window said; a listening test with nothing typed was not marked here.
    void testsCountWrongQuestionsNotWrongAnswers()
    {
        FakeRecordStore store;
        TestRow normal = finishedTest(exerciseOf("add", "normal", "Option4", "integer"), QDateTime(today, QTime(8, 0)), "1:05.00", 11);
        normal.wrongQuestions = 2;
        normal.answered = 10;
        store.addTest(1, normal);
        TestRow listening = finishedTest(exerciseOf("add", "listening", "Option4", "integer"), QDateTime(today, QTime(9, 0)), {}, 0);
        listening.answered = 0;
        store.addTest(1, listening);
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        QAbstractItemModel* model = window.findChild<QTableView*>("grdTests")->model();
        QCOMPARE(model->index(0, 5).data().toString(), QString());
        QCOMPARE(model->index(0, 7).data().toString(), QStringLiteral("未批改"));
        QCOMPARE(model->index(1, 5).data().toString(), QStringLiteral("2"));
        QCOMPARE(model->index(1, 7).data().toString(), QStringLiteral("完成"));
    }

    // Each period runs from its first day to the end of today: a test dated
    // tomorrow (the clock was set back) is in none of them but 全部.
    void periodsHaveBothBounds_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<int>("rows");
        QTest::newRow("today") << QStringLiteral("今天") << 1;
        QTest::newRow("7 days") << QStringLiteral("最近7天") << 2;
        QTest::newRow("all") << QStringLiteral("全部") << 4;
    }

    void periodsHaveBothBounds()
    {
        QFETCH(QString, period);
        QFETCH(int, rows);
        FakeRecordStore store;
        const Exercise add = exerciseOf("add", "normal", "Option4", "integer");
        for (int daysAgo : {7, 6, 0, -1})
            store.addTest(1, finishedTest(add, QDateTime(today.addDays(-daysAgo), QTime(0, 0)), "1:00.00", 0));
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        choose(window, "cboPeriod", period);
        QCOMPARE(shownRows(window), rows);
    }

    // A read that fails is said in the window, never shown as the whole record.
    void readThatFailsIsSaidAndNotCounted()
    {
        FakeRecordStore store;
        fillSmall(store);
        store.readFailure = QStringLiteral("学习记录文件有损坏，没能完整读出。");
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        auto* problem = window.findChild<QLabel*>("lblProblem");
        QCOMPARE(problem->text(), store.readFailure);
        QVERIFY(!problem->isHidden());
        QVERIFY2(!window.findChild<QLabel*>("lblTestCount")->text().contains(QStringLiteral("共")),
                 qPrintable(window.findChild<QLabel*>("lblTestCount")->text()));
    }

    void csvExportQuotesFieldsAndReportsAFailedSave()
    {
        FakeRecordStore store;
        Exercise odd = exerciseOf("add", "normal", "Option4", "integer");
        odd.levelCaption = QStringLiteral("2位 + 1位, \"难\"");
        store.addTest(1, finishedTest(odd, QDateTime(today, QTime(8, 5)), "1:07.06", 1));
        QTemporaryDir dir;
        Dialogs dialogs;
        dialogs.saveTo = dir.filePath(QStringLiteral("记录.csv"));
        RecordsWindow window(store, store, dialogs.services());
        window.findChild<QPushButton*>("cmdExport")->click();

        QFile file(dialogs.saveTo);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected = QByteArray("\xEF\xBB\xBF")
            + QStringLiteral("日期时间,窗口,难度,类型,题数,错题数,用时,结果\r\n"
                             "2026-12-07 08:05,加法 普通模式,\"2位 + 1位, \"\"难\"\"\",整数,10,1,1:07.06,完成\r\n").toUtf8();
        QCOMPARE(file.readAll(), expected);
        QVERIFY(dialogs.asked.last().startsWith(QStringLiteral("已把 1 次测试保存到")));

        dialogs.saveTo = dir.filePath(QStringLiteral("没有这个文件夹/记录.csv"));
        window.findChild<QPushButton*>("cmdExport")->click();
        QVERIFY2(dialogs.asked.last().startsWith(QStringLiteral("无法保存")), qPrintable(dialogs.asked.last()));
    }

    // A pupil's name is shown as typed ("%2" is no placeholder) and a name of
    // any length gives a file name a file system takes.
    void pupilNamesStayAsTypedInMessagesAndFileNames()
    {
        FakeRecordStore store;
        fillSmall(store);
        store.addPupil(QStringLiteral("小红"));
        Dialogs dialogs;
        for (const QString& name : {QStringLiteral("小%2明%1"), QString(10000, QChar(0x660E))}) {
            QVERIFY(store.renamePupil(1, name));
            RecordsWindow window(store, store, dialogs.services());
            window.findChild<QPushButton*>("cmdRemovePupil")->click();
            QVERIFY2(dialogs.asked.last().startsWith(QStringLiteral("将删除 ") + name + QStringLiteral(" 的 5 次测试记录")),
                     qPrintable(dialogs.asked.last().left(80)));
            window.findChild<QPushButton*>("cmdExport")->click();
            const QString file = QFileInfo(dialogs.suggested).fileName();
            QVERIFY2(file.toUtf8().size() <= 255 && file.endsWith(QStringLiteral(".csv")), qPrintable(file.left(80)));
        }
    }

    void removingAPupilNamesWhatIsLostAndCancelKeepsIt()
    {
        FakeRecordStore store;
        fillSmall(store);
        store.addMistake(1, {0, exerciseOf("add", "normal", "Option4", "integer"), {{"23", "9", {}}, "32"}, 2, QDateTime(today, QTime(8, 0))});
        const qint64 sister = store.addPupil(QStringLiteral("小红"))->id;
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        auto* pupils = window.findChild<QComboBox*>("cboPupil");
        QCOMPARE(pupils->count(), 2);

        window.findChild<QPushButton*>("cmdRemovePupil")->click();
        QVERIFY2(dialogs.asked.last().contains(QStringLiteral("将删除 小明 的 5 次测试记录和 1 道错题")), qPrintable(dialogs.asked.last()));
        QCOMPARE(store.removals, 0);
        QCOMPARE(store.pupils().size(), size_t(2));

        dialogs.confirmAnswer = true;
        window.findChild<QPushButton*>("cmdRemovePupil")->click();
        QCOMPARE(store.pupils().size(), size_t(1));
        QCOMPARE(pupils->count(), 1);
        QCOMPARE(pupils->currentText(), QStringLiteral("小红"));
        QCOMPARE(store.lastFilter.pupil, std::optional<qint64>(sister));
        QCOMPARE(shownRows(window), 0);
        QVERIFY(!window.findChild<QPushButton*>("cmdRemovePupil")->isEnabled());
    }

    void tickingAListeningQuestionPutsItInTheBook()
    {
        FakeRecordStore store;
        fillSmall(store);
        Dialogs dialogs;
        RecordsWindow window(store, store, dialogs.services());
        window.show();
        window.findChild<QTabWidget*>("tabRecords")->setCurrentIndex(3);
        auto* questions = window.findChild<QListWidget*>("lstListeningQuestions");
        QCOMPARE(questions->count(), 20);
        QCOMPARE(questions->item(2)->text(), QStringLiteral(" 3. 13 + 7 = 20"));
        questions->item(2)->setCheckState(Qt::Checked);
        questions->item(2)->setCheckState(Qt::Unchecked);
        QCOMPARE(store.bookChanges, (std::vector<std::pair<qint64, bool>>{{503, true}, {503, false}}));
    }

    void redoOpensTheNormalWindowOfTheGroup()
    {
        FakeRecordStore store;
        store.addMistake(1, {0, exerciseOf("mul", "normal", "Option5", "integer"), {{"12", "3", {}}, "36"}, 1, QDateTime(today, QTime(8, 0))});
        store.addMistake(1, {0, exerciseOf("add", "listening", "Option6", "integer"), {{"123", "9", {}}, "132"}, 1, QDateTime(today, QTime(8, 0))});
        Dialogs dialogs;
        RecordsServices services = dialogs.services();
        QStringList opened;
        services.openRedo = [&](const QString& window, const QString& level, const QString& type) {
            opened << window + QLatin1Char(' ') + level + QLatin1Char(' ') + type;
        };
        RecordsWindow window(store, store, services);
        window.show();
        window.findChild<QTabWidget*>("tabRecords")->setCurrentIndex(3);
        const QList<QPushButton*> redo = window.findChildren<QPushButton*>("cmdRedo");
        QCOMPARE(redo.size(), 2);
        for (QPushButton* button : redo)
            button->click();
        opened.sort();
        QCOMPARE(opened, (QStringList{"Form81 Option6 integer", "Form84 Option5 integer"}));
    }

    void menuButtonOpensTheRecordsWindowAndShowsThePupil()
    {
        FakeRecordStore store;
        Dialogs dialogs;
        MainMenu menu(nullptr, HelpPages([](const QUrl&, const BrowserOutcome&) {}, QString()));
        auto* button = menu.findChild<QPushButton*>("cmdRecords");
        QVERIFY(button);
        QCOMPARE(button->text(), QStringLiteral("学习记录"));
        menu.show();
        menu.resize(twipsSize(15315, 11070));
        QCOMPARE(button->geometry(), twipsRect(9720, 8400, 1500, 600));
        QCOMPARE(button->font(), menu.findChild<QPushButton*>("Command5")->font());
        button->click();   // nothing to open yet: nothing happens

        QString opened;
        menu.setRecords([&] { return std::make_unique<RecordsWindow>(store, store, dialogs.services()); },
                        [&] { return store.currentPupil().name; });
        auto* pupil = menu.findChild<QLabel*>("lblPupil");
        QCOMPARE(pupil->text(), QStringLiteral("学生：小明"));
        menu.show();
        QTimer::singleShot(0, &menu, [&] {
            QWidget* window = QApplication::activeModalWidget();
            opened = window ? window->objectName() : QString();
            store.renamePupil(1, QStringLiteral("明明"));
            if (window)
                window->findChild<QPushButton*>("cmdBack")->click();
        });
        button->click();
        QCOMPARE(opened, QStringLiteral("frmRecords"));
        QCOMPARE(pupil->text(), QStringLiteral("学生：明明"));
    }
};

QTEST_MAIN(RecordsWindowTest)
#include "records_window_test.moc"
