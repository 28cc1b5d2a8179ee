// Under the mistakes book: choose one of its groups and "打印错题卷", a
// question sheet of that group's questions with the answer pages.
#pragma once

#include "records/record_queries.h"
#include "records_window/records_services.h"

#include <QWidget>

#include <vector>

QT_BEGIN_NAMESPACE
class QComboBox;
class QPushButton;
QT_END_NAMESPACE

namespace zorvel::records {

// The book as the store gives it, split into its groups: runs of one window,
// level and type.
std::vector<std::vector<Mistake>> mistakeGroups(const std::vector<Mistake>& mistakes);

class MistakesPrintBar : public QWidget {
    Q_OBJECT
public:
    MistakesPrintBar(const RecordsServices& services, QWidget* parent = nullptr);

    // The groups of the book, as mistakeGroups gives them.
    void setGroups(const std::vector<std::vector<Mistake>>& groups);

private:
    void printChosen();

    const RecordsServices& services_;
    std::vector<std::vector<Mistake>> groups_;
    QComboBox* choice_ = nullptr;
    QPushButton* print_ = nullptr;
};

} // namespace zorvel::records
