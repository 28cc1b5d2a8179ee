// Pupils' export files written straight in the record's layout, as a
// pupil's computer would export them: for the class tests (a small class
// made by hand) and the class benchmark (45 pupils of a school year).
#pragma once

#include "facts/fact_store.h"
#include "records/test_reports.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace zorvel::classroom::testing {

struct PlannedAnswer {
    QString text;
    bool right = true;
    int ms = 1000;
};

struct PlannedQuestion {
    QStringList operands;   // two, or three in the mixed windows
    QString answer;
    std::vector<PlannedAnswer> answers;
};

struct PlannedTest {
    QString uuid;
    QDateTime started;
    QString operation = QStringLiteral("mul");
    QString mode = QStringLiteral("normal");
    std::vector<PlannedQuestion> questions;
    std::optional<records::FluencyResult> fluency;
};

struct PlannedPupil {
    QString name;
    QString uuid;
    std::vector<PlannedTest> tests;
    std::vector<facts::FactAnswer> factAnswers;   // boxes follow from them
    QDateTime exported;
};

// Three pupils of the week of kSmallClassMonday: 小明 and 小红 both got
// 7 × 8 wrong in a test (小明 in the daily practice too), 小红 has mastered
// it and passed a 达标测试 (add20), 小刚 did one addition test.
inline const QDate kSmallClassMonday(2026, 9, 7);
std::vector<PlannedPupil> smallClass();

// Writes the pupil's file (replacing any); throws records::SqlFailure.
void writePupilFile(const QString& path, const PlannedPupil& pupil);

// A question answered once: right, or wrong with the given text.
PlannedQuestion question(const QString& a, const QString& b, const QString& answer, bool right = true, int ms = 1000,
                         const QString& typed = {});

} // namespace zorvel::classroom::testing
