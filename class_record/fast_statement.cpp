// Binding QVariants to a sqlite3_stmt, and reading its integers.
#include "class_record/fast_statement.h"

#include "records/sql_support.h"

#include <QSqlDriver>

#include <sqlite3.h>

namespace zorvel::classroom {

namespace {

sqlite3* handleOf(const QSqlDatabase& db)
{
    const QVariant handle = db.driver()->handle();
    if (!handle.isValid() || qstrcmp(handle.typeName(), "sqlite3*") != 0)
        throw records::SqlFailure(records::Failure::Other, QStringLiteral("not a SQLite connection"));
    return *static_cast<sqlite3* const*>(handle.constData());
}

} // namespace

FastStatement::FastStatement(const QSqlDatabase& db, const QString& sql)
    : db_(handleOf(db))
{
    const QByteArray text = sql.toUtf8();
    const int code = sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &statement_, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

FastStatement::~FastStatement()
{
    sqlite3_finalize(statement_);
}

void FastStatement::fail(int code) const
{
    throw records::SqlFailure(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(db_)), QSqlError::StatementError,
                                        QString::number(code)));
}

qint64 FastStatement::run(const QVariantList& values)
{
    bind(values);
    const int code = sqlite3_step(statement_);
    if (code != SQLITE_DONE)
        fail(code);
    return sqlite3_last_insert_rowid(db_);
}

void FastStatement::bind(const QVariantList& values)
{
    sqlite3_reset(statement_);
    for (int i = 0; i < values.size(); ++i) {
        const QVariant& value = values[i];
        int code = SQLITE_OK;
        switch (value.typeId()) {
        case QMetaType::UnknownType:
            code = sqlite3_bind_null(statement_, i + 1);
            break;
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            code = sqlite3_bind_int64(statement_, i + 1, value.toLongLong());
            break;
        case QMetaType::Double:
            code = sqlite3_bind_double(statement_, i + 1, value.toDouble());
            break;
        default: {
            if (value.isNull()) {
                code = sqlite3_bind_null(statement_, i + 1);
                break;
            }
            const QString text = value.toString();
            code = sqlite3_bind_text16(statement_, i + 1, text.utf16(), int(text.size() * 2), SQLITE_TRANSIENT);
        }
        }
        if (code != SQLITE_OK)
            fail(code);
    }
}

bool FastStatement::next()
{
    const int code = sqlite3_step(statement_);
    if (code == SQLITE_ROW)
        return true;
    if (code != SQLITE_DONE)
        fail(code);
    return false;
}

qint64 FastStatement::integer(int column) const
{
    return sqlite3_column_int64(statement_, column);
}

QString FastStatement::text(int column) const
{
    const auto* characters = static_cast<const char16_t*>(sqlite3_column_text16(statement_, column));
    return QString::fromUtf16(characters, sqlite3_column_bytes16(statement_, column) / 2);
}

int FastStatement::changes() const
{
    return sqlite3_changes(db_);
}

} // namespace zorvel::classroom
