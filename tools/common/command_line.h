// The command line as every Zorvel program meets it: one version line from
// the project's version, and one way of quoting what a user typed so that a
// complaint stays a single harmless line.
#pragma once

#include <QString>

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

} // namespace zorvel
