// Classes, pupils and class lists on the server; login roles are made with
// the server quoting their names and passwords (format %I and %L).
#include "school_server/school_admin.h"

#include "school_server/server_connection.h"
#include "school_server/server_schema.h"

#include <QRandomGenerator>
#include <QRegularExpression>

namespace zorvel::school {

namespace {

bool roleExists(const QSqlDatabase& db, const QString& role)
{
    return value(db, QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = ?"), {role}).isValid();
}

// The login role, made with a new password unless it exists; a member of group either way.
QString ensureLogin(const QSqlDatabase& db, const QString& role, const QString& group)
{
    if (role.isEmpty() || role.size() > 63)
        throw ServerFailure(QStringLiteral("用户名 “%1” 不能用（1 到 63 个字符）").arg(role));
    QString password;
    if (!roleExists(db, role)) {
        password = newPassword();
        exec(db, value(db, QStringLiteral("SELECT format('CREATE ROLE %I LOGIN PASSWORD %L', ?::text, ?::text)"),
                       {role, password})
                     .toString());
    }
    exec(db, value(db, QStringLiteral("SELECT format('GRANT %I TO %I', ?::text, ?::text)"), {group, role}).toString());
    return password;
}

QVariant classId(const QSqlDatabase& db, const QString& className)
{
    const QVariant id = value(db, QStringLiteral("SELECT id FROM zorvel.classes WHERE name = ?"), {className});
    if (!id.isValid())
        throw ServerFailure(QStringLiteral("服务器上没有班级 “%1”").arg(className));
    return id;
}

Login insertPupil(const QSqlDatabase& db, const RosterLine& line, const QVariant& inClass)
{
    if (value(db, QStringLiteral("SELECT 1 FROM zorvel.pupils WHERE login = ?"), {line.role}).isValid())
        throw ServerFailure(QStringLiteral("用户名 “%1” 已经是一个学生的了").arg(line.role));
    const QString password = ensureLogin(db, line.role, QStringLiteral("zorvel_pupil"));
    exec(db, QStringLiteral("INSERT INTO zorvel.pupils (name, class_id, login, student_number) VALUES (?, ?, ?, ?)"),
         {line.name, inClass, line.role, line.number.isEmpty() ? QVariant(QMetaType(QMetaType::QString)) : line.number});
    return {line.name, line.number, line.role, password};
}

} // namespace

QString newPassword()
{
    static const QString letters = QStringLiteral("abcdefghjkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString password;
    for (int i = 0; i < 10; ++i)
        password += letters.at(int(QRandomGenerator::system()->bounded(quint32(letters.size()))));
    return password;
}

Login addClass(const QSqlDatabase& db, const QString& name, const QString& teacher)
{
    if (name.trimmed().isEmpty())
        throw ServerFailure(QStringLiteral("班级名称不能是空的"));
    ServerTransaction transaction(db);
    checkLayout(db);
    if (value(db, QStringLiteral("SELECT 1 FROM zorvel.classes WHERE name = ?"), {name}).isValid())
        throw ServerFailure(QStringLiteral("已经有班级 “%1”").arg(name));
    const QString password = ensureLogin(db, teacher, QStringLiteral("zorvel_teacher"));
    exec(db, QStringLiteral("INSERT INTO zorvel.classes (name, teacher) VALUES (?, ?)"), {name, teacher});
    transaction.commit();
    return {name, {}, teacher, password};
}

Login addPupil(const QSqlDatabase& db, const QString& name, const QString& className, const QString& role,
               const QString& studentNumber)
{
    if (name.trimmed().isEmpty())
        throw ServerFailure(QStringLiteral("学生的名字不能是空的"));
    ServerTransaction transaction(db);
    const Login login = insertPupil(db, {name.trimmed(), studentNumber, role}, classId(db, className));
    transaction.commit();
    return login;
}

std::vector<RosterLine> readRoster(const QString& text)
{
    std::vector<RosterLine> lines;
    const QStringList rows = text.split(QLatin1Char('\n'));
    for (int i = 0; i < rows.size(); ++i) {
        const QString row = rows.at(i).trimmed();
        if (row.isEmpty() || row.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = row.split(QRegularExpression(QStringLiteral("[,\\t，]")));
        RosterLine line{fields.value(0).trimmed(), fields.value(1).trimmed(), fields.value(2).trimmed()};
        if (line.role.isEmpty() && !line.number.isEmpty())
            line.role = QStringLiteral("s") + line.number;
        if (line.name.isEmpty() || line.role.isEmpty() || fields.size() > 3)
            throw ServerFailure(QStringLiteral("名单第 %1 行看不懂：“%2”（每行写 姓名,学号 或 姓名,学号,用户名）")
                                    .arg(i + 1)
                                    .arg(row));
        lines.push_back(line);
    }
    if (lines.empty())
        throw ServerFailure(QStringLiteral("名单里没有学生"));
    return lines;
}

std::vector<Login> addRoster(const QSqlDatabase& db, const QString& className, const std::vector<RosterLine>& lines)
{
    ServerTransaction transaction(db);
    const QVariant inClass = classId(db, className);
    std::vector<Login> logins;
    for (const RosterLine& line : lines)
        logins.push_back(insertPupil(db, line, inClass));
    transaction.commit();
    return logins;
}

QString loginSheet(const QString& className, const std::vector<Login>& logins)
{
    QString sheet = QStringLiteral("%1 的 Zorvel 登录（密码只显示这一次，请剪开分发）\n").arg(className);
    const QString cut = QStringLiteral("- - - - - - - - - - - - - - - - - - - - - - - -\n");
    for (const Login& login : logins) {
        sheet += cut;
        sheet += QStringLiteral("姓名：%1%2\n用户名：%3\n密码：%4\n")
                     .arg(login.name,
                          login.number.isEmpty() ? QString() : QStringLiteral("　学号：") + login.number,
                          login.role,
                          login.password.isEmpty() ? QStringLiteral("（原有用户，密码不变）") : login.password);
    }
    return sheet + cut;
}

} // namespace zorvel::school
