// Reading zorvel-class's options with QCommandLineParser; every refusal
// names what is accepted.
#include "tools/zorvel-class/class_options.h"

#include "class_record/class_tables.h"
#include "common/command_line.h"
#include "common/option_table.h"
#include "tools/zorvel-records/records_table.h"

#include <QCommandLineParser>

namespace zorvel::classroom::cli {

namespace {

struct CommandName {
    const char* name;
    Command command;
};
constexpr CommandName kCommandNames[] = {
    {"import", Command::Import}, {"roster", Command::Roster},     {"pupils", Command::Pupils},
    {"tests", Command::Tests},   {"facts", Command::Facts},       {"mistakes", Command::Mistakes},
    {"conflicts", Command::Conflicts},
};
const QString kCommands = QStringLiteral("import、roster、pupils、tests、facts、mistakes、conflicts");

const OptionTable& classOptionTable()
{
    static const OptionTable table = withHelpAndVersion({
        {"class", nullptr, "FILE", "班级记录文件（默认：当前文件夹里的“班级.zorvel-class”）"},
        {"service", nullptr, "NAME", "改读学校服务器（pg_service.conf 里的这个服务）上本老师能看的班级"},
        {"since", nullptr, "YYYY-MM-DD", "只算这一天及以后（pupils、tests、facts、mistakes）"},
        {"until", nullptr, "YYYY-MM-DD", "只算到这一天为止（pupils、tests、facts、mistakes）"},
        {"format", nullptr, "FORMAT", "csv（默认）或 tsv"},
    });
    return table;
}

QString columns(const QStringList& names)
{
    return QStringLiteral("             ") + names.join(QLatin1Char(',')) + QLatin1Char('\n');
}

QString helpText()
{
    return QStringLiteral(
               "用法：zorvel-class [--class FILE] import FILE...\n"
               "      zorvel-class [--class FILE] roster FILE\n"
               "      zorvel-class [--class FILE] [选项] pupils|tests|facts|mistakes|conflicts\n"
               "把学生们导出的记录文件（zorvel-records export，或学习记录窗口的“导出给老师…”）\n"
               "汇总成一个班级记录，给老师看全班的情况。不排名。\n"
               "\n"
               "命令：\n"
               "  import     导入学生的记录文件，每个文件打印一行结果；同一个文件导入两次不会重复。\n"
               "             内容和已导入的不一样的测验不合并，列入冲突（conflicts）\n"
               "  roster     读入班级名单（UTF-8 文本或 CSV，每行一个名字，可以有学号一列），\n"
               "             列出名单上没有的学生和没有文件的名字\n"
               "  pupils     每行一个学生（按名单的顺序），列为：\n") +
           columns(kPupilColumns) + QStringLiteral("  tests      每行一次测试，列和 zorvel-records tests 一样：\n") +
           columns(records::cli::kTestColumns) + QStringLiteral("  facts      每行一个口诀，列为：\n") + columns(kFactColumns) +
           QStringLiteral("  mistakes   全班最常错的题（错的人最多的在前），列为：\n") + columns(kMistakeColumns) +
           QStringLiteral("  conflicts  内容和已导入的不一样的测验，列为：\n") + columns(kConflictColumns) +
           QStringLiteral("\n选项：\n") + optionHelp(classOptionTable()) +
           QStringLiteral("\n选项有误时退出状态为 2；有文件用不了（被拒绝导入、打不开）时退出状态为 1。\n");
}

bool takesRange(Command command)
{
    return command == Command::Pupils || command == Command::Tests || command == Command::Facts ||
           command == Command::Mistakes;
}

QString readDate(const QCommandLineParser& parser, const QString& name, std::optional<QDate>& date)
{
    if (!parser.isSet(name))
        return {};
    const QString value = parser.value(name);
    date = QDate::fromString(value, QStringLiteral("yyyy-MM-dd"));
    if (!date->isValid())
        return QStringLiteral("无效的日期 %1；格式：YYYY-MM-DD").arg(quotedArgument(value));
    return {};
}

QString checkCommand(const QStringList& positional, ClassOptions& options)
{
    if (positional.isEmpty())
        return QStringLiteral("缺少命令；可用的命令：") + kCommands;
    const CommandName* found = nullptr;
    for (const CommandName& entry : kCommandNames)
        if (positional.first() == QLatin1String(entry.name))
            found = &entry;
    if (!found)
        return QStringLiteral("未知的命令 %1；可用的命令：%2").arg(quotedArgument(positional.first()), kCommands);
    options.command = found->command;
    options.files = positional.mid(1);
    if (options.command == Command::Import && options.files.isEmpty())
        return QStringLiteral("import 需要至少一个学生的记录文件");
    if (options.command == Command::Roster && options.files.size() != 1)
        return QStringLiteral("roster 需要一个名单文件");
    if (options.command != Command::Import && options.command != Command::Roster && !options.files.isEmpty())
        return QStringLiteral("多余的参数 %1").arg(quotedArgument(options.files.first()));
    return {};
}

QString checkValues(const QCommandLineParser& parser, ClassOptions& options)
{
    if (QString error = checkCommand(parser.positionalArguments(), options); !error.isEmpty())
        return error;
    for (const QString& name : {QStringLiteral("since"), QStringLiteral("until")})
        if (parser.isSet(name) && !takesRange(options.command))
            return QStringLiteral("%2 命令不接受 --%1").arg(name, parser.positionalArguments().first());
    if (parser.isSet(QStringLiteral("class"))) {
        options.classFile = parser.value(QStringLiteral("class"));
        if (options.classFile.isEmpty())
            return QStringLiteral("--class 需要一个值：班级记录文件");
    }
    if (parser.isSet(QStringLiteral("service"))) {
        options.service = parser.value(QStringLiteral("service"));
        if (options.service.isEmpty())
            return QStringLiteral("--service 需要一个值：服务名");
        if (parser.isSet(QStringLiteral("class")))
            return QStringLiteral("--class 和 --service 只能给一个：班级文件，或者学校服务器");
    }
    if (QString error = readDate(parser, QStringLiteral("since"), options.since); !error.isEmpty())
        return error;
    if (QString error = readDate(parser, QStringLiteral("until"), options.until); !error.isEmpty())
        return error;
    return records::cli::readTableFormat(parser, options.format);
}

} // namespace

ParsedClassOptions parseClassOptions(const QStringList& arguments)
{
    ParsedClassOptions parsed;
    const ToolArguments read = readToolArguments(
        arguments, parserOptions(classOptionTable()), QStringLiteral("zorvel-class"), helpText,
        [&parsed](const QCommandLineParser& parser) { return checkValues(parser, parsed.options); });
    parsed.error = read.error;
    parsed.output = read.output;
    return parsed;
}

} // namespace zorvel::classroom::cli
