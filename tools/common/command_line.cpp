// Version line, quoting of refused arguments, and argument reading.
#include "tools/common/command_line.h"

#include <QChar>
#include <QList>

namespace zorvel {

namespace {

bool isHarmless(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Other_Control:
    case QChar::Other_Format:      // bidirectional overrides, zero-width marks
    case QChar::Other_Surrogate:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    default:
        return true;
    }
}

void appendEscape(QString& out, char32_t c)
{
    switch (c) {
    case U'\\': out += QLatin1String("\\\\"); return;
    case U'"': out += QLatin1String("\\\""); return;
    case U'\n': out += QLatin1String("\\n"); return;
    case U'\r': out += QLatin1String("\\r"); return;
    case U'\t': out += QLatin1String("\\t"); return;
    default: break;
    }
    if (c < 0x80)
        out += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else if (c < 0x10000)
        out += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\U%1").arg(uint(c), 8, 16, QLatin1Char('0'));
}

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
    return QStringLiteral("accepted: ") + names.join(QStringLiteral(", "));
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
    return program + QStringLiteral(" " ZORVEL_VERSION);
}

QString quotedArgument(QStringView text)
{
    QString out = QStringLiteral("\"");
    for (char32_t c : text.toUcs4()) {
        if (c >= 0x20 && c != 0x7f && c != U'\\' && c != U'"' && isHarmless(c))
            out += QString::fromUcs4(&c, 1);
        else
            appendEscape(out, c);
    }
    return out + QLatin1Char('"');
}

std::string quotedArgument(std::string_view utf8)
{
    return quotedArgument(QString::fromUtf8(utf8.data(), qsizetype(utf8.size()))).toStdString();
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
        return QStringLiteral("unknown option ") + quotedArgument(spelling(parser.unknownOptionNames().constFirst())) +
               QStringLiteral("; ") + acceptedOptions(options);
    if (endsWithoutValue(options, arguments) && parser.parse(arguments + QStringList{QString()}))
        return {};
    if (const QString argument = switchWithValue(options, arguments); !argument.isEmpty())
        return QStringLiteral("option ") + quotedArgument(argument) + QStringLiteral(" takes no value; ") +
               acceptedOptions(options);
    return QStringLiteral("cannot read the arguments: ") + quotedArgument(parser.errorText());
}

} // namespace zorvel
