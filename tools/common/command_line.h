// The command line as every Zorvel program meets it: one version line from
// the project's version, one way of quoting what a user typed so that a
// complaint stays a single harmless line, and argument reading over
// QCommandLineParser that neither prints nor exits, so that tests and fuzzers
// can call it with any list of arguments.
#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QList>
#include <QString>
#include <QStringList>

#include <string>
#include <string_view>

namespace zorvel {

// "zorvel-say 1.0": the program's name and the package version.
QString versionLine(const QString& program);

// Text as typed, in double quotes, with everything that could break the line
// or steer a terminal written as an escape: "add\nsub", "\x1b[2J", "\u202e".
// Backslashes and quotes are escaped too, so the quoted text is unambiguous.
QString quotedArgument(QStringView text);
std::string quotedArgument(std::string_view utf8);

// The program's arguments as main() received them, decoded from the locale.
QStringList argumentList(int argc, char** argv);

// Adds the options to the parser and reads the arguments (the first is the
// program). An option that wants a value but ends the line gets an empty
// value, for the caller to refuse with its own list of accepted values.
// Returns one line naming the refused argument and the accepted options
// (unknown option, value given to a switch), or nothing when all was read.
QString readArguments(QCommandLineParser& parser, const QList<QCommandLineOption>& options,
                      const QStringList& arguments);

} // namespace zorvel
