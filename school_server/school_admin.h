// What the school's administrator does on the server: classes with their
// teacher, pupils with their login roles, and a whole class list at once
// with generated passwords (shown once, as a sheet to hand out).
#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvel::school {

// A login role made by the administrator's commands; password is empty when
// the role existed already (its password is left as it was).
struct Login {
    QString name;     // the pupil's or the class's name
    QString number;   // the student number, if any
    QString role;
    QString password;
};

// Each throws ServerFailure (in Chinese) and changes nothing then.
Login addClass(const QSqlDatabase& db, const QString& name, const QString& teacher);
Login addPupil(const QSqlDatabase& db, const QString& name, const QString& className, const QString& role,
               const QString& studentNumber = {});

// One pupil of a class list: "姓名", "姓名,学号" or "姓名,学号,用户名"
// (a comma or a tab between them); the login is "s" and the student number
// when it is not given.
struct RosterLine {
    QString name;
    QString number;
    QString role;
};
// The lines of a class list; throws ServerFailure naming the first bad line.
std::vector<RosterLine> readRoster(const QString& text);
// All of the list's pupils as one transaction.
std::vector<Login> addRoster(const QSqlDatabase& db, const QString& className, const std::vector<RosterLine>& lines);
// The sheet of logins to cut up and hand out.
QString loginSheet(const QString& className, const std::vector<Login>& logins);

// A password of 10 letters and digits that cannot be mistaken for each other.
QString newPassword();

} // namespace zorvel::school
