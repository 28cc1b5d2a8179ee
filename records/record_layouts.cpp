// The known layouts, made once per version by running the migrations on an
// empty database in memory, and the comparison of a file's schema with them.
#include "records/record_layouts.h"

#include "records/schema.h"
#include "records/sql_support.h"
#include "common/quoting.h"

#include <QMutex>
#include <QMutexLocker>
#include <QRegularExpression>

#include <map>

namespace zorvel::records {

namespace {

// type|name|table|sql with quotes dropped and blanks folded: SQLite quotes
// a renamed table's name and keeps the spacing it was given.
QString objectLine(const QSqlQuery& row)
{
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    QString sql = row.value(3).toString();
    sql.remove(QLatin1Char('"'));
    sql.replace(blanks, QStringLiteral(" "));
    return QStringList{row.value(0).toString(), row.value(1).toString(), row.value(2).toString(), sql.trimmed()}
        .join(QLatin1Char('|'));
}

QStringList schemaOf(const QSqlDatabase& db)
{
    QSqlQuery rows = run(db, QStringLiteral("SELECT type, name, tbl_name, sql FROM main.sqlite_master ORDER BY name"));
    QStringList lines;
    while (nextRow(rows))
        lines << objectLine(rows);
    return lines;
}

QStringList madeLayout(int version)
{
    static int serial = 0;
    const QString connection = QStringLiteral("zorvel-layout-%1").arg(++serial);
    QStringList lines;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (!db.open())
            throw SqlFailure(db.lastError());
        migrate(db, version);
        lines = schemaOf(db);
    }
    closeConnection(connection);
    return lines;
}

const QStringList& layout(int version)
{
    static QMutex mutex;
    static std::map<int, QStringList> made;
    QMutexLocker lock(&mutex);
    auto found = made.find(version);
    if (found == made.end())
        found = made.emplace(version, madeLayout(version)).first;
    return found->second;
}

} // namespace

QString layoutMismatch(const QSqlDatabase& db)
{
    const int version = scalar(db, QStringLiteral("PRAGMA user_version")).toInt();
    if (version > kSchemaVersion)
        return QStringLiteral("文件是由更新版本的 Zorvel 建立的（格式 %1）").arg(version);
    if (version < 1)
        return QStringLiteral("文件不是 Zorvel 的学习记录");
    const QStringList& known = layout(version);
    const QStringList found = schemaOf(db);
    for (const QString& line : found)
        if (!known.contains(line))
            return QStringLiteral("文件里有不属于学习记录的%1 %2").arg(
                line.startsWith(QLatin1String("view|"))      ? QStringLiteral("视图")
                : line.startsWith(QLatin1String("trigger|")) ? QStringLiteral("触发器")
                : line.startsWith(QLatin1String("table|"))   ? QStringLiteral("表")
                                                             : QStringLiteral("索引"),
                quotedArgument(line.section(QLatin1Char('|'), 1, 1)));
    if (found.size() != known.size())
        return QStringLiteral("文件缺少学习记录的表");
    return {};
}

QStringList layoutTables(int version)
{
    QStringList tables;
    for (const QString& line : layout(version))
        if (line.startsWith(QLatin1String("table|")))
            tables << line.section(QLatin1Char('|'), 1, 1);
    return tables;
}

} // namespace zorvel::records
