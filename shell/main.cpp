// zorvel: the mental-arithmetic trainer. Starts the main menu and runs until
// "退  出" or the menu is closed. The program takes no arguments of its own;
// --help and --version answer before anything needs a display.
#include "shell/automation_ids.h"
#include "shell/browser.h"
#include "records/sqlite_record_store.h"
#include "shell/program_class.h"
#include "shell/program_records.h"
#include "shell/startup.h"
#include "shell/user_dir.h"
#include "speech/speech.h"
#include "common/command_line.h"

#include <QApplication>
#include <QDir>

#include <cstdio>
#include <cstring>
#include <optional>

namespace {

const char kHelp[] =
    "用法：zorvel [--help | --version]\n"
    "Zorvel 口算训练：小学生练习加法、减法、加减混合、乘法和除法口算。\n"
    "从主菜单打开普通模式或听算模式的练习窗口；同一时间只运行一个 Zorvel。\n"
    "\n"
    "选项：\n"
    "  -h, --help    显示本说明并退出\n"
    "  --version     显示版本号并退出\n"
    "\n"
    "也接受 Qt 的通用选项（如 -platform）。\n";

// The answer to --help or --version, printed before Qt starts; nothing when
// neither was asked for.
std::optional<int> answerInformationOption(int argc, char* argv[])
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s\n", qPrintable(zorvel::versionLine(QStringLiteral("zorvel"))));
            return 0;
        }
    }
    return std::nullopt;
}

// An option Qt did not take for itself, or nothing.
std::optional<QString> unknownOption(const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1))
        if (argument.startsWith(QLatin1Char('-')) && argument.size() > 1)
            return argument;
    return std::nullopt;
}

int runProgram(int argc, char* argv[])
{
    QApplication app(argc, argv);
    if (const std::optional<QString> option = unknownOption(QApplication::arguments())) {
        std::fprintf(stderr, "zorvel：未知的选项 %s；可用的选项：--help、--version\n",
                     qPrintable(zorvel::quotedArgument(*option)));
        return 2;
    }
    zorvel::installAutomationIdsFromEnvironment(app);

    const QString userDir = zorvel::userRuntimeDir();
    zorvel::SingleInstance instance(zorvel::instanceLockPath());
    zorvel::HelpPages helpPages(zorvel::desktopBrowser(),
                                userDir.isEmpty() ? QString() : QDir(userDir).filePath(QStringLiteral("help")));

    // Destroyed after the menu and before the application: closing the record
    // writes all that was recorded, "退  出" included.
    zorvel::ProgramRecords records;
    const auto menu = zorvel::startMainMenu(records.drillWindowFactory(), helpPages, instance);
    if (!menu)
        return 0;
    // Opening it (Qt's SQLite driver, the writer thread) waits until the menu
    // is on screen; the file is opened, checked and brought up to date behind
    // the menu; the pupil's name follows, and with two or more pupils the
    // question who is practising. A copy that runs beside another (the lock
    // could not be made, or two computers share the home folder) records its
    // own tests without touching the other's.
    zorvel::ProgramClass schoolClass(zorvel::defaultClassPath());
    menu->setClassWindow([&schoolClass] { return schoolClass.window(); });
    zorvel::afterFirstPaint(*menu, [&records, &menu] {
        records.open(zorvel::records::defaultDatabasePath(), zorvel::records::defaultPupilName());
        records.attachTo(*menu);
    });
    return app.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    if (const std::optional<int> status = answerInformationOption(argc, argv))
        return *status;
    zorvel::exitAfterAudio(runProgram(argc, argv));
}
