// An in-memory RecordStore for the records window's tests, benchmark and
// screenshots: pupils, tests, the mistakes book and listening questions held
// in vectors, with what the window asked of it kept for the tests to check.
#pragma once

#include "records/record_store.h"

#include <QDate>

#include <map>
#include <vector>

namespace zorvel::testing {

class FakeRecordStore final : public records::RecordStore {
public:
    FakeRecordStore();

    // Filling the store.
    qint64 addTest(qint64 pupil, records::TestRow row);
    void addMistake(qint64 pupil, records::Mistake mistake);
    void addListeningQuestions(records::TestId test, std::vector<records::ListeningQuestion> questions);

    // What the window asked.
    records::TestFilter lastFilter;
    std::vector<std::pair<qint64, bool>> bookChanges;
    int removals = 0;
    QString problemText;
    QString readFailure;  // set: every read fails with this text and returns nothing

    // TestRecorder: nothing is recorded here.
    records::TestId beginTest(const records::Exercise&, const QDateTime&, bool) override { return ++lastId_; }
    void recordQuestion(records::TestId, int, const records::QuestionShown&) override {}
    void recordAnswer(records::TestId, int, const QString&, bool, qint64) override {}
    void recordPlaybackReached(records::TestId) override {}
    void recordReadingSettings(records::TestId, const ReadingSettings&) override {}
    void endTest(records::TestId, records::TestEnd, const QString&) override {}
    std::vector<records::QuestionShown> redoQuestions(const records::Exercise&) override { return {}; }

    QString problem() const override { return problemText; }
    QString readProblem() const override { return readFailure; }
    void flush() override {}
    std::vector<records::Pupil> pupils() override { return pupils_; }
    records::Pupil currentPupil() override;
    void setCurrentPupil(qint64 id) override { current_ = id; }
    std::optional<records::Pupil> addPupil(const QString& name) override;
    bool renamePupil(qint64 id, const QString& name) override;
    std::pair<int, int> pupilRecordCount(qint64 id) override;
    ReadingSettings readingSettings(qint64) override { return {}; }
    void keepReadingSettings(qint64, const ReadingSettings&) override {}
    bool removePupil(qint64 id) override;

    std::vector<records::TestRow> tests(const records::TestFilter& filter) override;
    std::vector<records::BestTime> bestTimes(qint64 pupil) override;
    std::vector<records::ChartPoint> chart(qint64 pupil, const QString& window, const QString& levelOption,
                                           const QString& numberType) override;
    std::vector<records::Mistake> mistakes(qint64 pupil) override;
    std::vector<records::TestRow> listeningTests(qint64 pupil) override;
    std::vector<records::ListeningQuestion> listeningQuestions(records::TestId test) override;
    void setInBook(qint64 questionId, bool inBook) override;
    std::vector<records::PracticeWeek> practiceWeeks(const QDate&) override { return weeks; }
    std::vector<records::PracticeWeek> weeks;  // handed out as they are

private:
    struct StoredTest { qint64 pupil; records::TestRow row; double seconds; };
    std::vector<records::Pupil> pupils_;
    qint64 current_ = 1;
    std::vector<StoredTest> tests_;   // oldest first
    std::vector<std::pair<qint64, records::Mistake>> mistakes_;
    std::map<records::TestId, std::vector<records::ListeningQuestion>> listening_;
    qint64 lastId_ = 1000;
};

// A normal-mode or listening exercise as the windows report it.
records::Exercise exerciseOf(const QString& operation, const QString& mode, const QString& levelOption,
                             const QString& numberType);

} // namespace zorvel::testing
