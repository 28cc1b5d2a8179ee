// zorvel-records: prints the pupils' record (pupils, tests, the mistakes
// book, the daily practice's facts) from the user's record file or another one, for teachers and scripts.
// It only reads: the file is opened read-only and never created or updated.
#include "records/fact_records.h"
#include "records/record_reader.h"
#include "records/schema.h"
#include "records/sql_support.h"
#include "records/sqlite_record_store.h"
#include "common/command_line.h"
#include "common/qt_messages.h"
#include "tools/zorvel-records/records_options.h"
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

// A name is printed as it is, unless it holds control characters.
QString printable(const QString& name)
{
    const bool control = std::any_of(name.cbegin(), name.cend(),
                                     [](QChar c) { return c.category() == QChar::Other_Control; });
    return control ? quotedArgument(name) : name;
}

QByteArray listPupils(const RecordReader& reader)
{
    const std::optional<qint64> current = reader.savedCurrentPupil();
    QByteArray out;
    for (const Pupil& pupil : reader.pupils())
        out += ((current && *current == pupil.id ? QStringLiteral("* ") : QStringLiteral("  ")) + printable(pupil.name))
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

// The record read-only; a copy in a folder that cannot be written (where
// SQLite cannot make its WAL index) is read in immutable mode.
RecordReader openRecord(const QString& path)
{
    try {
        const QSqlDatabase db = openConnection(kConnection, path, true);
        checkReadable(db);
        return RecordReader(db);
    } catch (const SqlFailure& failure) {
        if (failure.kind() != Failure::CannotOpen && failure.kind() != Failure::ReadOnly)
            throw;
    }
    closeConnection(kConnection);
    const QSqlDatabase db = openImmutable(kConnection, path);
    checkReadable(db);
    return RecordReader(db);
}

QByteArray run(const RecordsOptions& options)
{
    const QString path = options.database.isEmpty() ? defaultDatabasePath() : options.database;
    if (!QFileInfo(path).isFile())
        throw Refusal{1, QStringLiteral("没有记录文件 %1").arg(quotedArgument(path))};
    try {
        const RecordReader reader = openRecord(path);
        switch (options.command) {
        case Command::Pupils:
            return listPupils(reader);
        case Command::Tests:
            return listTests(reader, options);
        case Command::Mistakes:
            return listMistakes(reader, options);
        case Command::Facts:
            return listFacts(reader, options);
        }
    } catch (const SqlFailure& failure) {
        throw Refusal{1, QStringLiteral("读不了记录 %1（%2）").arg(quotedArgument(path), failure.text())};
    }
    return {};
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
