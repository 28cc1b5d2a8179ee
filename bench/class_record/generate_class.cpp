// Writes the pupils' files of a class for the class benchmark: N pupils
// (45 unless given), each a school year of tests (600 tests, 9,000 answers:
// 15 questions a test, one wrong first answer in ten corrected at once) and
// two months of daily practice (20 answers a day).
//
//   generate_class FOLDER [PUPILS]
#include "facts/fact.h"
#include "tests/class_record/pupil_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QUuid>

#include <algorithm>
#include <cstdio>
#include <random>

using namespace zorvel;
using namespace zorvel::classroom::testing;

namespace {

const QDateTime kSchoolYear(QDate(2025, 9, 1), QTime(16, 0));
const char* const kOperations[] = {"add", "sub", "mul", "div"};

PlannedQuestion randomQuestion(std::mt19937& random, const QString& operation)
{
    const int a = int(random() % 9) + 1, b = int(random() % 9) + 1;
    const int answer = operation == QLatin1String("add") ? a + b : operation == QLatin1String("mul") ? a * b : a;
    const QString first = QString::number(operation == QLatin1String("sub") ? a + b : operation == QLatin1String("div") ? a * b : a);
    const int ms = 800 + int(random() % 6000);
    PlannedQuestion q{{first, QString::number(b)}, QString::number(answer), {}};
    if (random() % 10 == 0)
        q.answers.push_back({QString::number(answer + 1), false, ms});
    q.answers.push_back({QString::number(answer), true, ms + 1500});
    return q;
}

PlannedPupil yearOf(int n, std::mt19937& random)
{
    PlannedPupil pupil{QStringLiteral("学生%1").arg(n, 2, 10, QLatin1Char('0')), QUuid::createUuid().toString(QUuid::WithoutBraces),
                       {}, {}, kSchoolYear.addDays(300)};
    for (int t = 0; t < 600; ++t) {
        const QString operation = QLatin1String(kOperations[random() % 4]);
        PlannedTest test{QUuid::createUuid().toString(QUuid::WithoutBraces), kSchoolYear.addDays(t / 2).addSecs(t % 2 * 3600),
                         operation, QStringLiteral("normal"), {}, {}};
        for (int q = 0; q < 15; ++q)
            test.questions.push_back(randomQuestion(random, operation));
        if (t % 20 == 0) {
            test.mode = QStringLiteral("fluency");
            const int correct = 40 + int(random() % 21) + t / 60;
            const qint64 elapsed = 200000 + qint64(random() % 100000);
            test.fluency = records::FluencyResult{QStringLiteral("times-table-60"), 300, 60, std::min(correct, 60), elapsed,
                                                  correct >= 54 && elapsed <= 300000};
        }
        pupil.tests.push_back(test);
    }
    const int firstDay = int(kSchoolYear.date().toJulianDay()) + 200;
    for (int day = 0; day < 60; ++day)
        for (int a = 0; a < 20; ++a)
            pupil.factAnswers.push_back({2 * facts::kFactsPerSet + int(random() % 81), random() % 6 != 0,
                                         700 + int(random() % 5000), firstDay + day, facts::Speed::Standard});
    return pupil;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: generate_class FOLDER [PUPILS]\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    const int pupils = argc > 2 ? std::atoi(argv[2]) : 45;
    std::mt19937 random(27);
    for (int n = 1; n <= pupils; ++n)
        writePupilFile(folder.filePath(QStringLiteral("学生%1.zorvel").arg(n, 2, 10, QLatin1Char('0'))), yearOf(n, random));
    return 0;
}
