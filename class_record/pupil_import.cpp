// Writing a pupil file's rows into the class: ids remapped to the class's,
// tests matched by UUID and digest.
#include "class_record/pupil_import.h"

#include "class_record/fast_statement.h"
#include "class_record/pupil_file_rows.h"
#include "class_record/pupil_state_copy.h"
#include "records/sql_support.h"

#include <QHash>
#include <QSqlRecord>

namespace zorvel::classroom {

using records::nextRow;
using records::run;
using records::scalar;

namespace {

struct Importer {
    const QSqlDatabase& classDb;
    const QSqlDatabase& pupilDb;
    const PupilFileRows& rows;
    QString fileName;
    qint64 now = 0;
    std::map<qint64, qint64> pupilIds;     // file's -> class's
    std::map<qint64, QString> pupilNames;  // file's id -> class name
    std::map<qint64, qint64> exerciseIds;
    ImportResult result;
};

qint64 insertId(const QSqlDatabase& db, const QString& sql, const QVariantList& values)
{
    return run(db, sql, values).lastInsertId().toLongLong();
}

// A name the class has for another pupil gets "（2）", "（3）"… (never merged).
QString freeName(const QSqlDatabase& db, const QString& name)
{
    QString candidate = name;
    for (int n = 2; !scalar(db, QStringLiteral("SELECT 1 FROM pupils WHERE name = ?"), {candidate}).isNull(); ++n)
        candidate = QStringLiteral("%1（%2）").arg(name).arg(n);
    return candidate;
}

void mapPupils(Importer& in)
{
    for (const FilePupil& pupil : in.rows.pupils) {
        QSqlQuery known = run(in.classDb, QStringLiteral("SELECT id, name FROM pupils WHERE uuid = ?"), {pupil.uuid});
        if (nextRow(known)) {
            in.pupilIds[pupil.id] = known.value(0).toLongLong();
            in.pupilNames[pupil.id] = known.value(1).toString();
        } else {
            const QString name = freeName(in.classDb, pupil.name);
            in.pupilIds[pupil.id] = insertId(in.classDb, QStringLiteral("INSERT INTO pupils (name, uuid) VALUES (?, ?)"),
                                             {name, pupil.uuid});
            in.pupilNames[pupil.id] = name;
        }
        in.result.pupils << in.pupilNames[pupil.id];
    }
}

void mapExercises(Importer& in)
{
    for (const auto& [id, e] : in.rows.exercises) {
        run(in.classDb, QStringLiteral("INSERT OR IGNORE INTO exercises (window, operation, mode, level_option,"
                                       " level_caption, number_type) VALUES (?, ?, ?, ?, ?, ?)"),
            {e.window, e.operation, e.mode, e.levelOption, e.levelCaption, e.numberType});
        in.exerciseIds[id] = scalar(in.classDb, QStringLiteral("SELECT id FROM exercises WHERE window = ? AND"
                                                               " level_option = ? AND number_type = ?"),
                                    {e.window, e.levelOption, e.numberType})
                                 .toLongLong();
    }
}

struct Inserts {
    FastStatement known, test, question, answer, fluency, digest;
    explicit Inserts(const QSqlDatabase& db)
        : known(db, QStringLiteral("SELECT digest FROM class_digests WHERE uuid = ?")),
          test(db, QStringLiteral("INSERT INTO tests (pupil_id, exercise_id, uuid, %1) VALUES (?, ?, ?,"
                                  " ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)").arg(QLatin1String(kTestValueColumns))),
          question(db, QStringLiteral("INSERT INTO questions (test_id, number, first, second, third, answer)"
                                      " VALUES (?, ?, ?, ?, ?, ?)")),
          answer(db, QStringLiteral("INSERT INTO answers (question_id, seq, text, is_right, ms) VALUES (?, ?, ?, ?, ?)")),
          fluency(db, QStringLiteral("INSERT INTO fluency_results (test_id, %1) VALUES (?, ?, ?, ?, ?, ?, ?)")
                          .arg(QLatin1String(kFluencyResultColumns))),
          digest(db, QStringLiteral("INSERT INTO class_digests (uuid, digest) VALUES (?, ?)"))
    {
    }
};

void insertTest(Importer& in, Inserts& inserts, const FileTest& test)
{
    const qint64 id = inserts.test.run(QVariantList{in.pupilIds.at(test.pupil), in.exerciseIds.at(test.exercise),
                                                               test.uuid} + test.values);
    for (const FileQuestion& question : test.questions) {
        const qint64 questionId = inserts.question.run(QVariantList{id} + question.values);
        for (const QVariantList& answer : question.answers)
            inserts.answer.run(QVariantList{questionId} + answer);
    }
    if (!test.fluency.isEmpty())
        inserts.fluency.run(QVariantList{id} + test.fluency);
    inserts.digest.run({test.uuid, QString::fromLatin1(test.digest)});
    ++in.result.newTests;
}

void noteConflict(Importer& in, const FileTest& test)
{
    const QSqlQuery insert = run(in.classDb, QStringLiteral("INSERT OR IGNORE INTO class_conflicts (test_uuid, pupil, started,"
                                                            " file, digest, noticed) VALUES (?, ?, ?, ?, ?, ?)"),
                                 {test.uuid, in.pupilNames.at(test.pupil), test.values.at(0), in.fileName,
                                  QString::fromLatin1(test.digest), in.now});
    in.result.newConflicts += insert.numRowsAffected() > 0 ? 1 : 0;
}

void importTests(Importer& in)
{
    Inserts inserts(in.classDb);
    for (const FileTest& test : in.rows.tests) {
        if (!in.pupilIds.count(test.pupil))
            throw BadContent{QStringLiteral("文件里的数据不对（test pupil）")};
        inserts.known.bind({test.uuid});
        if (!inserts.known.next())
            insertTest(in, inserts, test);
        else if (inserts.known.text(0).toLatin1() != test.digest)
            noteConflict(in, test);
    }
}

// A file that fails while it is read is refused like a damaged one.
PupilFileRows readFileRows(const QSqlDatabase& pupilDb)
{
    try {
        return readPupilFile(pupilDb);
    } catch (const records::SqlFailure& failure) {
        throw BadContent{QStringLiteral("文件没能读完（%1）").arg(failure.text())};
    }
}

} // namespace

ImportResult importPupilRecord(const QSqlDatabase& classDb, const QSqlDatabase& pupilDb, const QString& fileName,
                               const QByteArray& sha256, const QDateTime& now)
{
    ImportResult refused;
    try {
        const PupilFileRows rows = readFileRows(pupilDb);
        records::Transaction transaction(classDb);
        Importer in{classDb, pupilDb, rows, fileName, now.toMSecsSinceEpoch(), {}, {}, {}, {}};
        mapPupils(in);
        mapExercises(in);
        importTests(in);
        const bool newState = copyNewerStates(classDb, pupilDb, rows, in.pupilIds, in.exerciseIds);
        if (!sha256.isEmpty())
            run(classDb, QStringLiteral("INSERT OR IGNORE INTO class_files (sha256, imported) VALUES (?, ?)"),
                {QString::fromLatin1(sha256.toHex()), in.now});
        transaction.commit();
        in.result.status = in.result.newTests > 0 || in.result.newConflicts > 0 || newState
                               ? ImportResult::Status::Imported
                               : ImportResult::Status::AlreadyImported;
        return in.result;
    } catch (const BadContent& bad) {
        refused.reason = bad.reason;
    }
    return refused;
}

bool wasImported(const QSqlDatabase& classDb, const QByteArray& sha256)
{
    return !scalar(classDb, QStringLiteral("SELECT 1 FROM class_files WHERE sha256 = ?"),
                   {QString::fromLatin1(sha256.toHex())})
                .isNull();
}

QString importLine(const QString& fileName, const ImportResult& result)
{
    switch (result.status) {
    case ImportResult::Status::Imported: {
        QString line = QStringLiteral("%1：已导入（%2），新测验 %3 个").arg(fileName, result.pupils.join(QStringLiteral("、")))
                           .arg(result.newTests);
        if (result.newConflicts > 0)
            line += QStringLiteral("，%1 个测验与已导入的内容不同，已列入冲突").arg(result.newConflicts);
        return line;
    }
    case ImportResult::Status::AlreadyImported:
        return QStringLiteral("%1：已经导入过，没有新内容").arg(fileName);
    case ImportResult::Status::Refused:
        break;
    }
    return QStringLiteral("%1：拒绝导入：%2").arg(fileName, result.reason);
}

} // namespace zorvel::classroom
