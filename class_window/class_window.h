// The class window (班级汇总), opened modally from the main menu: the
// class's tables read through the ClassData interface, whatever keeps the
// class. "导入…" imports pupils' files (several, or a folder), "名单…"
// reads the class list, the period chooses the days shown, and the tabs
// 学生 (pupils_tab.h), 口诀热图 (heat_map_tab.h), 常错题
// (mistakes_class_tab.h) and 达标 (fluency_class_tab.h) each export their
// table as CSV and print it. Tests whose content differs from what was
// imported before are listed under "冲突…", never merged.
#pragma once

#include "class_record/class_data.h"
#include "class_window/class_services.h"

#include <QDialog>

#include <memory>
#include <vector>

QT_BEGIN_NAMESPACE
class QComboBox;
class QLabel;
class QPushButton;
class QTabWidget;
QT_END_NAMESPACE

namespace zorvel::classroom {

class ClassTab;

class ClassWindow final : public QDialog {
    Q_OBJECT
public:
    ClassWindow(ClassData& data, ClassServices services, QWidget* parent = nullptr);
    QTabWidget* tabs() const { return tabs_; }

    // The range a period of the chooser stands for on the given day.
    static DateRange periodRange(int period, const QDate& today);

private:
    QWidget* buildTopBar();
    void importFiles();
    void readRoster();
    void showConflicts();
    void applyPeriod();
    void refreshStatus();

    ClassData& data_;
    ClassServices services_;
    QTabWidget* tabs_ = nullptr;
    std::vector<ClassTab*> classTabs_;
    QComboBox* period_ = nullptr;
    QLabel* status_ = nullptr;
    QPushButton* conflicts_ = nullptr;
};

std::unique_ptr<QDialog> createClassWindow(ClassData& data);

} // namespace zorvel::classroom
