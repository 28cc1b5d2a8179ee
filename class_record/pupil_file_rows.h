// The rows of a pupil's record file that a class import takes, read whole
// into memory and checked: every value of the type and range its column
// holds, every UUID well formed. A file that fails a check is refused whole.
#pragma once

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

#include <map>
#include <vector>

namespace zorvel::classroom {

// Why a file's content cannot be taken (a Chinese phrase).
struct BadContent {
    QString reason;
};

struct FilePupil {
    qint64 id = 0;
    QString name;
    QString uuid;
};

struct FileExercise {
    QString window, operation, mode, levelOption, levelCaption, numberType;
};

struct FileQuestion {
    qint64 id = 0;
    QVariantList values;                 // number, first, second, third, answer
    std::vector<QVariantList> answers;   // seq, text, is_right, ms
};

struct FileTest {
    qint64 pupil = 0;
    qint64 exercise = 0;
    QString uuid;
    QVariantList values;                 // started, redo, questions, wrong_answers, playback_reached,
                                         // ended, time, centis, reading_pace, reading_twice,
                                         // reading_auto_ask, reading_gap_seconds
    QVariantList fluency;                // fluency_test, limit_seconds, total, correct, elapsed_ms, passed; or empty
    std::vector<FileQuestion> questions;
    QByteArray digest;                   // of everything above but the ids
};

struct PupilFileRows {
    int version = 0;
    qint64 exported = 0;                 // ms since the epoch: the export, or the newest test
    std::vector<FilePupil> pupils;
    std::map<qint64, FileExercise> exercises;
    std::vector<FileTest> tests;         // ended tests only
};

// Reads and checks the file's pupils, exercises and ended tests. Throws
// BadContent, or records::SqlFailure when the file cannot be read.
PupilFileRows readPupilFile(const QSqlDatabase& db);

// The column lists of FileTest's values, as the record's tests table names them.
extern const char kTestValueColumns[];
extern const char kFluencyResultColumns[];

} // namespace zorvel::classroom
