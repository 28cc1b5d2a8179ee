// Reading zorvel-school's options: a command, its one argument, and the
// options that command takes.
#include "tools/zorvel-school/school_options.h"

#include "common/command_line.h"
#include "common/option_table.h"

#include <QCommandLineParser>

#include <map>

namespace zorvel::school::cli {

namespace {

struct CommandRow {
    Command command;
    const char* argument;      // what its one argument is, or nullptr
    QStringList required;      // options it needs
    QStringList accepted;      // options it takes besides --service
};

const std::map<QString, CommandRow>& commands()
{
    static const std::map<QString, CommandRow> rows = {
        {QStringLiteral("init"), {Command::Init, nullptr, {}, {}}},
        {QStringLiteral("add-class"), {Command::AddClass, "班级名称", {QStringLiteral("teacher")}, {QStringLiteral("teacher")}}},
        {QStringLiteral("add-pupil"),
         {Command::AddPupil, "学生的名字", {QStringLiteral("class"), QStringLiteral("role")},
          {QStringLiteral("class"), QStringLiteral("role"), QStringLiteral("student-number")}}},
        {QStringLiteral("roster"), {Command::Roster, "名单文件", {QStringLiteral("class")}, {QStringLiteral("class")}}},
    };
    return rows;
}

const OptionTable& schoolOptionTable()
{
    static const OptionTable table = withHelpAndVersion({
        {"service", nullptr, "NAME", "连接 pg_service.conf 里的这个服务（默认：libpq 的 PGSERVICE 等环境变量）"},
        {"teacher", nullptr, "ROLE", "班主任的登录名（add-class）"},
        {"class", nullptr, "NAME", "学生所在的班级（add-pupil、roster）"},
        {"role", nullptr, "ROLE", "学生的登录名（add-pupil）"},
        {"student-number", nullptr, "N", "学号（add-pupil）"},
    });
    return table;
}

QString helpText()
{
    return QStringLiteral(
               "用法：zorvel-school [--service NAME] 命令 [参数] [选项]\n"
               "在学校的 PostgreSQL 服务器上准备 Zorvel 的学习记录（由管理员运行）。\n"
               "连接用 libpq 的服务名：地址、数据库、用户和 TLS 设置写在 ~/.pg_service.conf\n"
               "（或 PGSERVICEFILE 指定的文件）里，密码在 ~/.pgpass 里；命令行上从不写密码。\n"
               "\n"
               "命令：\n"
               "  init                          建立或升级表、三个组角色（zorvel_pupil、zorvel_teacher、\n"
               "                                zorvel_admin）和行级安全规则\n"
               "  add-class NAME --teacher ROLE 添加班级；班主任的登录角色不存在时建立它\n"
               "  add-pupil NAME --class NAME --role ROLE [--student-number N]\n"
               "                                添加学生；登录角色不存在时建立它\n"
               "  roster --class NAME FILE      按名单添加全班学生（每行：姓名,学号 或 姓名,学号,登录名），\n"
               "                                打印一次性的登录名和密码单\n"
               "\n新建的登录角色的密码只打印这一次。\n"
               "\n选项：\n") +
           optionHelp(schoolOptionTable()) +
           QStringLiteral("\n选项有误时在标准错误输出一行说明，退出状态为 2；服务器出错时退出状态为 1。\n");
}

QString checkValues(const QCommandLineParser& parser, SchoolOptions& options)
{
    QStringList positional = parser.positionalArguments();
    QStringList names;
    for (const auto& [name, row] : commands())
        names << name;
    if (positional.isEmpty())
        return QStringLiteral("缺少命令；可用的命令：") + listed(names);
    const auto found = commands().find(positional.takeFirst());
    if (found == commands().end())
        return QStringLiteral("未知的命令 %1；可用的命令：%2").arg(quotedArgument(parser.positionalArguments().first()), listed(names));
    const CommandRow& row = found->second;
    options.command = row.command;
    if (row.argument && positional.isEmpty())
        return QStringLiteral("%1 命令缺少%2").arg(found->first, QString::fromUtf8(row.argument));
    if (positional.size() > (row.argument ? 1 : 0))
        return QStringLiteral("多余的参数 %1").arg(quotedArgument(positional.last()));
    options.name = positional.value(0);
    for (const QString& option : parser.optionNames()) {
        if (option != QLatin1String("service") && !row.accepted.contains(option))
            return QStringLiteral("%1 命令不接受 --%2").arg(found->first, option);
        if (parser.value(option).isEmpty())
            return QStringLiteral("--%1 需要一个值").arg(option);
    }
    for (const QString& option : row.required)
        if (!parser.isSet(option))
            return QStringLiteral("%1 命令需要 --%2").arg(found->first, option);
    options.service = parser.value(QStringLiteral("service"));
    options.teacher = parser.value(QStringLiteral("teacher"));
    options.className = parser.value(QStringLiteral("class"));
    options.role = parser.value(QStringLiteral("role"));
    options.studentNumber = parser.value(QStringLiteral("student-number"));
    return {};
}

} // namespace

ParsedSchoolOptions parseSchoolOptions(const QStringList& arguments)
{
    ParsedSchoolOptions parsed;
    const ToolArguments read = readToolArguments(
        arguments, parserOptions(schoolOptionTable()), QStringLiteral("zorvel-school"), &helpText,
        [&parsed](const QCommandLineParser& parser) { return checkValues(parser, parsed.options); });
    parsed.error = read.error;
    parsed.output = read.output;
    return parsed;
}

} // namespace zorvel::school::cli
