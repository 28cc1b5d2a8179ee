// zorvel-school: prepares the school's PostgreSQL database for Zorvel (the
// schema, the group roles, classes, pupils and their logins), connecting
// with a libpq service name and never taking a password on the command line.
#include "common/qt_messages.h"
#include "school_server/school_admin.h"
#include "school_server/server_connection.h"
#include "school_server/server_schema.h"
#include "tools/zorvel-school/school_options.h"

#include <QCoreApplication>
#include <QFile>

#include <cstdio>

using namespace zorvel::school;
using namespace zorvel::school::cli;

namespace {

const QString kConnection = QStringLiteral("zorvel-school");

void say(const QString& text)
{
    std::fputs(text.toUtf8().constData(), stdout);
}

QString newLoginLine(const Login& login, const QString& what)
{
    return login.password.isEmpty() ? QStringLiteral("%1的登录角色 %2 已经存在，密码不变。\n").arg(what, login.role)
                                    : QStringLiteral("新建了%1的登录角色 %2，密码：%3（只显示这一次）\n")
                                          .arg(what, login.role, login.password);
}

void run(const QSqlDatabase& db, const SchoolOptions& options)
{
    switch (options.command) {
    case Command::Init: {
        const int before = initSchool(db);
        say(before == kServerLayout ? QStringLiteral("数据库已经是最新的（版本 %1）。\n").arg(kServerLayout)
                                    : QStringLiteral("数据库已准备好（版本 %1 → %2）。\n").arg(before).arg(kServerLayout));
        return;
    }
    case Command::AddClass:
        say(QStringLiteral("添加了班级 %1。\n").arg(options.name) +
            newLoginLine(addClass(db, options.name, options.teacher), QStringLiteral("班主任")));
        return;
    case Command::AddPupil:
        say(QStringLiteral("添加了学生 %1（%2）。\n").arg(options.name, options.className) +
            newLoginLine(addPupil(db, options.name, options.className, options.role, options.studentNumber),
                         QStringLiteral("学生")));
        return;
    case Command::Roster: {
        QFile file(options.name);
        if (!file.open(QIODevice::ReadOnly))
            throw ServerFailure(QStringLiteral("名单文件 %1 打不开").arg(options.name));
        const auto lines = readRoster(QString::fromUtf8(file.readAll()));
        say(loginSheet(options.className, addRoster(db, options.className, lines)));
        return;
    }
    }
}

int complain(int status, const QString& message)
{
    std::fprintf(stderr, "zorvel-school：%s\n", message.toUtf8().constData());
    return status;
}

} // namespace

int main(int argc, char** argv)
{
    zorvel::keepQtRemarksOffStandardError();
    QCoreApplication app(argc, argv);
    const ParsedSchoolOptions parsed = parseSchoolOptions(app.arguments());
    if (!parsed.error.isEmpty())
        return complain(2, parsed.error);
    if (!parsed.output.isEmpty()) {
        say(parsed.output);
        return 0;
    }
    ServerAddress address;
    address.service = parsed.options.service;
    try {
        const QSqlDatabase db = openServer(kConnection, address);
        run(db, parsed.options);
    } catch (const ServerFailure& failure) {
        return complain(1, failure.text());
    }
    return 0;
}
