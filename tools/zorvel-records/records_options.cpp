// Reading the options with QCommandLineParser; every refusal names what is
// accepted, and refused text is quoted with its control characters escaped.
#include "tools/zorvel-records/records_options.h"

#include "tools/common/command_line.h"

#include <QCommandLineParser>

namespace zorvel::records::cli {

namespace {

const QString kCommands = QStringLiteral("pupils, tests, mistakes, facts");
const QString kOptions = QStringLiteral("--database, --pupil, --since, --format, --help, --version");

QString description()
{
    return QStringLiteral(
        "The pupils' record of Zorvel, for teachers and scripts.\n"
        "\n"
        "Commands:\n"
        "  pupils     one pupil a line, the current one marked *\n"
        "  tests      one test a line: pupil,started,window,operation,mode,level,type,\n"
        "             questions,wrong_answers,time,ended (oldest first)\n"
        "  mistakes   the mistakes book: pupil,window,level,type,first,second,third,\n"
        "             answer,times_wrong,last_wrong\n"
        "  facts      the daily practice, one fact asked a line: pupil,fact,operation,\n"
        "             box,attempts,right,median_ms,mastered,due\n"
        "\n"
        "Bad options print one line on stderr and exit with status 2; a record that\n"
        "cannot be read exits with status 1.");
}

// Which options each command takes besides --database.
bool accepts(Command command, const QString& option)
{
    if (option == QLatin1String("pupil") || option == QLatin1String("format"))
        return command != Command::Pupils;
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
    return std::nullopt;
}

QString checkValues(const QCommandLineParser& parser, RecordsOptions& options)
{
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return QStringLiteral("a command is required; accepted: ") + kCommands;
    const std::optional<Command> command = commandNamed(positional.first());
    if (!command)
        return QStringLiteral("unknown command %1; accepted: %2").arg(quotedArgument(positional.first()), kCommands);
    if (positional.size() > 1)
        return QStringLiteral("unexpected argument %1; accepted: one command").arg(quotedArgument(positional.at(1)));
    options.command = *command;
    for (const QString& name : parser.optionNames())
        if (!accepts(options.command, name))
            return QStringLiteral("--%1 is not accepted by %2").arg(name, positional.first());

    if (parser.isSet(QStringLiteral("database"))) {
        options.database = parser.value(QStringLiteral("database"));
        if (options.database.isEmpty())
            return QStringLiteral("--database needs a value; accepted: a record file");
    }
    if (parser.isSet(QStringLiteral("pupil")))
        options.pupil = parser.value(QStringLiteral("pupil"));
    if (parser.isSet(QStringLiteral("since"))) {
        const QString since = parser.value(QStringLiteral("since"));
        const QDate date = QDate::fromString(since, QStringLiteral("yyyy-MM-dd"));
        if (!date.isValid())
            return QStringLiteral("bad date %1; accepted: YYYY-MM-DD").arg(quotedArgument(since));
        options.since = date;
    }
    if (parser.isSet(QStringLiteral("format"))) {
        const QString format = parser.value(QStringLiteral("format"));
        if (format == QLatin1String("tsv"))
            options.format = TableFormat::Tsv;
        else if (format != QLatin1String("csv"))
            return QStringLiteral("unknown format %1; accepted: csv, tsv").arg(quotedArgument(format));
    }
    return {};
}

} // namespace

ParsedRecordsOptions parseRecordsOptions(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(description());
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOptions({
        {QStringLiteral("database"), QStringLiteral("Read FILE instead of the user's own record."), QStringLiteral("FILE")},
        {QStringLiteral("pupil"), QStringLiteral("Only this pupil (tests, mistakes, facts)."), QStringLiteral("NAME")},
        {QStringLiteral("since"), QStringLiteral("Only tests started on or after this day (tests)."),
         QStringLiteral("YYYY-MM-DD")},
        {QStringLiteral("format"), QStringLiteral("csv (RFC 4180 quoting, the default) or tsv (tests, mistakes, facts)."),
         QStringLiteral("FORMAT")},
    });
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("pupils, tests, mistakes or facts"));

    ParsedRecordsOptions parsed;
    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        parsed.error = unknown.isEmpty() ? quotedArgument(parser.errorText()).mid(1).chopped(1)
                                         : QStringLiteral("unknown option %1; accepted: %2")
                                               .arg(quotedArgument((unknown.first().size() == 1 ? "-" : "--") + unknown.first()),
                                                    kOptions);
        return parsed;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        parsed.output = parser.helpText();
        return parsed;
    }
    if (parser.isSet(version)) {
        parsed.output = versionLine(QStringLiteral("zorvel-records")) + QLatin1Char('\n');
        return parsed;
    }
    parsed.error = checkValues(parser, parsed.options);
    return parsed;
}

} // namespace zorvel::records::cli
