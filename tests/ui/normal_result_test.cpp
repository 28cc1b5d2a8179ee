// The result at the end of a normal test, driven through the window's
// controls: "全对！" or "错 N 题" with the questions answered wrong at the
// first try, inside its free space at every scale, gone at the next test.
#include "driver.h"

#include "normal_drill/normal_window.h"
#include "normal_drill/test_result.h"

#include <QtTest>

using namespace zorvel;
using namespace zorvel::testing;

class NormalResultTest : public QObject, DrillFixture {
    Q_OBJECT

private:
    void open(const QString& form) { openWindow(createNormalDrillWindow, form); }
    void ask() { click(window, "Command1"); }
    void answerRight() { typeOnKeypad(window, rightAnswerText(window)); click(window, "Command16"); }

private slots:
    // The result after a whole test: which questions were wrong at the first
    // try (a question answered wrong twice counts once), listed as large as
    // the free space allows, within it, over no other control; gone when the
    // next test starts.
    void resultAtTheEnd_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("level");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QList<int>>("wrong");
        QTest::newRow("all right") << "Form81" << "Option4" << "Option7" << QList<int>{};
        QTest::newRow("two wrong") << "Form84" << "Option3" << "Option7" << QList<int>{3, 7};
        QTest::newRow("mixed, every one wrong") << "Form83" << "Option12" << "Option9"
                                                << QList<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10};
        QTest::newRow("longest subtraction") << "Form82" << "Option14" << "Option9" << QList<int>{2, 4, 6, 8, 10};
    }
    void resultAtTheEnd()
    {
        QFETCH(QString, form);
        QFETCH(QString, level);
        QFETCH(QString, type);
        QFETCH(QList<int>, wrong);
        open(form);
        click(window, level);
        click(window, type);
        QLabel* heading = label(window, "TestResult");
        QLabel* list = label(window, "TestResultList");
        QStringList expected;
        for (int n = 1; n <= 10; ++n) {
            ask();
            QVERIFY(!heading->isVisible());
            if (wrong.contains(n)) {
                for (int twice = 0; twice < 2; ++twice) {
                    const QString wrongText = rightAnswerText(window) + "1";
                    typeOnKeypad(window, wrongText);
                    click(window, "Command16");
                    for (int k = 0; k < wrongText.size(); ++k)
                        click(window, "Command15");
                }
                QVERIFY(answerBox(window)->text().isEmpty());
                expected << resultLine(window->row().operation, window->cycle().log().entry(n));
            }
            answerRight();
        }
        QVERIFY(heading->isVisible());
        QCOMPARE(heading->text(), wrong.isEmpty() ? QString("全对！") : QString("错 %1 题").arg(wrong.size()));
        QCOMPARE(list->isVisible(), !wrong.isEmpty());
        // At the designed size and in a window shrunk to fit a small screen.
        for (qreal scale : {1.0, 0.7}) {
            dialog->resize(window->designSize() * scale);
            const qreal width = TestResult::kListTwips.width() * window->designSize().width() * scale
                                / window->row().widthTwips;
            QTRY_VERIFY(qAbs(list->width() - width) <= 1.5);
            const QStringList shown = list->text().split('\n', Qt::SkipEmptyParts);
            if (wrong.isEmpty())
                break;
            QVERIFY(!shown.isEmpty());
            const bool cut = shown.last() == "……";
            const qsizetype listed = cut ? shown.size() - 1 : shown.size();
            QCOMPARE(shown.mid(0, listed), expected.mid(0, listed));
            QVERIFY(cut || shown.size() == expected.size());
            QVERIFY(shown.size() >= std::min<qsizetype>(expected.size(), 6));
            const QFontMetrics metrics(list->font());
            for (const QString& line : shown)
                QVERIFY2(metrics.horizontalAdvance(line) <= list->width(), qPrintable(line));
            QVERIFY(metrics.lineSpacing() * shown.size() <= list->height());
        }
        dialog->resize(window->designSize());
        for (QWidget* other : window->findChildren<QWidget*>()) {
            if (other == heading || other == list || !other->isVisible() || other->parentWidget() != window)
                continue;
            QVERIFY2(!other->geometry().intersects(heading->geometry()), qPrintable(other->objectName()));
            QVERIFY2(!other->geometry().intersects(list->geometry()), qPrintable(other->objectName()));
        }
        click(window, "Command3");
        QVERIFY(!heading->isVisible());
        QVERIFY(!list->isVisible());
    }

};

QTEST_MAIN(NormalResultTest)
#include "normal_result_test.moc"
