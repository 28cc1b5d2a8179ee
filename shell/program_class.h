// The class the program's "班级汇总" shows: the class file beside the
// pupils' record (班级.zorvel-class in the record's folder), opened at the
// first click, with pupils' files read as untrusted input, or the school
// server's class the teacher's login may read; and the class window from
// its module. The concrete class data is chosen here only.
#pragma once

#include <QDialog>
#include <QString>

#include <memory>

namespace zorvel {

namespace classroom {
class ClassData;
}

class ProgramClass {
public:
    explicit ProgramClass(QString path);
    ~ProgramClass();
    ProgramClass(const ProgramClass&) = delete;
    ProgramClass& operator=(const ProgramClass&) = delete;

    // The window over the class; nullptr, after saying why, when its module is missing.
    std::unique_ptr<QDialog> window();

private:
    // The class file, or the school server by its service name, chosen
    // each time (the last choice offered first); false when cancelled.
    bool chooseSource();

    QString path_;
    QString service_;  // the school server's service; empty: the class file
    std::unique_ptr<classroom::ClassData> data_;
};

// Where the program keeps the class: beside the pupils' record.
QString defaultClassPath();

} // namespace zorvel
