// The program put together as zorvel's main() does, with a pupil's short
// visit played on it: the record opened, the menu, a listening window opened,
// a question spoken, one marked by the prompt sound, back to the menu, "退  出". Run by
// shell_surroundings_test in hostile surroundings. Prints each step reached
// and the longest time the interface thread did not answer.
#include "records/sqlite_record_store.h"
#include "shell/program_records.h"
#include "shell/startup.h"
#include "shell/user_dir.h"
#include "speech/speech.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QTextStream>
#include <QTimer>

#include <algorithm>

using namespace zorvel;

namespace {

constexpr int kStepMs = 50;

void say(const QString& line)
{
    QTextStream(stdout) << line << Qt::endl;
}

void press(QWidget* window, const QString& name)
{
    if (auto* button = window ? window->findChild<QAbstractButton*>(name) : nullptr)
        button->click();
}

// Counts the longest gap between ticks of a fast timer on the interface thread.
class StallMeter : public QObject {
public:
    StallMeter()
    {
        clock_.start();
        connect(&tick_, &QTimer::timeout, this, [this] {
            longest_ = std::max(longest_, clock_.restart());
        });
        tick_.start(5);
    }
    qint64 longestMs() const { return longest_; }

private:
    QTimer tick_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

// Goes back to the menu once the notice is shown, or at once unless asked
// to wait for the notice.
void leaveWindow(QWidget* window, int patienceSteps)
{
    auto* notice = window->findChild<QLabel*>(QStringLiteral("SpeechNotice"));
    const bool shown = notice && notice->isVisible();
    if (!shown && patienceSteps > 0) {
        QTimer::singleShot(kStepMs, qApp, [window, patienceSteps] { leaveWindow(window, patienceSteps - 1); });
        return;
    }
    say(QStringLiteral("notice %1").arg(shown ? "shown" : "not yet"));
    press(window, QStringLiteral("Command2"));
}

// The first start's question for the child's name, whenever the record
// opens: "跳过", as a pupil in a hurry would.
bool skipNameQuestion()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("frmFirstPupil") && widget->isVisible()) {
            press(widget, QStringLiteral("cmdNameSkip"));
            return true;
        }
    }
    return false;
}

void visitListeningWindow(int patienceSteps)
{
    if (skipNameQuestion()) {
        QTimer::singleShot(kStepMs, qApp, [patienceSteps] { visitListeningWindow(patienceSteps); });
        return;
    }
    QWidget* window = QApplication::activeModalWidget();
    say(window ? QStringLiteral("window %1").arg(window->objectName()) : QStringLiteral("no window"));
    press(window, QStringLiteral("Command1"));
    press(window, QStringLiteral("Check1"));
    press(window, QStringLiteral("Command1"));
    QTimer::singleShot(kStepMs, qApp, [window, patienceSteps] { leaveWindow(window, patienceSteps); });
}

int visit(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const QString userDir = userRuntimeDir();
    SingleInstance instance(instanceLockPath());
    HelpPages helpPages([](const QUrl& page, const BrowserOutcome&) { say(QStringLiteral("browser %1").arg(page.fileName())); },
                        userDir.isEmpty() ? QString() : QDir(userDir).filePath(QStringLiteral("help")));
    ProgramRecords records;
    const auto menu = startMainMenu(records.drillWindowFactory(), helpPages, instance);
    if (!menu) {
        say(QStringLiteral("refused"));
        return 0;
    }
    records.open(records::defaultDatabasePath(), records::defaultPupilName());
    records.attachTo(*menu);
    say(QStringLiteral("menu %1").arg(menu->isVisible() ? "shown" : "hidden"));
    StallMeter meter;
    QTimer nameQuestion;
    QObject::connect(&nameQuestion, &QTimer::timeout, qApp, [] { skipNameQuestion(); });
    nameQuestion.start(kStepMs);
    // --await-notice: stay in the window until the speech notice shows (at
    // most 20 s).
    const int patienceSteps = app.arguments().contains(QStringLiteral("--await-notice")) ? 20000 / kStepMs : 0;
    QTimer::singleShot(kStepMs, menu.get(), [&menu, patienceSteps] {
        QTimer::singleShot(kStepMs, qApp, [patienceSteps] { visitListeningWindow(patienceSteps); });
        press(menu.get(), QStringLiteral("Command6"));
        say(QStringLiteral("back at the menu"));
        press(menu.get(), QStringLiteral("Command0"));
    });
    const int status = app.exec();
    say(QStringLiteral("longest stall %1 ms").arg(meter.longestMs()));
    return status;
}

} // namespace

int main(int argc, char* argv[])
{
    exitAfterAudio(visit(argc, argv));
}
