// A program's options as one table: each row gives the parser its option and
// the help its line, so that adding an option is adding a row (and reading
// its value).
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>

#include <vector>

namespace zorvel {

struct OptionRow {
    const char* name;       // "count"
    const char* shortName;  // "h", or nullptr
    const char* valueName;  // "N" in the help; nullptr for a switch
    const char* help;       // UTF-8; each "\n" continues under the first line
};

using OptionTable = std::vector<OptionRow>;

// The program's own rows followed by the --help (-h) and --version rows that
// every Zorvel tool ends its table with.
OptionTable withHelpAndVersion(OptionTable rows);

QList<QCommandLineOption> parserOptions(const OptionTable& table);

// The options' part of --help: "  --count N      题数…", one row after
// another, the descriptions aligned.
QString optionHelp(const OptionTable& table);

// The names of the options that take a value, without "--".
QStringList valueOptionNames(const OptionTable& table);

} // namespace zorvel
