// zorvel-shots: opens drill windows with a fixed seed and a fixed clock,
// drives a whole test through the real widgets and saves each window as a
// PNG. Usage: zorvel-shots [output-dir] [FormNN...]; with no form named it
// writes the README's pictures, normal-finished-test.png (Form81),
// listening-playback.png (Form91), daily-practice.png (frmDaily) and
// fluency-result.png (FormFluency, a finished 达标测试), otherwise FormNN.png
// for each form.
#include "daily_practice/daily_window.h"
#include "fluency_drill/fluency_window.h"
#include "listening_drill/listening_window.h"
#include "normal_drill/drill_window.h"
#include "normal_drill/normal_window.h"
#include "questions/number_text.h"
#include "common/command_line.h"
#include "common/option_table.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QPixmap>
#include <QTextStream>

#include <cstdio>
#include <utility>
#include <vector>

using namespace zorvel;

namespace {

class FixedClock final : public MonotonicClock {
public:
    qint64 nowMs() const override { return now; }
    qint64 now = 0;
};

class FixedSeed final : public RandomSource {
public:
    double next() override { return inner_.next(); }
    void reseedFromClock() override {}

private:
    SeededRandom inner_{2020};
};

class SilentVoice final : public Voice {
public:
    void speak(const QString&) override {}
    bool isAvailable() const override { return true; }
};

void press(QWidget* window, const QString& name)
{
    if (auto* button = window->findChild<QAbstractButton*>(name); button && button->isEnabled())
        button->click();
}

// Runs the events for ms milliseconds, so that Timer1 ticks at least once on
// a clock just moved.
void letTimer1Tick(int ms)
{
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < ms)
        QApplication::processEvents();
}

void typeRightAnswer(DrillWindow* window)
{
    for (QChar c : QString::fromStdString(shortestText(window->cycle().correctAnswer())))
        press(window, c == QLatin1Char('.') ? QStringLiteral("Command14")
                                            : QStringLiteral("Command%1").arg(4 + c.digitValue()));
}

// Normal mode: ten questions answered, questions 3 and 7 wrong at the first
// try (a digit too many, taken back with "取消"), the last one at 1:23.45.
void driveNormal(DrillWindow* window, FixedClock& clock)
{
    for (int n = 1; n <= 10; ++n) {
        press(window, QStringLiteral("Command1"));
        clock.now = n * 8345;
        letTimer1Tick(30);
        typeRightAnswer(window);
        if (n == 3 || n == 7) {
            press(window, QStringLiteral("Command5"));
            press(window, QStringLiteral("Command16"));
            press(window, QStringLiteral("Command15"));
        }
        press(window, QStringLiteral("Command16"));
    }
}

// Listening mode: twenty questions, then the playback of question 3.
void driveListening(DrillWindow* window)
{
    for (int n = 1; n <= 20; ++n)
        press(window, QStringLiteral("Command1"));
    for (int n = 1; n <= 3; ++n)
        press(window, QStringLiteral("Command18"));
}

// 达标测试 "表内乘法 60 题": answered in 4 minutes, three of them wrong.
std::unique_ptr<QDialog> driveFluency(const DrillServices& services, FixedClock& clock, fluency::History& history)
{
    auto window = createFluencyDrillWindow(*fluency::presetByKey(QStringLiteral("times-table-60")), services, &history);
    window->show();
    window->resize(window->designSize());
    QApplication::processEvents();
    press(window.get(), QStringLiteral("Command1"));
    for (int n = 1; n <= 60; ++n) {
        clock.now = n * 4000;
        if (n % 20 == 7)
            press(window.get(), QStringLiteral("Command5"));
        typeRightAnswer(window.get());
        press(window.get(), QStringLiteral("Command16"));
    }
    return window;
}

// A pupil who knows all the multiplication facts but the big ones (a and b
// from 6 to 9, but 6 × 6): those are wrong until asked four times. Big
// products from 45 take 5 s, the others 1.5 s.
bool knows(const facts::Fact& fact, const std::vector<int>& asks)
{
    return fact.a < 6 || fact.b < 6 || fact.a * fact.b == 36 || asks[static_cast<std::size_t>(fact.index())] >= 4;
}

int answerMs(const facts::Fact& fact)
{
    return fact.a * fact.b >= 45 ? 5000 : 1500;
}

// A session a day from first to the day before last.
void practiseDays(facts::MemoryFactStore& store, std::vector<int>& asks, facts::Day first, facts::Day last)
{
    for (facts::Day day = first; day < last; ++day) {
        facts::FactBook book = store.book();
        facts::DailySession session(book, store.plan(), day, facts::seededDraws(static_cast<std::uint64_t>(day)));
        while (const std::optional<facts::Fact> fact = session.next()) {
            const facts::FactAnswer answer{fact->index(), knows(*fact, asks), answerMs(*fact), day,
                                           facts::Speed::Standard};
            ++asks[static_cast<std::size_t>(fact->index())];
            store.recordAnswer(answer);
            session.answered(*fact, book.apply(answer).box);
        }
    }
}

// The day's session answered through the window, to its result.
void driveDaily(DailyPracticeWindow* window, FixedClock& clock, std::vector<int>& asks)
{
    press(window, QStringLiteral("Command1"));
    while (const std::optional<facts::Fact> fact = window->currentFact()) {
        clock.now += answerMs(*fact);
        letTimer1Tick(10);
        const bool right = knows(*fact, asks);
        ++asks[static_cast<std::size_t>(fact->index())];
        for (QChar c : QString::number(fact->answer() + (right ? 0 : 1)))
            press(window, QStringLiteral("Command%1").arg(4 + c.digitValue()));
        press(window, QStringLiteral("Command16"));
        press(window, QStringLiteral("Command1"));
    }
}

// The README's pictures: each window and the name its picture is saved as.
const struct {
    const char* form;
    const char* picture;
} kReadmePictures[] = {{"Form81", "normal-finished-test"},
                       {"Form91", "listening-playback"},
                       {"frmDaily", "daily-practice"},
                       {"FormFluency", "fluency-result"}};

const char kHelp[] =
    "usage: zorvel-shots [OUTPUT-DIR] [FormNN...]\n"
    "Opens drill windows with a fixed seed and clock, drives a whole test through\n"
    "the real widgets and saves each window as a PNG in OUTPUT-DIR (default\n"
    "docs/screenshots). With no form named it writes the README's pictures,\n"
    "normal-finished-test.png (Form81), listening-playback.png (Form91),\n"
    "daily-practice.png (frmDaily, the daily practice's result with its grid) and\n"
    "fluency-result.png (FormFluency: the result of a 达标测试).\n"
    "\n"
    "  -h, --help  this text\n"
    "  --version   the version\n"
    "\n"
    "Qt's own options are not taken here; without a display, set\n"
    "QT_QPA_PLATFORM=offscreen. An unknown window is named on stderr, the others\n"
    "are still saved, and the status is 1.\n";

bool savePicture(QDialog& dialog, const QString& file)
{
    if (dialog.grab().save(file))
        return true;
    std::fprintf(stderr, "zorvel-shots: cannot write %s\n", qPrintable(quotedArgument(file)));
    return false;
}

bool saveDailyShot(const DrillServices& services, FixedClock& clock, const QString& file)
{
    facts::MemoryFactStore store;
    std::vector<int> asks(facts::kFactCount, 0);
    const facts::Day first = QDate(2026, 12, 1).toJulianDay();
    const facts::Day today = first + 7;
    practiseDays(store, asks, first, today);
    std::unique_ptr<QDialog> dialog = createDailyPracticeWindow(services, store, [today] {
        return QDate::fromJulianDay(today);
    });
    auto* window = static_cast<DailyPracticeWindow*>(dialog.get());
    dialog->show();
    dialog->resize(window->designSize());
    QApplication::processEvents();
    driveDaily(window, clock, asks);
    QApplication::processEvents();
    return savePicture(*dialog, file);
}

// Drives the window `form` through a whole test at its designed size and
// saves the picture to `file`; false, said on stderr, for an unknown window
// or a picture that cannot be written.
bool saveShot(const QString& form, const QString& file)
{
    auto clock = std::make_shared<FixedClock>();
    DrillServices services;
    services.clock = clock;
    services.randomSource = [] { return std::make_unique<FixedSeed>(); };
    services.voice = [] { return std::make_unique<SilentVoice>(); };
    services.promptSound = [] { return std::unique_ptr<PromptSound>(); };
    services.showMessage = [](QWidget*, const QString&, const QString&) {};
    fluency::MemoryHistory history;
    if (form == QLatin1String("FormFluency")) {
        std::unique_ptr<QDialog> fluencyWindow = driveFluency(services, *clock, history);
        QApplication::processEvents();
        return savePicture(*fluencyWindow, file);
    }
    if (form == QLatin1String("frmDaily"))
        return saveDailyShot(services, *clock, file);
    std::unique_ptr<QDialog> dialog = createNormalDrillWindow(form, services);
    const bool normal = dialog != nullptr;
    if (!dialog)
        dialog = createListeningDrillWindow(form, services);
    if (!dialog) {
        std::fprintf(stderr, "zorvel-shots: unknown window %s\n", qPrintable(quotedArgument(form)));
        return false;
    }
    auto* window = static_cast<DrillWindow*>(dialog.get());
    dialog->show();
    // The offscreen screen is smaller than a drill window, which opens fitted
    // to it: the pictures show the designed size.
    dialog->resize(window->designSize());
    QApplication::processEvents();
    if (normal)
        driveNormal(window, *clock);
    else
        driveListening(window);
    QApplication::processEvents();
    return savePicture(*dialog, file);
}

} // namespace

int main(int argc, char** argv)
{
    QCommandLineParser parser;
    const QString complaint = readArguments(parser, parserOptions(withHelpAndVersion({})), argumentList(argc, argv));
    if (!complaint.isEmpty()) {
        std::fprintf(stderr, "zorvel-shots: %s\n", qPrintable(complaint));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::printf("%s\n", qPrintable(versionLine(QStringLiteral("zorvel-shots"))));
        return 0;
    }
    QApplication app(argc, argv);
    QStringList args = parser.positionalArguments();
    const QString outDir = args.isEmpty() ? QStringLiteral("docs/screenshots") : args.takeFirst();
    QDir().mkpath(outDir);
    QTextStream out(stdout);
    std::vector<std::pair<QString, QString>> shots;  // the window, the picture's name
    for (const QString& form : args)
        shots.emplace_back(form, form);
    if (shots.empty())
        for (const auto& [form, picture] : kReadmePictures)
            shots.emplace_back(QLatin1String(form), QLatin1String(picture));
    bool failed = false;
    for (const auto& [form, name] : shots) {
        const QString file = QDir(outDir).filePath(name + QStringLiteral(".png"));
        if (saveShot(form, file))
            out << file << Qt::endl;
        else
            failed = true;
    }
    return failed ? 1 : 0;
}
