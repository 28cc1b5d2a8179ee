// Reading a class list and matching it with the imported pupils.
#include "class_record/class_roster.h"

#include "records/sql_support.h"

#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>

namespace zorvel::classroom {

namespace {

// The fields of one line: comma or tab separated, "…" quoting with "" inside.
QStringList fieldsOf(const QString& line)
{
    const QChar separator = line.contains(QLatin1Char('\t')) ? QLatin1Char('\t') : QLatin1Char(',');
    QStringList fields(1);
    bool quoted = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('"') && quoted && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
            fields.last() += line[++i];
        else if (c == QLatin1Char('"'))
            quoted = !quoted;
        else if (c == separator && !quoted)
            fields << QString();
        else
            fields.last() += c;
    }
    for (QString& field : fields)
        field = field.trimmed();
    return fields;
}

bool isNumber(const QString& field)
{
    static const QRegularExpression digits(QStringLiteral("^[0-9A-Za-z-]*[0-9][0-9A-Za-z-]*$"));
    return digits.match(field).hasMatch();
}

struct Columns {
    int name = -1;
    int number = -1;
};

// The columns a header names, if the first line is one.
Columns headerColumns(const QStringList& fields)
{
    Columns columns;
    for (int i = 0; i < fields.size(); ++i) {
        const QString field = fields[i].toLower();
        if (field == QStringLiteral("姓名") || field == QStringLiteral("名字") || field == QLatin1String("name"))
            columns.name = i;
        else if (field == QStringLiteral("学号") || field == QLatin1String("student_number"))
            columns.number = i;
    }
    return columns;
}

RosterEntry entryOf(const QStringList& fields, const Columns& header)
{
    if (header.name >= 0)
        return {fields.value(header.name), fields.value(header.number)};
    QStringList nonEmpty;
    for (const QString& field : fields)
        if (!field.isEmpty())
            nonEmpty << field;
    if (nonEmpty.size() == 2 && isNumber(nonEmpty[0]) != isNumber(nonEmpty[1]))
        return isNumber(nonEmpty[0]) ? RosterEntry{nonEmpty[1], nonEmpty[0]} : RosterEntry{nonEmpty[0], nonEmpty[1]};
    return {nonEmpty.value(0), {}};
}

} // namespace

ParsedRoster parseRoster(const QByteArray& bytes)
{
    ParsedRoster roster;
    QStringDecoder decode(QStringDecoder::Utf8);
    QString text = decode(bytes);
    if (decode.hasError())
        return {{}, QStringLiteral("名单不是 UTF-8 文本（可以用记事本“另存为 UTF-8”）")};
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    Columns header = headerColumns(fieldsOf(lines.value(0)));
    QSet<QString> seen;
    for (int i = header.name >= 0 ? 1 : 0; i < lines.size(); ++i) {
        const RosterEntry entry = entryOf(fieldsOf(lines[i]), header);
        if (entry.name.isEmpty())
            continue;
        if (seen.contains(entry.name))
            return {{}, QStringLiteral("名单里“%1”出现了不止一次（第 %2 行）").arg(entry.name).arg(i + 1)};
        seen.insert(entry.name);
        roster.entries.push_back(entry);
    }
    if (roster.entries.empty())
        roster.error = QStringLiteral("名单里没有名字");
    return roster;
}

void storeRoster(const QSqlDatabase& db, const std::vector<RosterEntry>& entries)
{
    records::Transaction transaction(db);
    records::run(db, QStringLiteral("DELETE FROM class_roster"));
    int position = 0;
    for (const RosterEntry& entry : entries)
        records::run(db, QStringLiteral("INSERT INTO class_roster (position, name, student_number) VALUES (?, ?, ?)"),
                     {++position, entry.name, records::text(entry.studentNumber)});
    transaction.commit();
}

RosterMatch matchRoster(const QSqlDatabase& db)
{
    RosterMatch match;
    QSqlQuery query = records::run(db, QStringLiteral("SELECT name FROM pupils WHERE name NOT IN (SELECT name FROM class_roster)"
                                                      " ORDER BY name"));
    while (records::nextRow(query))
        match.pupilsNotOnList << query.value(0).toString();
    query = records::run(db, QStringLiteral("SELECT name FROM class_roster WHERE name NOT IN (SELECT name FROM pupils)"
                                            " ORDER BY position"));
    while (records::nextRow(query))
        match.namesWithoutFile << query.value(0).toString();
    return match;
}

} // namespace zorvel::classroom
