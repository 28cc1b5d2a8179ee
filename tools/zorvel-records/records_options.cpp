// Reading the options with QCommandLineParser; every refusal names what is
// accepted, and refused text is quoted with its control characters escaped.
#include "tools/zorvel-records/records_options.h"

#include "common/command_line.h"
#include "common/option_table.h"
#include "tools/zorvel-records/records_table.h"

#include <QCommandLineParser>

namespace zorvel::records::cli {

namespace {

const QString kCommands = QStringLiteral("pupils、tests、mistakes、facts、export、sync");

// Every option, in the order of the help; a new option is a row here and a
// check in checkValues (and in accepts() when not every command takes it).
const OptionTable& recordsOptionTable()
{
    static const OptionTable table = withHelpAndVersion({
        {"database", nullptr, "FILE", "读这个记录文件，而不是本账户自己的记录"},
        {"pupil", nullptr, "NAME", "只看这个学生（tests、mistakes、facts）；导出这个学生（export）"},
        {"output", nullptr, "FILE", "导出到这个文件（export，一般以 .zorvel 结尾）"},
        {"since", nullptr, "YYYY-MM-DD", "只看这一天及以后开始的测试（tests）"},
        {"format", nullptr, "FORMAT", "csv（RFC 4180 的引号规则，默认）或 tsv（tests、mistakes、facts）"},
        {"service", nullptr, "NAME", "发送到 pg_service.conf 里的这个服务（sync；默认：程序里设置的学校服务器）"},
    });
    return table;
}

// A table's header as the help lists it: comma-separated, wrapped under the
// command's description.
QString columnLines(const QStringList& columns)
{
    const QString indent(13, QLatin1Char(' '));
    constexpr qsizetype kWidth = 52;
    QString text = indent;
    qsizetype width = 0;
    for (qsizetype c = 0; c < columns.size(); ++c) {
        const QString field = columns[c] + (c + 1 < columns.size() ? QStringLiteral(",") : QString());
        if (width > 0 && width + field.size() > kWidth) {
            text += QLatin1Char('\n') + indent;
            width = 0;
        }
        text += field;
        width += field.size();
    }
    return text + QLatin1Char('\n');
}

QString helpText()
{
    return QStringLiteral(
               "用法：zorvel-records [选项] pupils|tests|mistakes|facts|sync\n"
               "      zorvel-records [--database FILE] export --pupil NAME --output FILE\n"
               "打印 Zorvel 的学习记录，给老师和脚本用。只读，从不改动记录文件（sync 只记下哪些已发送）。\n"
               "export 把一个学生的全部记录写成一个文件交给老师（zorvel-class import 导入）。\n"
               "\n"
               "命令：\n"
               "  pupils     每行一个学生，* 标出当前的学生\n"
               "  tests      每行一次测试（最早的在前），列为：\n") +
           columnLines(kTestColumns) + QStringLiteral("  mistakes   错题本，列为：\n") + columnLines(kMistakeColumns) +
           QStringLiteral("  facts      今日练习，每行一个练过的口诀，列为：\n") + columnLines(kFactColumns) +
           QStringLiteral("  export     把 --pupil 学生的全部记录写到 --output 文件（只有本账户能读），\n"
                          "             写完整后才替换已有的文件\n") +
           QStringLiteral("  sync       把等待发送的测试和口诀练习发送到学校服务器，并说发送了多少\n") +
           QStringLiteral("\n选项：\n") + optionHelp(recordsOptionTable()) +
           QStringLiteral(
               "\n"
               "选项有误时在标准错误输出一行说明，退出状态为 2；读不了记录或连不上学校服务器时退出状态为 1。\n");
}

// Which options each command takes besides --database.
bool accepts(Command command, const QString& option)
{
    if (option == QLatin1String("service"))
        return command == Command::Sync;
    if (option == QLatin1String("output"))
        return command == Command::Export;
    if (option == QLatin1String("pupil"))
        return command != Command::Pupils;
    if (option == QLatin1String("format"))
        return command != Command::Pupils && command != Command::Export && command != Command::Sync;
    if (option == QLatin1String("since"))
        return command == Command::Tests;
    return true;
}

std::optional<Command> commandNamed(const QString& name)
{
    if (name == QLatin1String("pupils"))
        return Command::Pupils;
    if (name == QLatin1String("tests"))
        return Command::Tests;
    if (name == QLatin1String("mistakes"))
        return Command::Mistakes;
    if (name == QLatin1String("facts"))
        return Command::Facts;
    if (name == QLatin1String("export"))
        return Command::Export;
    if (name == QLatin1String("sync"))
        return Command::Sync;
    return std::nullopt;
}

QString checkValues(const QCommandLineParser& parser, RecordsOptions& options)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return QStringLiteral("缺少命令；可用的命令：") + kCommands;
    const std::optional<Command> command = commandNamed(positional.first());
    if (!command)
        return QStringLiteral("未知的命令 %1；可用的命令：%2").arg(quotedArgument(positional.first()), kCommands);
    if (positional.size() > 1)
        return QStringLiteral("多余的参数 %1；只能给一个命令").arg(quotedArgument(positional.at(1)));
    options.command = *command;
    for (const QString& name : parser.optionNames())
        if (!accepts(options.command, name))
            return QStringLiteral("%2 命令不接受 --%1").arg(name, positional.first());

    if (parser.isSet(QStringLiteral("database"))) {
        options.database = parser.value(QStringLiteral("database"));
        if (options.database.isEmpty())
            return QStringLiteral("--database 需要一个值：记录文件");
    }
    if (parser.isSet(QStringLiteral("pupil"))) {
        options.pupil = parser.value(QStringLiteral("pupil"));
        if (options.pupil->isEmpty())
            return QStringLiteral("--pupil 需要一个值：学生的名字");
    }
    if (parser.isSet(QStringLiteral("service"))) {
        options.service = parser.value(QStringLiteral("service"));
        if (options.service.isEmpty())
            return QStringLiteral("--service 需要一个值：服务名");
    }
    if (options.command == Command::Export) {
        options.output = parser.value(QStringLiteral("output"));
        if (!options.pupil)
            return QStringLiteral("export 需要 --pupil：要导出的学生");
        if (options.output.isEmpty())
            return QStringLiteral("export 需要 --output：要写的文件");
    }
    if (parser.isSet(QStringLiteral("since"))) {
        const QString since = parser.value(QStringLiteral("since"));
        const QDate date = QDate::fromString(since, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return QStringLiteral("无效的日期 %1；格式：YYYY-MM-DD").arg(quotedArgument(since));
        options.since = date;
    }
    return readTableFormat(parser, options.format);
}

} // namespace

QString readTableFormat(const QCommandLineParser& parser, TableFormat& format)
{
    if (!parser.isSet(QStringLiteral("format")))
        return {};
    const QString value = parser.value(QStringLiteral("format"));
    if (value == QLatin1String("tsv"))
        format = TableFormat::Tsv;
    else if (value == QLatin1String("csv"))
        format = TableFormat::Csv;
    else
        return QStringLiteral("未知的格式 %1；可用的值：csv、tsv").arg(quotedArgument(value));
    return {};
}

ParsedRecordsOptions parseRecordsOptions(const QStringList& arguments)
{
    ParsedRecordsOptions parsed;
    const ToolArguments read = readToolArguments(
        arguments, parserOptions(recordsOptionTable()), QStringLiteral("zorvel-records"), helpText,
        [&parsed](const QCommandLineParser& parser) { return checkValues(parser, parsed.options); });
    parsed.error = read.error;
    parsed.output = read.output;
    return parsed;
}

} // namespace zorvel::records::cli
