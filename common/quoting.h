// Quoting what a user typed, so that a complaint about it stays one harmless
// line on a terminal: the program and every tool quote refused text this way.
#pragma once

#include <QString>
#include <QStringView>

#include <string>
#include <string_view>

namespace zorvel {

// Text as typed, in double quotes, with everything that could break the line
// or steer a terminal written as an escape: "add\nsub", "\x1b[2J", "\u202e".
// Backslashes and quotes are escaped too, so the quoted text is unambiguous.
QString quotedArgument(QStringView text);
std::string quotedArgument(std::string_view utf8);

} // namespace zorvel
