// The crash test of the drill windows with recording on (drill_crash_test.sh):
// normal tests played through the real Form81 window into the real record
// store until the record holds N tests, every fourth question first answered
// wrong. Each answer is printed as record_driver prints it ("A test number seq
// text") once the store has it on disk, so `record_driver DB check LOG` finds
// any answer the window reported and a kill lost.
//   drill_crash DB N
#include "normal_drill/normal_window.h"
#include "questions/number_text.h"
#include "records/sqlite_record_store.h"

#include "ui_bench.h"

#include <QAbstractButton>
#include <QApplication>

#include <cstdio>

using namespace zorvel;

namespace {

// Passes every report on to the store and keeps the id of the test begun last.
class TestIdTap final : public records::TestRecorder {
public:
    explicit TestIdTap(records::TestRecorder& inner) : inner_(inner) {}
    records::TestId beginTest(const records::Exercise& e, const QDateTime& started, bool redo) override
    {
        return last = inner_.beginTest(e, started, redo);
    }
    void recordQuestion(records::TestId t, int n, const records::QuestionShown& q) override { inner_.recordQuestion(t, n, q); }
    void recordAnswer(records::TestId t, int n, const QString& text, bool right, qint64 ms) override
    {
        inner_.recordAnswer(t, n, text, right, ms);
    }
    void recordPlaybackReached(records::TestId t) override { inner_.recordPlaybackReached(t); }
    void recordReadingSettings(records::TestId t, const ReadingSettings& s) override
    {
        inner_.recordReadingSettings(t, s);
    }
    void endTest(records::TestId t, records::TestEnd end, const QString& time) override { inner_.endTest(t, end, time); }
    std::vector<records::QuestionShown> redoQuestions(const records::Exercise& e) override { return inner_.redoQuestions(e); }

    records::TestId last = 0;

private:
    records::TestRecorder& inner_;
};

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: drill_crash DB N\n");
        return 2;
    }
    records::SqliteRecordStore store(QString::fromLocal8Bit(argv[1]), QStringLiteral("小明"));
    TestIdTap tap(store);
    DrillServices services = quietServices();
    services.recorder = &tap;
    auto dialog = createNormalDrillWindow(QStringLiteral("Form81"), services);
    auto* window = static_cast<DrillWindow*>(dialog.get());
    dialog->show();
    // Confirms what the answer box holds.
    auto answer = [&](const QString& text, int seq) {
        press(window, QStringLiteral("Command16"));
        store.flush();
        std::printf("A %lld %d %d %s\n", tap.last, window->cycle().questionNumber(), seq, qPrintable(text));
        std::fflush(stdout);
    };
    for (int ended = int(store.tests({}).size()); ended < std::atoi(argv[2]);) {
        if (!window->findChild<QAbstractButton*>(QStringLiteral("Command1"))->isEnabled())
            press(window, QStringLiteral("Command3"));
        press(window, QStringLiteral("Command1"));
        const QString right = QString::fromStdString(shortestText(window->cycle().correctAnswer()));
        const bool wrongFirst = (ended + window->cycle().questionNumber()) % 4 == 0;
        // A wrong answer is the right one with a digit too many; "取消" takes
        // the digit back.
        typeAnswer(window, right + (wrongFirst ? QStringLiteral("1") : QString()));
        if (wrongFirst) {
            answer(right + QLatin1Char('1'), 1);
            press(window, QStringLiteral("Command15"));
        }
        answer(right, wrongFirst ? 2 : 1);
        if (window->cycle().questionNumber() == 10)
            ++ended;
    }
    dialog.reset();
    store.flush();
    return store.problem().isEmpty() ? 0 : 1;
}
