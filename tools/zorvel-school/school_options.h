// Command-line options of zorvel-school, read and checked in one place so
// that bad input is refused (one line, status 2) before the server is asked.
#pragma once

#include <QString>

namespace zorvel::school::cli {

enum class Command { Init, AddClass, AddPupil, Roster };

struct SchoolOptions {
    Command command = Command::Init;
    QString service;  // empty: libpq's own defaults (PGSERVICE, PGHOST, …)
    QString name;     // the class or pupil (add-class, add-pupil), or the class list file (roster)
    QString teacher;
    QString className;
    QString role;
    QString studentNumber;
};

struct ParsedSchoolOptions {
    SchoolOptions options;
    QString error;   // one line; empty when the options are good
    QString output;  // --help or --version text: print it and stop
};

ParsedSchoolOptions parseSchoolOptions(const QStringList& arguments);

} // namespace zorvel::school::cli
