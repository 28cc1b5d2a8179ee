// Printing from the records window: "打印练习卷…" hands the preview the sheet
// its choices describe and saves it as PDF (or says why it could not), and
// "打印错题卷" prints the chosen group of the mistakes book with its answers.
#include "records_window/records_window.h"
#include "records_window/sheet_printing.h"
#include "tests/records_ui/fake_record_store.h"
#include "worksheets/sheet_painter.h"
#include "worksheets/worksheet.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QSpinBox>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace zorvel;
using namespace zorvel::records;
using zorvel::testing::FakeRecordStore;
using zorvel::testing::exerciseOf;

namespace {

struct Printing {
    std::vector<sheets::Worksheet> previewed;
    QString saveTo;
    QStringList suggested;
    QStringList told;
    RecordsServices services()
    {
        RecordsServices s;
        s.today = [] { return QDate(2026, 12, 7); };
        s.dialogs.chooseSaveFile = [this](QWidget*, const QString&, const QString& path) {
            suggested << path;
            return path.endsWith(QLatin1String(".pdf")) ? saveTo : QString();
        };
        s.dialogs.tell = [this](QWidget*, const QString&, const QString& text) { told << text; };
        s.previewSheet = [this](QWidget*, const sheets::Worksheet& sheet) { previewed.push_back(sheet); };
        return s;
    }
};

// The records window shown, with its "打印练习卷…" dialog open.
struct SheetDialog {
    FakeRecordStore store;
    Printing printing;
    RecordsWindow window{store, store, printing.services()};
    QWidget* dialog = nullptr;

    SheetDialog()
    {
        window.show();
        window.findChild<QPushButton*>("cmdPrintSheet")->click();
        dialog = window.findChild<QWidget*>("frmPrintSheet");
    }
};

} // namespace

class PrintSheetsTest : public QObject {
    Q_OBJECT
private slots:
    void sheetDialogPreviewsTheChosenSheetAndSavesItAsPdf()
    {
        SheetDialog open;
        Printing& printing = open.printing;
        QWidget* dialog = open.dialog;
        QVERIFY(dialog);
        auto* operation = dialog->findChild<QComboBox*>("cboSheetOperation");
        operation->setCurrentIndex(operation->findText(QStringLiteral("除法")));
        auto* level = dialog->findChild<QComboBox*>("cboSheetLevel");
        level->setCurrentIndex(level->findText(QStringLiteral("÷ 2位 = 1位")));
        QVERIFY(!dialog->findChild<QComboBox*>("cboSheetType")->isEnabled());
        dialog->findChild<QSpinBox*>("spnSheetCount")->setValue(30);
        dialog->findChild<QSpinBox*>("spnSheetColumns")->setValue(3);
        dialog->findChild<QPushButton*>("cmdSheetPreview")->click();

        QCOMPARE(printing.previewed.size(), size_t(1));
        const sheets::Worksheet& sheet = printing.previewed.front();
        QCOMPARE(sheet.title, QStringLiteral("口算练习 除法 ÷ 2位 = 1位"));
        QCOMPARE(sheet.questions.size(), size_t(30));
        QCOMPARE(sheet.questions.front().signs, QStringList{QStringLiteral("÷")});
        QCOMPARE(sheet.columns, 3);
        QVERIFY(sheet.answerKey);

        QTemporaryDir dir;
        printing.saveTo = dir.filePath(QStringLiteral("卷.pdf"));
        dialog->findChild<QPushButton*>("cmdSheetSavePdf")->click();
        QFile saved(printing.saveTo);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QVERIFY(saved.read(5) == "%PDF-");
        QVERIFY(printing.suggested.value(0).endsWith(QStringLiteral("/口算练习 除法 ÷ 2位 = 1位 2026-12-07.pdf")));
        QCOMPARE(printing.told, QStringList{QStringLiteral("练习卷已保存为：\n") + printing.saveTo});

        printing.told.clear();
        printing.saveTo = dir.filePath(QStringLiteral("没有的文件夹/卷.pdf"));
        dialog->findChild<QPushButton*>("cmdSheetSavePdf")->click();
        QCOMPARE(printing.told.size(), 1);
        QVERIFY(printing.told.front().startsWith(QStringLiteral("没能保存练习卷")));
        QVERIFY(!QFile::exists(printing.saveTo));
    }

    void sheetDialogOffersTheListeningSheet()
    {
        SheetDialog open;
        Printing& printing = open.printing;
        QWidget* dialog = open.dialog;
        auto* mode = dialog->findChild<QComboBox*>("cboSheetMode");
        mode->setCurrentIndex(mode->findText(QStringLiteral("听算"), Qt::MatchStartsWith));
        QCOMPARE(dialog->findChild<QSpinBox*>("spnSheetCount")->value(), 20);
        dialog->findChild<QPushButton*>("cmdSheetPreview")->click();
        QCOMPARE(printing.previewed.size(), size_t(1));
        QVERIFY(printing.previewed.front().listening);
        QVERIFY(printing.previewed.front().title.startsWith(QStringLiteral("听算练习 ")));
        QCOMPARE(printing.previewed.front().questions.size(), size_t(20));

        // A recording's seed prints its test again: three copies of the
        // pupils' page, the compact key once.
        dialog->findChild<QLineEdit*>("txtSheetSeed")->setText(QStringLiteral("123456"));
        dialog->findChild<QSpinBox*>("spnSheetCopies")->setValue(3);
        dialog->findChild<QCheckBox*>("chkSheetCompactKey")->setChecked(true);
        dialog->findChild<QPushButton*>("cmdSheetPreview")->click();
        const sheets::Worksheet& again = printing.previewed.back();
        sheets::SheetRequest recorded;
        recorded.mode = Mode::Listening;
        recorded.count = 20;
        recorded.seed = 123456;
        const sheets::Worksheet expected = sheets::drawnWorksheet(recorded);
        QCOMPARE(again.seed, std::optional<std::uint64_t>(123456));
        for (std::size_t i = 0; i < 20; ++i)
            QCOMPARE(sheets::questionText(again.questions[i]), sheets::questionText(expected.questions[i]));
        const sheets::SheetLayout layout = sheets::layoutSheet(again);
        QCOMPARE(layout.pageCount(), 3 + 1);
        QVERIFY(sheets::layoutSheet(again, sheets::a4ContentSize(), true).columns > layout.columns);
    }

    // Another sheet of the same day is never offered the name of one saved;
    // a title holding "%2" stays as it is.
    void suggestedNamesNeverNameAnExistingSheet_data()
    {
        QTest::addColumn<QString>("title");
        QTest::newRow("catalogue title") << QStringLiteral("口算练习 加法 2位 + 1位 整数");
        QTest::newRow("title with a percent sign") << QStringLiteral("错题 小%2明");
    }

    void suggestedNamesNeverNameAnExistingSheet()
    {
        QFETCH(QString, title);
        QTemporaryDir dir;
        const QString first = suggestedPdfPath(dir.path(), title, QDate(2026, 12, 7));
        QCOMPARE(first, dir.filePath(title + QStringLiteral(" 2026-12-07.pdf")));
        QFile(first).open(QIODevice::WriteOnly);
        QCOMPARE(suggestedPdfPath(dir.path(), title, QDate(2026, 12, 7)),
                 dir.filePath(title + QStringLiteral(" 2026-12-07（2）.pdf")));
    }

    // Copied or searched, the PDF's text is the sheet's own: 口 and 日 and
    // 用, not the Kangxi radicals that share their glyphs, and the minus sign.
    void savedSheetTextReadsAsPrinted()
    {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            QSKIP("pdftotext is not installed");
        sheets::Worksheet sheet;
        sheet.title = QStringLiteral("错题练习 减法 2位 − 1位 整数");
        sheet.answerKey = true;
        sheet.questions.push_back(sheets::sheetQuestion(Operation::Sub, {QStringLiteral("47"), QStringLiteral("8")},
                                                        QStringLiteral("39")));
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("卷.pdf"));
        Printing printing;
        printing.saveTo = path;
        saveSheetAsPdf(nullptr, sheet, printing.services().dialogs, QDate(2026, 12, 7));
        QProcess reader;
        reader.start(pdftotext, {path, QStringLiteral("-")});
        QVERIFY(reader.waitForFinished());
        const QString text = QString::fromUtf8(reader.readAllStandardOutput());
        for (const QString& expected : {QStringLiteral("错题练习 减法 2位 − 1位 整数\n"), QStringLiteral("日期"),
                                        QStringLiteral("用时"), QStringLiteral("1. 47 − 8 =\n"),
                                        QStringLiteral("1. 47 − 8 = 39\n")})
            QVERIFY2(text.contains(expected), qPrintable(text));
    }

    void mistakesSheetPrintsTheChosenGroupWithItsAnswers()
    {
        FakeRecordStore store;
        const QDateTime when(QDate(2026, 12, 7), QTime(8, 0));
        store.addMistake(1, {0, exerciseOf("add", "normal", "Option4", "1dp"), {{"4.7", "0.8", {}}, "5.5"}, 2, when});
        store.addMistake(1, {0, exerciseOf("mixed", "normal", "Option4", "integer"), {{"23", "8", "9"}, "22"}, 1, when});
        store.addMistake(1, {0, exerciseOf("mixed", "normal", "Option4", "integer"), {{"41", "7", "5"}, "43"}, 1, when});
        Printing printing;
        RecordsWindow window(store, store, printing.services());
        window.show();
        window.findChild<QTabWidget*>("tabRecords")->setCurrentIndex(3);
        auto* groups = window.findChild<QComboBox*>("cboPrintGroup");
        QCOMPARE(groups->count(), 2);
        groups->setCurrentIndex(groups->findText(QStringLiteral("加减混合"), Qt::MatchStartsWith));
        window.findChild<QPushButton*>("cmdPrintMistakes")->click();

        QCOMPARE(printing.previewed.size(), size_t(1));
        const sheets::Worksheet& sheet = printing.previewed.front();
        QCOMPARE(sheet.title, QStringLiteral("错题练习 加减混合 2位 + 1位 整数"));
        QVERIFY(sheet.answerKey);
        QCOMPARE(sheet.questions.size(), size_t(2));
        QCOMPARE(sheets::questionText(sheet.questions[0]), QStringLiteral("23 + 8 \u2212 9 ="));
        QCOMPARE(sheet.questions[1].answer, QStringLiteral("43"));
    }
};

QTEST_MAIN(PrintSheetsTest)
#include "print_sheets_test.moc"
