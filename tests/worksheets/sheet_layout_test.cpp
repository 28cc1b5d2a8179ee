// Pages and columns of a question sheet: how many fit, how many pages a
// count needs, that the painted PDF has exactly those pages, and that
// chosen columns never make a question wider than its cell.
#include "worksheets/pdf_output.h"
#include "worksheets/sheet_painter.h"

#include <QBuffer>
#include <QTest>

using namespace zorvel;
using namespace zorvel::sheets;

namespace {

Worksheet drawn(Operation op, Level level, NumberType type, int count, Mode mode = Mode::Normal)
{
    SheetRequest request;
    request.operation = op;
    request.level = level;
    request.type = type;
    request.mode = mode;
    request.count = count;
    request.seed = 11;
    return drawnWorksheet(request);
}

int pdfPages(const Worksheet& sheet)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    if (!writeSheetPdf(sheet, buffer))
        return -1;
    return int(buffer.data().count("/Type /Page\n"));
}

} // namespace

class SheetLayoutTest : public QObject {
    Q_OBJECT
private slots:
    void twoOperandIntegersFitFourOrFiveColumns()
    {
        for (Level level : {Level::TwoDigitsByOne, Level::TwoDigitsByTwo}) {
            const SheetLayout layout = layoutSheet(drawn(Operation::Add, level, NumberType::Integer, 100));
            QVERIFY2(layout.columns == 4 || layout.columns == 5, qPrintable(QString::number(layout.columns)));
            QVERIFY(layout.fontScale >= 1.0);
            QVERIFY(layout.perPage() >= 50 && layout.perPage() <= 125);
        }
    }

    // A hundred questions go on one page wherever 12-point print allows it
    // (three-term questions need four columns, one more than full size gives).
    void aHundredQuestionsTakeOnePage()
    {
        for (Operation op : {Operation::Mixed, Operation::Add, Operation::Div}) {
            const SheetLayout layout = layoutSheet(drawn(op, operationInfo(op).defaultLevel, NumberType::Integer, 100));
            QCOMPARE(layout.sheetPages, 1);
            QVERIFY2(13 * layout.fontScale >= 12, qPrintable(QString::number(layout.fontScale)));
        }
    }

    void pagesFollowTheCountAndTheAnswerPagesDoubleThem_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("key");
        QTest::addColumn<bool>("listening");
        QTest::newRow("one question") << 1 << 0 << false << false;
        QTest::newRow("a full page and one") << 0 << 5 << false << false;
        QTest::newRow("three pages with key") << -1 << 3 << true << false;
        QTest::newRow("listening with teacher's sheet") << 20 << 0 << true << true;
    }
    void pagesFollowTheCountAndTheAnswerPagesDoubleThem()
    {
        QFETCH(int, count);
        QFETCH(int, columns);
        QFETCH(bool, key);
        QFETCH(bool, listening);
        Worksheet sheet = drawn(Operation::Sub, Level::TwoDigitsByOne, NumberType::Integer, 1,
                                listening ? Mode::Listening : Mode::Normal);
        sheet.columns = columns;
        sheet.answerKey = key;
        Worksheet longest = sheet;
        longest.questions.resize(10000, sheet.questions.front());
        const int perPage = layoutSheet(longest).perPage();
        // 0: one more than a page holds; -1: three pages, the last one short.
        const int n = count > 0 ? count : count == 0 ? perPage + 1 : 2 * perPage + 3;
        sheet.questions.resize(std::size_t(n), sheet.questions.front());
        const SheetLayout layout = layoutSheet(sheet);
        const int sheetPages = (n + perPage - 1) / perPage;
        QCOMPARE(layout.sheetPages, sheetPages);
        QCOMPARE(layout.pageCount(), key ? 2 * sheetPages : sheetPages);
        if (columns > 0)
            QCOMPARE(layout.columns, columns);
        QCOMPARE(pdfPages(sheet), layout.pageCount());
    }

    // The rows of a page reach its foot, whatever the count and the columns,
    // and ordinary questions stay at a readable size (9 points or more).
    void theGridFillsThePage_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("columns");
        QTest::addColumn<bool>("listening");
        QTest::addColumn<int>("expectedColumns");  // 0: any
        QTest::newRow("a mistakes sheet of five") << 5 << 0 << false << 2;
        QTest::newRow("a listening sheet of twenty") << 20 << 0 << true << 2;
        QTest::newRow("100 in automatic columns") << 100 << 0 << false << 0;
        for (int columns = 1; columns <= kMaxColumns; ++columns)
            QTest::addRow("100 in %d columns", columns) << 100 << columns << false << columns;
        QTest::newRow("30 in 3 columns") << 30 << 3 << false << 3;
    }
    void theGridFillsThePage()
    {
        QFETCH(int, count);
        QFETCH(int, columns);
        QFETCH(bool, listening);
        QFETCH(int, expectedColumns);
        Worksheet sheet = drawn(Operation::Sub, Level::TwoDigitsByOne, NumberType::Integer, count,
                                listening ? Mode::Listening : Mode::Normal);
        sheet.columns = columns;
        const SheetLayout layout = layoutSheet(sheet);
        if (expectedColumns > 0)
            QCOMPARE(layout.columns, expectedColumns);
        const int rowsOnFirstPage = std::min(layout.rowsPerPage, (count + layout.columns - 1) / layout.columns);
        const qreal gridHeight = a4ContentSize().height() - 72 - 22;
        QVERIFY2(rowsOnFirstPage * layout.rowHeight > 0.95 * gridHeight,
                 qPrintable(QStringLiteral("%1 rows of %2 pt").arg(rowsOnFirstPage).arg(layout.rowHeight)));
        QVERIFY2(13 * layout.fontScale >= 9, qPrintable(QString::number(layout.fontScale)));
    }

    // A drawn sheet keeps a page's worth of questions apart without repeats
    // (where the level has enough: 648 products of "2位 * 1位", which the
    // generator alone repeats within a page): whatever the columns, no page
    // holds more.
    void noPageHoldsMoreThanADrawnSheetKeepsApart()
    {
        for (int columns = 0; columns <= kMaxColumns; ++columns) {
            for (int count : {7, 100, 400}) {
                Worksheet sheet = drawn(Operation::Mul, Level::TwoDigitsByOne, NumberType::Integer, count);
                sheet.columns = columns;
                QVERIFY(layoutSheet(sheet).perPage() <= largestSheetPage());
                QSet<QString> onPage;
                const int perPage = layoutSheet(sheet).perPage();
                for (int i = 0; i < std::min(count, perPage); ++i)
                    onPage.insert(questionText(sheet.questions[std::size_t(i)]));
                QCOMPARE(onPage.size(), std::min(count, perPage));
            }
        }
        QVERIFY(largestSheetPage() >= 6 * 25);
    }

    void chosenColumnsShrinkThePrintToFitTheCell()
    {
        Worksheet sheet = drawn(Operation::Mixed, Level::FourDigitsByTwo, NumberType::TwoDecimals, 60);
        sheet.columns = 6;
        const SheetLayout layout = layoutSheet(sheet);
        QCOMPARE(layout.columns, 6);
        QVERIFY(layout.fontScale < 1.0);
        const qreal cell = a4ContentSize().width() / 6;
        QVERIFY(layout.labelWidth + layout.questionWidth < cell);
    }
};

QTEST_MAIN(SheetLayoutTest)
#include "sheet_layout_test.moc"
