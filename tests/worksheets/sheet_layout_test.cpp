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
            QCOMPARE(layout.fontScale, 1.0);
            QVERIFY(layout.perPage() >= 50 && layout.perPage() <= 125);
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
        const int perPage = layoutSheet(sheet).perPage();
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
