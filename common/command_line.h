// The command line as every Zorvel program meets it: one version line from
// the project's version, and argument reading over QCommandLineParser that
// neither prints nor exits, so that tests and fuzzers can call it with any
// list of arguments. Complaints are one Chinese line each, with what the user
// typed quoted (common/quoting.h) and the option names as written.
#pragma once

#include "common/quoting.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace zorvel {

// "zorvel-say 1.0": the program's name and the package version.
QString versionLine(const QString& program);

// The program's arguments as main() received them, decoded from the locale.
QStringList argumentList(int argc, char** argv);

// Adds the options to the parser and reads the arguments (the first is the
// program). An option that wants a value but ends the line gets an empty
// value, for the caller to refuse with its own list of accepted values.
// Returns one line naming the refused argument and the accepted options
// (unknown option, value given to a switch), or nothing when all was read.
QString readArguments(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                      const QStringList& arguments);

// What a tool's command line asked for: output to print and stop (--help,
// --version), or the complaint about it; both empty when the tool goes on.
struct ToolArguments {
    QString error;
    QString output;
};

// Reads the arguments with readArguments(); --help gives help() and
// --version the version line of program as output; otherwise check(parser)
// reads the values and gives the complaint, if any.
ToolArguments readToolArguments(const QStringList& arguments, const QList<QCommandLineOption>& options,
                                const QString& program, const std::function<QString()>& help,
                                const std::function<QString(const QCommandLineParser&)>& check);

// Items of a list in a Chinese sentence: "add、sub、mul".
QString listed(const QStringList& items);

} // namespace zorvel
