// zorvel: the mental-arithmetic trainer. Starts the main menu and runs until
// "退  出" or the menu is closed.
#include "shell/automation_ids.h"
#include "shell/browser.h"
#include "shell/drill_launcher.h"
#include "shell/startup.h"
#include "shell/user_dir.h"
#include "speech/speech.h"

#include <QApplication>
#include <QDir>

namespace {

int runProgram(int argc, char* argv[])
{
    QApplication app(argc, argv);
    zorvel::installAutomationIdsFromEnvironment(app);

    const QString userDir = zorvel::userRuntimeDir();
    zorvel::SingleInstance instance(userDir.isEmpty() ? QString() : QDir(userDir).filePath(QStringLiteral("zorvel.lock")));
    zorvel::HelpPages helpPages(zorvel::desktopBrowser(),
                                userDir.isEmpty() ? QString() : QDir(userDir).filePath(QStringLiteral("help")));

    const auto menu = zorvel::startMainMenu(zorvel::drillWindowFactory(), helpPages, instance);
    if (!menu)
        return 0;
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    zorvel::exitAfterAudio(runProgram(argc, argv));
}
