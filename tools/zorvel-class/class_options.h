// Command-line options of zorvel-class, read and checked in one place so
// that bad input is refused (one line, status 2) before the class file is
// touched.
#pragma once

#include "tools/zorvel-records/records_options.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

namespace zorvel::classroom::cli {

enum class Command { Import, Roster, Pupils, Tests, Facts, Mistakes, Conflicts };

struct ClassOptions {
    Command command = Command::Pupils;
    QString classFile;            // empty: 班级.zorvel-class in the current folder
    QString service;              // the school server's libpq service instead of a class file
    QStringList files;            // import: the pupils' files; roster: the list
    std::optional<QDate> since, until;
    records::cli::TableFormat format = records::cli::TableFormat::Csv;
};

struct ParsedClassOptions {
    ClassOptions options;
    QString error;   // one line; empty when the options are good
    QString output;  // --help or --version text: print it and stop
};

ParsedClassOptions parseClassOptions(const QStringList& arguments);

} // namespace zorvel::classroom::cli
