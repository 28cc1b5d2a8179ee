// zorvel-records: prints the pupils' record (pupils, tests, the mistakes
// book, the daily practice's facts) from the user's record file or another one, for teachers and scripts,
// and writes one pupil's record to a file for the teacher (export). It only reads the record (the file is
// opened read-only and never created or updated), but for sync, which sends what waits to the school
// server and marks it sent.
#include "class_record/pupil_export.h"
#include "records/fact_records.h"
#include "records/read_only_record.h"
#include "records/record_reader.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "records/untrusted_record.h"
#include "common/command_line.h"
#include "common/qt_messages.h"
#include "tools/zorvel-records/records_options.h"
#include "tools/zorvel-records/records_sync.h"
#include "tools/zorvel-records/records_table.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

using namespace zorvel::records;
using namespace zorvel::records::cli;
using zorvel::quotedArgument;

namespace {

const QString kConnection = QStringLiteral("zorvel-records");

struct Refusal {
    int status;
    QString message;
};

// The pupils the command covers: one by name, or all.
std::vector<Pupil> chosenPupils(const RecordReader& reader, const std::optional<QString>& name)
{
    std::vector<Pupil> all = reader.pupils();
    if (!name)
        return all;
    for (const Pupil& pupil : all)
        if (pupil.name == *name)
            return {pupil};
    QStringList names;
    for (const Pupil& pupil : all)
        names << pupil.name;
    throw Refusal{2, QStringLiteral("记录里没有学生 %1；记录里的学生：%2").arg(quotedArgument(*name), zorvel::listed(names))};
}

QByteArray listPupils(const RecordReader& reader)
{
    const std::optional<qint64> current = reader.savedCurrentPupil();
    QByteArray out;
    for (const Pupil& pupil : reader.pupils())
        out += ((current && *current == pupil.id ? QStringLiteral("* ") : QStringLiteral("  ")) + printableName(pupil.name))
                   .toUtf8() +
               '\n';
    return out;
}

QByteArray listTests(const RecordReader& reader, const RecordsOptions& options)
{
    TestFilter filter;
    filter.since = options.since;
    if (options.pupil)
        filter.pupil = chosenPupils(reader, options.pupil).front().id;
    std::vector<TestRow> rows = reader.tests(filter);
    std::reverse(rows.begin(), rows.end());
    Table table(options.format, kTestColumns);
    for (const TestRow& row : rows)
        table.addRow(testFields(row));
    return table.text();
}

QByteArray listMistakes(const RecordReader& reader, const RecordsOptions& options)
{
    Table table(options.format, kMistakeColumns);
    for (const Pupil& pupil : chosenPupils(reader, options.pupil))
        for (const Mistake& mistake : reader.mistakes(pupil.id))
            table.addRow(mistakeFields(pupil.name, mistake));
    return table.text();
}

// Every fact asked, per pupil, in the order of the sets and of a and b.
QByteArray listFacts(const RecordReader& reader, const RecordsOptions& options)
{
    Table table(options.format, kFactColumns);
    for (const Pupil& pupil : chosenPupils(reader, options.pupil)) {
        const zorvel::facts::FactBook book = readFactBook(reader.database(), pupil.id);
        for (int fact = 0; fact < zorvel::facts::kFactCount; ++fact)
            if (book.state(fact).asked())
                table.addRow(factFields(pupil.name, zorvel::facts::Fact::at(fact), book.state(fact)));
    }
    return table.text();
}

// Writes the pupil's record to the file; prints nothing.
QByteArray exportPupil(const RecordReader& reader, const RecordsOptions& options)
{
    const Pupil pupil = chosenPupils(reader, options.pupil).front();
    const QString failure = zorvel::classroom::exportPupil(reader.database(), pupil.id, options.output);
    if (!failure.isEmpty())
        throw Refusal{1, QStringLiteral("没能导出到 %1：%2").arg(quotedArgument(options.output), failure)};
    return {};
}

// Why the record could not be read, in one Chinese phrase.
QString reason(const SqlFailure& failure)
{
    switch (failure.kind()) {
    case Failure::Corrupt:
        return QStringLiteral("文件有损坏，或者不是学习记录文件，没有读完");
    case Failure::Locked:
        return QStringLiteral("文件正被另一个程序占用");
    case Failure::NewerVersion:
        return QStringLiteral("文件是由更新版本的 Zorvel 建立的");
    case Failure::MigrationFailed:
    case Failure::Incomplete:
    case Failure::Unsafe:
        return failure.text();
    case Failure::ReadOnly:
    case Failure::CannotOpen:
    case Failure::DiskFull:
        return QStringLiteral("文件打不开");
    case Failure::Other:
        break;
    }
    return QStringLiteral("这不是本程序能读的学习记录");
}

QByteArray print(const RecordReader& reader, const RecordsOptions& options)
{
    switch (options.command) {
    case Command::Pupils:
        return listPupils(reader);
    case Command::Tests:
        return listTests(reader, options);
    case Command::Mistakes:
        return listMistakes(reader, options);
    case Command::Facts:
        return listFacts(reader, options);
    case Command::Export:
        return exportPupil(reader, options);
    case Command::Sync:
        break;
    }
    return {};
}

// A file named with --database may come from anyone: it is read from a
// private copy with SQLite's defences, and only when laid out as a record.
QByteArray run(const RecordsOptions& options)
{
    const QString path = options.database.isEmpty() ? defaultDatabasePath() : options.database;
    if (options.database.isEmpty() ? !QFileInfo(path).isFile() : !QFileInfo::exists(path))
        throw Refusal{1, QStringLiteral("没有记录文件 %1").arg(quotedArgument(path))};
    if (options.command == Command::Sync) {
        const SyncOutcome outcome = syncRecord(path, options);
        if (outcome.status != 0)
            throw Refusal{outcome.status, outcome.complaint};
        return outcome.output;
    }
    try {
        if (!options.database.isEmpty()) {
            const UntrustedRecord record(kConnection, path);
            return print(RecordReader(record.db()), options);
        }
        const ReadOnlyRecord record(kConnection, path);
        checkReadable(record.db());
        return print(RecordReader(record.db()), options);
    } catch (const UntrustedRecordRefused& refused) {
        throw Refusal{1, QStringLiteral("读不了记录 %1（%2）").arg(quotedArgument(path), refused.reason())};
    } catch (const SqlFailure& failure) {
        throw Refusal{1, QStringLiteral("读不了记录 %1（%2）").arg(quotedArgument(path), reason(failure))};
    }
}

int report(const Refusal& refusal)
{
    std::fprintf(stderr, "zorvel-records：%s\n", refusal.message.toUtf8().constData());
    return refusal.status;
}

} // namespace

int main(int argc, char** argv)
{
    zorvel::keepQtRemarksOffStandardError();
    QCoreApplication app(argc, argv);
    const ParsedRecordsOptions parsed = parseRecordsOptions(app.arguments());
    if (!parsed.error.isEmpty())
        return report({2, parsed.error});
    if (!parsed.output.isEmpty()) {
        std::fputs(parsed.output.toUtf8().constData(), stdout);
        return 0;
    }
    QByteArray output;
    try {
        output = run(parsed.options);
    } catch (const Refusal& refusal) {
        return report(refusal);
    }
    if (std::fwrite(output.constData(), 1, std::size_t(output.size()), stdout) != std::size_t(output.size()) ||
        std::fflush(stdout) != 0)
        return report({1, QStringLiteral("没能写出结果")});
    return 0;
}
