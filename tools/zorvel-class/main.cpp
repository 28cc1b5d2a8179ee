// zorvel-class: the class record on the command line. Imports the files
// pupils' computers export into a class file, reads the class list, and
// prints the class's tables for teachers and scripts.
#include "class_record/class_file.h"
#include "class_record/sqlite_class_data.h"
#include "class_record/untrusted_pupil_file.h"
#include "common/command_line.h"
#include "common/qt_messages.h"
#include "platform/private_files.h"
#include "school_server/server_class_data.h"
#include "tools/zorvel-class/class_options.h"
#include "tools/zorvel-records/records_table.h"

#include <QCoreApplication>
#include <QDir>

#include <algorithm>
#include <cstdio>

using namespace zorvel::classroom;
using namespace zorvel::classroom::cli;
using zorvel::quotedArgument;
using zorvel::records::cli::Table;

namespace {

int report(int status, const QString& message)
{
    std::fprintf(stderr, "zorvel-class：%s\n", message.toUtf8().constData());
    return status;
}

bool print(const QByteArray& text)
{
    return std::fwrite(text.constData(), 1, std::size_t(text.size()), stdout) == std::size_t(text.size()) &&
           std::fflush(stdout) == 0;
}

int importFiles(ClassData& data, const QStringList& files)
{
    const std::vector<ImportResult> results = data.importFiles(files);
    if (!data.problem().isEmpty())
        return report(1, data.problem());
    QByteArray lines;
    bool refused = false;
    for (std::size_t i = 0; i < results.size(); ++i) {
        lines += importLine(files[int(i)], results[i]).toUtf8() + '\n';
        refused = refused || results[i].status == ImportResult::Status::Refused;
    }
    if (!print(lines))
        return report(1, QStringLiteral("没能写出结果"));
    return refused ? 1 : 0;
}

int readRoster(ClassData& data, const QString& file)
{
    const std::optional<QByteArray> bytes = zorvel::readRegularFile(file);
    if (!bytes)
        return report(1, QStringLiteral("读不了名单 %1").arg(quotedArgument(file)));
    const QString error = data.setRoster(*bytes);
    if (!error.isEmpty())
        return report(1, error);
    const RosterMatch match = data.rosterMatch();
    QString text = QStringLiteral("名单已读入。\n");
    if (!match.pupilsNotOnList.isEmpty())
        text += QStringLiteral("名单上没有这些学生（他们的文件没有对上名单）：%1\n").arg(match.pupilsNotOnList.join(QStringLiteral("、")));
    if (!match.namesWithoutFile.isEmpty())
        text += QStringLiteral("还没有导入这些学生的文件：%1\n").arg(match.namesWithoutFile.join(QStringLiteral("、")));
    return print(text.toUtf8()) ? 0 : report(1, QStringLiteral("没能写出结果"));
}

template <typename Row>
QByteArray table(const ClassOptions& options, const QStringList& header, const std::vector<Row>& rows,
                 QStringList (*fields)(const Row&))
{
    Table out(options.format, header);
    for (const Row& row : rows)
        out.addRow(fields(row));
    return out.text();
}

QByteArray tableOf(ClassData& data, const ClassOptions& options)
{
    const DateRange range{options.since, options.until};
    switch (options.command) {
    case Command::Pupils:
        return table(options, kPupilColumns, data.pupils(range), &pupilFields);
    case Command::Tests: {
        std::vector<zorvel::records::TestRow> rows = data.tests(range);
        std::reverse(rows.begin(), rows.end());
        return table(options, zorvel::records::cli::kTestColumns, rows, &zorvel::records::cli::testFields);
    }
    case Command::Facts:
        return table(options, kFactColumns, data.facts(range), &factFields);
    case Command::Mistakes:
        return table(options, kMistakeColumns, data.mistakes(range), &mistakeFields);
    case Command::Conflicts:
        return table(options, kConflictColumns, data.conflicts(), &conflictFields);
    case Command::Import:
    case Command::Roster:
        break;
    }
    return {};
}

} // namespace

int main(int argc, char** argv)
{
    zorvel::keepQtRemarksOffStandardError();
    QCoreApplication app(argc, argv);
    const ParsedClassOptions parsed = parseClassOptions(app.arguments());
    if (!parsed.error.isEmpty())
        return report(2, parsed.error);
    if (!parsed.output.isEmpty())
        return print(parsed.output.toUtf8()) ? 0 : 1;
    const ClassOptions& options = parsed.options;
    const QString path = options.classFile.isEmpty() ? QDir::current().filePath(defaultClassFileName()) : options.classFile;
    std::unique_ptr<ClassData> source;
    if (options.service.isEmpty()) {
        source = std::make_unique<SqliteClassData>(path, readUntrustedPupilFile);
    } else {
        const zorvel::school::ServerAddress address{options.service, {}, 0, {}, {}};
        source = std::make_unique<zorvel::school::ServerClassData>(address, zorvel::school::serverCopyPath(address));
    }
    ClassData& data = *source;
    if (!data.problem().isEmpty())
        return report(1, data.problem());
    if (options.command == Command::Import)
        return importFiles(data, options.files);
    if (options.command == Command::Roster)
        return readRoster(data, options.files.first());
    const QByteArray text = tableOf(data, options);
    if (!data.problem().isEmpty())
        return report(1, data.problem());
    return print(text) ? 0 : report(1, QStringLiteral("没能写出结果"));
}
