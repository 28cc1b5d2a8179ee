// Version line and argument reading.
#include "common/command_line.h"

#include "common/version.h"

#include <QList>

namespace zorvel {

namespace {

// "--name", or "-n" for a one-letter name.
QString spelling(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

QString acceptedOptions(const QList<QCommandLineOption>& options)
{
    QStringList names;
    for (const QCommandLineOption& option : options) {
        QString longest;
        for (const QString& name : option.names())
            if (name.size() > longest.size())
                longest = name;
        names.append(spelling(longest));
    }
    return QStringLiteral("可用的选项：") + listed(names);
}

const QCommandLineOption* optionNamed(const QList<QCommandLineOption>& options, const QString& name)
{
    for (const QCommandLineOption& option : options)
        if (option.names().contains(name))
            return &option;
    return nullptr;
}

// The option an argument names ("--level=x" and "-h" name "level" and "h"),
// or an empty text for a sentence, a value or the "--" that ends the options.
QString nameIn(const QString& argument)
{
    if (argument.startsWith(QLatin1String("--")))
        return argument.mid(2).section(QLatin1Char('='), 0, 0);
    if (argument.startsWith(QLatin1Char('-')) && argument.size() == 2)
        return argument.mid(1);
    return {};
}

// The last argument names an option that wants a value and gives none.
bool endsWithoutValue(const QList<QCommandLineOption>& options, const QStringList& arguments)
{
    if (arguments.size() < 2 || arguments.contains(QLatin1String("--")))
        return false;
    const QString& last = arguments.last();
    const QCommandLineOption* option = optionNamed(options, nameIn(last));
    return option && !option->valueName().isEmpty() && !last.contains(QLatin1Char('='));
}

// A switch written with a value, "--answers=yes", or an empty text.
QString switchWithValue(const QList<QCommandLineOption>& options, const QStringList& arguments)
{
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            break;
        const QCommandLineOption* option = optionNamed(options, nameIn(argument));
        if (option && option->valueName().isEmpty() && argument.contains(QLatin1Char('=')))
            return argument;
    }
    return {};
}

} // namespace

QString versionLine(const QString& program)
{
    return program + QLatin1Char(' ') + QLatin1String(kVersion);
}

QStringList argumentList(int argc, char** argv)
{
    QStringList list;
    for (int i = 0; i < argc; ++i)
        list.append(QString::fromLocal8Bit(argv[i]));
    return list;
}

QString readArguments(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                      const QStringList& arguments)
{
    parser.addOptions(options);
    if (parser.parse(arguments))
        return {};
    if (!parser.unknownOptionNames().isEmpty())
        return QStringLiteral("未知的选项 ") + quotedArgument(spelling(parser.unknownOptionNames().constFirst())) +
               QStringLiteral("；") + acceptedOptions(options);
    if (endsWithoutValue(options, arguments) && parser.parse(arguments + QStringList{QString()}))
        return {};
    if (const QString argument = switchWithValue(options, arguments); !argument.isEmpty())
        return QStringLiteral("选项 ") + quotedArgument(argument) + QStringLiteral(" 不带值；") +
               acceptedOptions(options);
    return QStringLiteral("读不懂这些参数（") + quotedArgument(parser.errorText()) + QStringLiteral("）");
}

ToolArguments readToolArguments(const QStringList& arguments, const QList<QCommandLineOption>& options,
                                const QString& program, const std::function<QString()>& help,
                                const std::function<QString(const QCommandLineParser&)>& check)
{
    QCommandLineParser parser;
    if (QString error = readArguments(parser, options, arguments); !error.isEmpty())
        return {error, {}};
    if (parser.isSet(QStringLiteral("help")))
        return {{}, help()};
    if (parser.isSet(QStringLiteral("version")))
        return {{}, versionLine(program) + QLatin1Char('\n')};
    return {check(parser), {}};
}

QString listed(const QStringList& items)
{
    return items.join(QStringLiteral("、"));
}

} // namespace zorvel
