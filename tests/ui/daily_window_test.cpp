// The daily practice window driven through its widgets on a fake clock and
// an in-memory fact store: the plan shown before starting, a whole session
// with a right, a wrong and a timed-out answer (each missed fact one question
// more, said), what it stores and records, and the result with the grid.
#include "driver.h"

#include "design_units/screen_units.h"

#include "daily_practice/daily_window.h"
#include "daily_practice/session_result.h"
#include "fact_grid/fact_grid.h"
#include "fact_grid/fact_texts.h"

#include <QGroupBox>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;
using facts::Fact;

namespace {

const QDate kToday(2026, 12, 7);

} // namespace

class DailyWindowTest : public QObject {
    Q_OBJECT

private:
    Fakes fakes;
    facts::MemoryFactStore store;
    std::unique_ptr<QDialog> dialog;
    DailyPracticeWindow* window = nullptr;

    void open()
    {
        dialog = createDailyPracticeWindow(fakes.services(), store, [] { return kToday; });
        window = qobject_cast<DailyPracticeWindow*>(dialog.get());
        QVERIFY(window);
        dialog->resize(window->designSize());
        dialog->show();
        QVERIFY(QTest::qWaitForWindowActive(dialog.get()));
    }
    // Types the answer to the fact on screen (or a wrong one) after ms.
    void answer(bool right, int ms)
    {
        const std::optional<Fact> fact = window->currentFact();
        QVERIFY(fact);
        fakes.clock->now += ms;
        typeOnKeypad(window, QString::number(fact->answer() + (right ? 0 : 1)));
        click(window, "Command16");
    }

private slots:
    void init()
    {
        fakes = Fakes();
        fakes.recording = true;
        store = facts::MemoryFactStore();
    }

    void opensWithTheDaysPlanAndNoLevelChoice()
    {
        open();
        QCOMPARE(window->objectName(), QStringLiteral("frmDaily"));
        QCOMPARE(window->planCaption(), QStringLiteral("今天：20 题，其中新题 20"));
        QCOMPARE(caption(window, "Label7"), QStringLiteral("今日练习"));
        QVERIFY(!window->findChild<QGroupBox*>("Frame2")->isVisible());
        QVERIFY(!window->findChild<QGroupBox*>("Frame3")->isVisible());
        QVERIFY(button(window, "Command1")->isEnabled());
        QVERIFY(!button(window, "Command16")->isEnabled());
    }

    void wholeSessionStoresEveryAnswerAndShowsWhatChanged()
    {
        open();
        click(window, "Command1");
        QCOMPARE(caption(window, "Label7"), QStringLiteral("今日练习 第 1 / 20 题"));
        QCOMPARE(caption(window, "Label3"), QStringLiteral("×"));
        QCOMPARE(QApplication::focusWidget(), answerBox(window));

        // Right within T: the next question at once.
        const Fact first = *window->currentFact();
        answer(true, 1500);
        QCOMPARE(caption(window, "Label7"), QStringLiteral("今日练习 第 2 / 20 题"));
        QVERIFY(window->currentFact());
        QCOMPARE(store.answers().size(), 1u);
        QCOMPARE(store.answers()[0].fact, first.index());
        QCOMPARE(store.answers()[0].ms, 1500);
        QVERIFY(store.answers()[0].right);
        QCOMPARE(store.answers()[0].day, kToday.toJulianDay());

        // Wrong: the right answer is shown, the fact comes back as one
        // question more, and "出 题" goes on.
        const Fact wrong = *window->currentFact();
        answer(false, 2000);
        QCOMPARE(caption(window, "Label9(10)"), QStringLiteral("×"));
        QCOMPARE(caption(window, "lblCorrection"), QStringLiteral("正确答案\n") + keptTogether(catalogueText(wrong.withAnswer())));
        QVERIFY(window->planCaption().endsWith(catalogueText(wrong.text()) + QStringLiteral(" 稍后再练一次，今天共 21 题")));
        QCOMPARE(caption(window, "Label7"), QStringLiteral("今日练习 第 2 / 21 题"));
        QVERIFY(!window->currentFact());
        QVERIFY(!button(window, "Command5")->isEnabled());
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        QVERIFY(!store.answers().back().right);

        // No answer within 20 s.
        click(window, "Command1");
        QCOMPARE(caption(window, "lblCorrection"), QString());
        const Fact slow = *window->currentFact();
        fakes.clock->now += 19999;
        // A tick has seen the new time: 1.5 s + 2 s + 19.999 s since the start.
        QTRY_COMPARE(stopwatchText(window), QStringLiteral("0:23.50"));
        QVERIFY(window->currentFact());
        fakes.clock->now += 1;
        QTRY_VERIFY(!window->currentFact());
        QCOMPARE(caption(window, "lblCorrection"), QStringLiteral("时间到\n") + keptTogether(catalogueText(slow.withAnswer())));
        QVERIFY(window->planCaption().endsWith(catalogueText(slow.text()) + QStringLiteral(" 稍后再练一次，今天共 22 题")));
        QCOMPARE(store.answers().back().fact, slow.index());
        QCOMPARE(store.answers().back().ms, facts::kTimeoutMs);
        QVERIFY(!store.answers().back().right);

        click(window, "Command1");
        while (window->currentFact())
            answer(true, 1000);
        QCOMPARE(store.answers().size(), 22u);
        QVERIFY(button(window, "Command3")->isEnabled());
        QVERIFY(window->findChild<QWidget*>("pnlResult")->isVisible());
        QCOMPARE(caption(window, "Label7"), QStringLiteral("今日练习 完成 22 题"));
        // The session in the record: a practice test of the sets, every
        // question with its one answer (a timed-out one empty), and its time.
        const QStringList recorded = fakes.recorder->lines;
        QCOMPARE(recorded.first(), QStringLiteral("begin frmDaily mul practice mul 乘法 integer"));
        QCOMPARE(fakes.recorder->linesStarting("question").size(), 22);
        QCOMPARE(fakes.recorder->linesStarting("answer").size(), 22);
        QCOMPARE(fakes.recorder->linesStarting("answer 3  wrong").size(), 1);
        QCOMPARE(recorded.last(), QStringLiteral("end finished ") + stopwatchText(window));
        // The two missed facts came back and were answered right: nothing
        // is mastered after one day, nothing went back.
        QCOMPARE(caption(window, "lblChanges"), QStringLiteral("这次没有新掌握的口诀，也没有退步的。"));
        auto* grid = window->findChild<facts::FactGrid*>("gridFacts");
        QCOMPARE(grid->cellColour(first), facts::gridColour(facts::Colour::LightGreen));
        QCOMPARE(grid->cellColour(Fact{facts::FactSet::Mul, 9, 9}), facts::gridColour(facts::Colour::Grey));
        QVERIFY(grid->cellDescription(first).startsWith(catalogueText(first.withAnswer()) + QStringLiteral("：答过 1 次")));

        // Again the same day: the 20 new facts the plan promised were all
        // asked, and nothing is due before tomorrow.
        click(window, "Command3");
        QCOMPARE(window->planCaption(), QStringLiteral("今天的练习已经完成"));
    }

    // After "时间到" as after a wrong answer: the box takes no typing and
    // Enter on "出 题" goes on.
    // The end of a session names a fact newly mastered once however often it
    // was asked, a fact that fell back with its box, and nothing unchanged.
    void sessionChangesNameMasteredAndBackwardFacts()
    {
        const Fact mastered{facts::FactSet::Mul, 7, 8}, fallen{facts::FactSet::Mul, 6, 9},
            unchanged{facts::FactSet::Add, 3, 4};
        const facts::Day day = kToday.toJulianDay();
        const auto answer = [](const Fact& fact, bool right, facts::Day on) {
            return facts::FactAnswer{fact.index(), right, 1500, on, facts::Speed::Standard};
        };
        facts::FactBook before;
        before.apply(answer(mastered, true, day - 11));
        before.apply(answer(fallen, true, day - 11));
        before.apply(answer(fallen, true, day - 3));
        before.apply(answer(unchanged, false, day - 3));
        facts::FactBook after = before;
        after.apply(answer(mastered, true, day));
        after.apply(answer(fallen, false, day));
        after.apply(answer(unchanged, false, day));
        QVERIFY(after.state(mastered).isMastered() && !before.state(mastered).isMastered());
        QVERIFY(after.state(fallen).box < before.state(fallen).box);
        QCOMPARE(after.state(unchanged).box, before.state(unchanged).box);

        const QString changes = facts::sessionChanges(before, after, {mastered, fallen, unchanged, mastered});
        const auto written = [](const Fact& fact) { return facts::writtenFact(fact.text()); };
        const QString back = QStringLiteral("%1（回到第 %2 盒）").arg(written(fallen)).arg(after.state(fallen).box);
        QCOMPARE(changes, QStringLiteral("新掌握：") + keptTogether(written(mastered)) + QStringLiteral("\n退步：")
                              + keptTogether(back));
    }

    void timeoutClosesTheBox()
    {
        open();
        click(window, "Command1");
        fakes.clock->now += facts::kTimeoutMs;
        QTRY_VERIFY(!window->currentFact());
        QCOMPARE(QApplication::focusWidget(), button(window, "Command1"));
        QTest::keyClicks(answerBox(window), "33");
        QVERIFY(answerBox(window)->text().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QVERIFY(window->currentFact());
        QTest::keyClicks(answerBox(window), "3");
        QCOMPARE(answerBox(window)->text(), QStringLiteral("3"));
    }

    void nothingLeftSaysSo()
    {
        facts::PracticePlan none;
        none.sets.clear();
        store.setPlan(none);
        open();
        QCOMPARE(window->planCaption(), QStringLiteral("今天的练习已经完成"));
        QVERIFY(!button(window, "Command1")->isEnabled());
    }

    // The answers wait in memory: the result and the next plan come from
    // the book as it was, and the window says so.
    void busyRecordSaysThePlanWillCatchUp()
    {
        store.setBusy(true);
        open();
        click(window, "Command1");
        while (window->currentFact())
            answer(true, 1000);
        QVERIFY(window->planCaption().contains(QStringLiteral("学习记录文件正被另一个程序占用，这次的答案还没写入")));
    }

    // A book read only in part would bring mastered facts back as new ones.
    void unreadableRecordStartsNoSession()
    {
        store.setUnreadReason("学习记录文件正被另一个程序占用。");
        open();
        QVERIFY(window->planCaption().startsWith(QStringLiteral("学习记录文件正被另一个程序占用。")));
        QVERIFY(!button(window, "Command1")->isEnabled());
        QTest::keyClick(window, Qt::Key_Enter);
        QVERIFY(!window->currentFact());
    }
};

QTEST_MAIN(DailyWindowTest)
#include "daily_window_test.moc"
