// The class window over a small class, on the offscreen platform: the
// pupils in class order and never sorted by a score, the heat map naming
// who got a fact wrong, each tab's CSV and printed page, the retry sheet
// and an import through the window.
#include "class_record/sqlite_class_data.h"
#include "class_window/class_window.h"
#include "class_window/heat_grid.h"
#include "class_window/heat_map_tab.h"
#include "class_window/pupils_tab.h"
#include "facts/fact.h"
#include "records/sql_support.h"
#include "tests/class_record/pupil_files.h"
#include "worksheets/worksheet.h"

#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using namespace zorvel;
using namespace zorvel::classroom;
using namespace zorvel::classroom::testing;

namespace {

void readPlainly(const QString& path, const std::function<void(const QSqlDatabase&)>& use)
{
    {
        const QSqlDatabase db = records::openConnection(QStringLiteral("plain"), path, true);
        use(db);
    }
    records::closeConnection(QStringLiteral("plain"));
}

QStringList column(const QAbstractItemModel* model, int c)
{
    QStringList values;
    for (int r = 0; r < model->rowCount(); ++r)
        values << model->index(r, c).data().toString();
    return values;
}

} // namespace

class ClassWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        files.clear();
        for (const PlannedPupil& pupil : smallClass()) {
            files << dir.filePath(pupil.name + QStringLiteral(".zorvel"));
            writePupilFile(files.last(), pupil);
        }
        data = std::make_unique<SqliteClassData>(dir.filePath(QStringLiteral("班级.zorvel-class")), readPlainly);
        data->setRoster(QByteArray("小刚\n小红\n小明\n"));
        printed.clear();
        told.clear();
        services.records.today = [] { return kSmallClassMonday.addDays(7); };
        services.records.dialogs.chooseSaveFile = [this](QWidget*, const QString&, const QString&) {
            return dir.filePath(QStringLiteral("out.csv"));
        };
        services.records.dialogs.tell = [this](QWidget*, const QString&, const QString& text) { told << text; };
        services.records.previewSheet = [this](QWidget*, const sheets::Worksheet& sheet) { sheetsShown.push_back(sheet); };
        services.previewTable = [this](QWidget*, const QString& title, const QString&) { printed << title; };
        services.chooseImportFiles = [this](QWidget*) { return files; };
    }

    void importsAndShowsThePupilsInClassOrderNeverRankedByScore()
    {
        ClassWindow window(*data, services);
        window.findChild<QPushButton*>(QStringLiteral("cmdImport"))->click();
        QCOMPARE(told.size(), 1);
        QVERIFY(told.front().contains(QStringLiteral("小红.zorvel：已导入（小红），新测验 2 个")));
        window.show();
        auto* table = window.findChild<QTableView*>(QStringLiteral("tblPupils"));
        QCOMPARE(column(table->model(), 0), (QStringList{"小刚", "小红", "小明"}));
        table->sortByColumn(6, Qt::AscendingOrder);   // 正确率: a score
        QCOMPARE(column(table->model(), 0), (QStringList{"小刚", "小红", "小明"}));
        table->sortByColumn(2, Qt::DescendingOrder);   // 测试: how much each practised
        QCOMPARE(column(table->model(), 0).front(), QStringLiteral("小红"));
    }

    void everyTabExportsAndPrintsAndTheRetrySheetHasSimilarQuestions()
    {
        data->importFiles(files);
        ClassWindow window(*data, services);
        window.show();
        auto* tabs = window.tabs();
        for (int t = 0; t < tabs->count(); ++t) {
            tabs->setCurrentIndex(t);
            QFile::remove(dir.filePath(QStringLiteral("out.csv")));
            tabs->widget(t)->findChild<QPushButton*>(QStringLiteral("cmdExportCsv"))->click();
            QVERIFY2(QFile::exists(dir.filePath(QStringLiteral("out.csv"))), qPrintable(tabs->tabText(t)));
            tabs->widget(t)->findChild<QPushButton*>(QStringLiteral("cmdPrint"))->click();
        }
        QCOMPARE(printed, (QStringList{"班级汇总 学生", "班级汇总 口诀热图", "班级汇总 常错题", "班级汇总 达标"}));

        tabs->setCurrentIndex(1);
        const auto* grid = window.findChild<HeatGrid*>();
        const int fact = facts::Fact{facts::FactSet::Mul, 7, 8}.index();
        QVERIFY(grid->cellDescription(fact).contains(QStringLiteral("3 人中 1 人已掌握")));
        QVERIFY(grid->cellDescription(fact).contains(QStringLiteral("小明")));

        tabs->setCurrentIndex(2);
        window.findChild<QPushButton*>(QStringLiteral("cmdRetrySheet"))->click();
        QCOMPARE(sheetsShown.size(), std::size_t(1));
        QStringList questions;
        for (const sheets::SheetQuestion& q : sheetsShown.front().questions)
            questions << sheets::questionText(q) + QLatin1Char(' ') + q.answer;
        QCOMPARE(questions, (QStringList{"7 × 8 = 56", "8 × 7 = 56"}));
        QVERIFY(sheetsShown.front().answerKey);
    }

private:
    QTemporaryDir dir;
    QStringList files;
    std::unique_ptr<SqliteClassData> data;
    ClassServices services;
    QStringList printed, told;
    std::vector<sheets::Worksheet> sheetsShown;
};

QTEST_MAIN(ClassWindowTest)
#include "class_window_test.moc"
