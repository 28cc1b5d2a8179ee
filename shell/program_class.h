// The class the program's "班级汇总" shows: the class file beside the
// pupils' record (班级.zorvel-class in the record's folder), opened at the
// first click, with pupils' files read as untrusted input; and the class
// window from its module. The concrete class data is chosen here only.
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
    QString path_;
    std::unique_ptr<classroom::ClassData> data_;
};

// Where the program keeps the class: beside the pupils' record.
QString defaultClassPath();

} // namespace zorvel
