// Command-line options of zorvel-records, read and checked in one place so
// that bad input is refused (one line, status 2) before anything is printed.
#pragma once

#include <QCommandLineParser>
#include <QDate>
#include <QString>

#include <optional>

namespace zorvel::records::cli {

enum class Command { Pupils, Tests, Mistakes, Facts, Export, Sync };
enum class TableFormat { Csv, Tsv };

struct RecordsOptions {
    Command command = Command::Pupils;
    QString database;             // empty: the user's own record
    std::optional<QString> pupil;
    std::optional<QDate> since;
    TableFormat format = TableFormat::Csv;
    QString output;               // export: the file to write
    QString service;              // sync: the libpq service to send to (empty: the one set in the program)
};

struct ParsedRecordsOptions {
    RecordsOptions options;
    QString error;   // one line; empty when the options are good
    QString output;  // --help or --version text: print it and stop
};

ParsedRecordsOptions parseRecordsOptions(const QStringList& arguments);

// Reads --format (csv or tsv) into format when it is given; the complaint, or empty.
QString readTableFormat(const QCommandLineParser& parser, TableFormat& format);

} // namespace zorvel::records::cli
