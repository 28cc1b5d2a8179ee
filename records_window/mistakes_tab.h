// The 错题本 tab: the questions the pupil got wrong, grouped by window, level
// and type, each group with "重练" (and "打印错题卷" below); and the questions of a listening test with
// a tick box each, to put the ones marked wrong on paper into the book.
// Loaded when first shown, so that opening the window does not wait for it.
#pragma once

#include "records/record_queries.h"
#include "records_window/records_services.h"

#include <QWidget>

QT_BEGIN_NAMESPACE
class QComboBox;
class QListWidget;
class QListWidgetItem;
class QTreeWidget;
QT_END_NAMESPACE

namespace zorvel::records {

class MistakesPrintBar;

class MistakesTab : public QWidget {
    Q_OBJECT
public:
    MistakesTab(RecordQueries& store, const RecordsServices& services, QWidget* parent = nullptr);

    void showPupil(qint64 pupil);

signals:
    // A read of the record failed (text: why, in Chinese); it showed nothing.
    void readFailed(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildBook();
    QWidget* buildListening();
    void load();
    void reloadBook();
    void reloadListeningTests();
    void showListeningTest(int index);
    void tickChanged(QListWidgetItem* item);
    void addGroup(const std::vector<Mistake>& mistakes);

    RecordQueries& store_;
    const RecordsServices& services_;
    qint64 pupil_ = 0;
    bool loaded_ = false;
    QTreeWidget* book_ = nullptr;
    MistakesPrintBar* printBar_ = nullptr;
    QComboBox* listeningTests_ = nullptr;
    QListWidget* listeningQuestions_ = nullptr;
};

} // namespace zorvel::records
