// The 常错题 tab: the class's most common mistakes, most pupils first, with
// who got each wrong, and "打印错题重练卷": a sheet of the commonest and a
// similar question for each, with the answer pages.
#pragma once

#include "class_window/class_tab.h"
#include "worksheets/worksheet.h"

QT_BEGIN_NAMESPACE
class QTableWidget;
QT_END_NAMESPACE

namespace zorvel::classroom {

// The sheet of the first `count` mistakes and their similar questions.
sheets::Worksheet retryWorksheet(const std::vector<ClassMistake>& mistakes, int count, const QDate& today);

class MistakesClassTab final : public ClassTab {
    Q_OBJECT
public:
    MistakesClassTab(ClassData& data, const ClassServices& services, QWidget* parent = nullptr);

protected:
    void load() override;
    QStringList csvHeader() const override;
    std::vector<QStringList> csvRows() const override;
    QString printedHtml() const override;

private:
    std::vector<ClassMistake> rows_;
    QTableWidget* table_ = nullptr;
};

} // namespace zorvel::classroom
