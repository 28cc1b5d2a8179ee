// Opening the records window over ten years of tests (60,000, chart included):
// time from creating the window to its chart painted on screen. The store is
// the in-memory fake, so this measures the window, not the database.
//   build/bench/records_ui/bench_records_window            (offscreen, 10 openings)
//   DISPLAY=:57 build/bench/records_ui/bench_records_window --show [--mistakes|--menu] [--years] [--shot FILE]
// --show opens the window (or the main menu) over three months of practice
// (ten years with --years) and leaves it open, for looking at it; with --shot it saves the screen to
// FILE and ends.
#include "bench/window_timing.h"
#include "records_window/records_window.h"
#include "shell/main_menu.h"
#include "tests/records_ui/fake_record_store.h"

#include <QApplication>
#include <QScreen>
#include <QTimer>
#include <QChartView>
#include <QElapsedTimer>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

using namespace zorvel;
using zorvel::records::Exercise;
using zorvel::records::ListeningQuestion;
using zorvel::records::QuestionShown;
using zorvel::records::TestEnd;
using zorvel::records::TestRow;
using zorvel::bench::PaintWatch;
using zorvel::bench::cpuMs;
using zorvel::testing::FakeRecordStore;
using zorvel::testing::exerciseOf;

namespace {

struct Practised {
    Exercise exercise;
    double startSeconds;   // a beginner's time
    int digits[2];         // operand sizes for made-up questions
};

QuestionShown madeUpQuestion(const Practised& p, std::mt19937& random)
{
    auto draw = [&](int digits) {
        const int low = digits == 1 ? 2 : (digits == 2 ? 10 : 100);
        return std::uniform_int_distribution<int>(low, low * 10 - 1)(random);
    };
    const int a = draw(p.digits[0]);
    const int b = draw(p.digits[1]);
    const QString& op = p.exercise.operation;
    const int answer = op == QLatin1String("sub") ? a - b : (op == QLatin1String("mul") ? a * b : a + b);
    return {{QString::number(a), QString::number(b), QString()}, QString::number(answer)};
}

QString stopwatchText(double seconds)
{
    const int hundredths = static_cast<int>(seconds * 100);
    return QStringLiteral("%1:%2.%3").arg(hundredths / 6000).arg(hundredths / 100 % 60, 2, 10, QLatin1Char('0'))
        .arg(hundredths % 100, 2, 10, QLatin1Char('0'));
}

// A believable record for pupil 1: `count` tests over the days up to `lastDay`,
// getting faster, with mistakes and a few listening tests.
void fillPractice(FakeRecordStore& store, int count, const QDate& lastDay, int days, quint32 seed)
{
    std::mt19937 random(seed);
    const std::vector<Practised> practised = {
        {exerciseOf("add", "normal", "Option4", "integer"), 70, {2, 1}},
        {exerciseOf("add", "normal", "Option5", "integer"), 95, {2, 2}},
        {exerciseOf("sub", "normal", "Option4", "integer"), 85, {2, 1}},
        {exerciseOf("mul", "normal", "Option3", "integer"), 60, {1, 1}},
        {exerciseOf("mixed", "normal", "Option4", "1dp"), 140, {2, 1}},
        {exerciseOf("add", "listening", "Option4", "integer"), 0, {2, 1}},
    };
    std::uniform_real_distribution<double> unit(0, 1);
    const QDateTime first(lastDay.addDays(-days + 1), QTime(17, 0));
    for (int i = 0; i < count; ++i) {
        const double progress = count > 1 ? double(i) / (count - 1) : 1.0;
        const Practised& p = practised[std::uniform_int_distribution<size_t>(0, practised.size() - 1)(random)];
        TestRow row;
        row.exercise = p.exercise;
        row.started = QDateTime(first.date().addDays(static_cast<qint64>(progress * (days - 1))),
                                QTime(16, 0).addSecs(i % 11 * 900));
        const bool listening = p.exercise.mode == QLatin1String("listening");
        const bool finished = listening || unit(random) < 0.85;
        row.ended = finished ? TestEnd::Finished : (unit(random) < 0.5 ? TestEnd::Closed : TestEnd::Reset);
        row.questions = listening ? 20 : (finished ? 10 : 1 + i % 9);
        row.wrongAnswers = listening ? 0 : static_cast<int>(unit(random) * (3.5 - 2.5 * progress));
        row.playbackReached = listening;
        row.redo = !listening && i % 23 == 0;
        if (finished && !listening)
            row.time = stopwatchText(p.startSeconds * (1.5 - 0.6 * progress) * (0.9 + 0.2 * unit(random)));
        const qint64 id = store.addTest(1, row);
        // Only the recent listening tests get their questions: a pupil marks this week's paper.
        if (listening && count - i <= 2000) {
            std::vector<ListeningQuestion> questions;
            for (int n = 1; n <= 20; ++n)
                questions.push_back({id * 100 + n, n, madeUpQuestion(p, random), false});
            store.addListeningQuestions(id, questions);
        }
        if (row.wrongAnswers > 0 && i % 5 == 0 && !listening)
            store.addMistake(1, {0, p.exercise, madeUpQuestion(p, random), row.wrongAnswers, row.started});
    }
}

records::RecordsServices quietServices()
{
    records::RecordsServices services = records::defaultRecordsServices([](const QString&, const QString&, const QString&) {});
    services.today = [] { return QDate(2026, 12, 7); };
    return services;
}

struct Opening {
    double wallMs;
    double cpuMs;   // what the opening cost when other programs want the processor too
};

Opening openOnce(testing::FakeRecordStore& store)
{
    QElapsedTimer timer;
    timer.start();
    const double cpuStart = cpuMs();
    records::RecordsWindow window(store, store, quietServices());
    PaintWatch watch;
    window.findChild<QChartView*>("chtProgress")->viewport()->installEventFilter(&watch);
    window.show();
    while (!watch.painted)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    return {static_cast<double>(timer.nsecsElapsed()) / 1e6, cpuMs() - cpuStart};
}

void report(const char* what, std::vector<double> ms)
{
    const double first = ms.front();
    ms.erase(ms.begin());
    std::sort(ms.begin(), ms.end());
    std::printf("%s: first opening %.1f ms; later openings median %.1f ms, worst %.1f ms\n", what, first,
                ms[ms.size() / 2], ms.back());
}

int showForLooking(const QStringList& arguments, const QString& shot)
{
    testing::FakeRecordStore store;
    store.addPupil(QStringLiteral("小红"));
    if (arguments.contains(QStringLiteral("--years")))
        fillPractice(store, 60000, QDate(2026, 12, 7), 3650, 11);
    else
        fillPractice(store, 240, QDate(2026, 12, 7), 90, 7);
    std::unique_ptr<QWidget> shown;
    if (arguments.contains(QStringLiteral("--menu"))) {
        auto menu = std::make_unique<MainMenu>(nullptr, HelpPages([](const QUrl&, const BrowserOutcome&) {}, QString()));
        menu->setSlogans();
        menu->setButtonColours();
        menu->setRecords([&] { return std::make_unique<records::RecordsWindow>(store, store, quietServices()); },
                         [&] { return store.currentPupil().name; });
        shown = std::move(menu);
    } else {
        shown = std::make_unique<records::RecordsWindow>(store, store, quietServices());
        if (arguments.contains(QStringLiteral("--mistakes")))
            shown->findChild<QTabWidget*>("tabRecords")->setCurrentIndex(1);
    }
    QWidget& window = *shown;
    window.show();
    if (!shot.isEmpty()) {
        QTimer::singleShot(1000, &window, [&] {
            QGuiApplication::primaryScreen()->grabWindow(0).save(shot);
            QCoreApplication::quit();
        });
    }
    return QApplication::exec();
}

} // namespace

int main(int argc, char* argv[])
{
    const QStringList arguments = [&] {
        QStringList list;
        for (int i = 1; i < argc; ++i)
            list << QString::fromLocal8Bit(argv[i]);
        return list;
    }();
    if (!arguments.contains(QStringLiteral("--show")) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (arguments.contains(QStringLiteral("--show")))
        return showForLooking(arguments,
                              arguments.contains(QStringLiteral("--shot"))
                                  ? arguments.value(arguments.indexOf(QStringLiteral("--shot")) + 1)
                                  : QString());

    testing::FakeRecordStore store;
    fillPractice(store, 60000, QDate(2026, 12, 7), 3650, 11);
    // What the in-memory store itself costs of each opening: its share of the
    // figures below, which a real store replaces with its own.
    const double storeStart = cpuMs();
    store.tests(records::TestFilter{1, {}, {}, {}, {}});
    store.bestTimes(1);
    store.chart(1, QStringLiteral("Form81"), QStringLiteral("Option4"), QStringLiteral("integer"));
    const double storeMs = cpuMs() - storeStart;

    std::vector<double> wall, cpu;
    for (int i = 0; i < 11; ++i) {
        const Opening opening = openOnce(store);
        wall.push_back(opening.wallMs);
        cpu.push_back(opening.cpuMs);
    }
    // The first opening in a process also loads fonts and styles: what a pupil
    // sees the first time the window opens after start.
    std::printf("records window over 60000 tests, from creating it to its chart painted (target < 300 ms)\n");
    report("  wall clock", wall);
    report("  processor ", cpu);
    std::printf("  of which the in-memory store's three queries: %.1f ms of processor\n", storeMs);
    return 0;
}
