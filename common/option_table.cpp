// Parser options and help lines from one option table.
#include "common/option_table.h"

#include "common/command_line.h"

#include <QStringList>

#include <algorithm>

namespace zorvel {

namespace {

// "-h, --help" or "--count N": the row as the help writes it.
QString spelled(const OptionRow& row)
{
    QString text = QStringLiteral("--") + QLatin1String(row.name);
    if (row.valueName)
        text += QLatin1Char(' ') + QLatin1String(row.valueName);
    if (row.shortName)
        text = QStringLiteral("-") + QLatin1String(row.shortName) + QStringLiteral(", ") + text;
    return text;
}

} // namespace

OptionTable withHelpAndVersion(OptionTable rows)
{
    rows.push_back({"help", "h", nullptr, "显示本说明并退出"});
    rows.push_back({"version", nullptr, nullptr, "显示版本号并退出"});
    return rows;
}

QList<QCommandLineOption> parserOptions(const OptionTable& table)
{
    QList<QCommandLineOption> options;
    for (const OptionRow& row : table) {
        QStringList names{QLatin1String(row.name)};
        if (row.shortName)
            names.prepend(QLatin1String(row.shortName));
        options.append(QCommandLineOption(names, QString::fromUtf8(row.help),
                                          row.valueName ? QLatin1String(row.valueName) : QString()));
    }
    return options;
}

QString optionHelp(const OptionTable& table)
{
    qsizetype width = 0;
    for (const OptionRow& row : table)
        width = std::max(width, spelled(row).size());
    const QString indent(width + 4, QLatin1Char(' '));
    QString help;
    for (const OptionRow& row : table) {
        const QStringList lines = QString::fromUtf8(row.help).split(QLatin1Char('\n'));
        help += QStringLiteral("  ") + spelled(row).leftJustified(width + 2) + lines.first() + QLatin1Char('\n');
        for (qsizetype i = 1; i < lines.size(); ++i)
            help += indent + lines[i] + QLatin1Char('\n');
    }
    return help;
}

QStringList valueOptionNames(const OptionTable& table)
{
    QStringList names;
    for (const OptionRow& row : table)
        if (row.valueName)
            names.append(QLatin1String(row.name));
    return names;
}

} // namespace zorvel
