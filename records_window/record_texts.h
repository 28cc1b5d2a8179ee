// The Chinese a parent reads in the records window: names of number types
// and test endings and a question written out, taken from the exercise
// catalogue where it has them (window names: records/exercise_names.h).
#pragma once

#include "records/exercise_names.h"
#include "records/record_queries.h"
#include "records/test_reports.h"

#include <QString>

namespace zorvel::records {

QString numberTypeText(const QString& operationKey, const QString& numberTypeKey);  // "1dp" -> "1位小数"
// A 达标测试's time used of its limit, "4:12 / 5:00", and its result, "达标 正确 58 / 60".
QString fluencyTimeText(const FluencyResult& result);
QString fluencyResultText(const FluencyResult& result);
// A finished daily practice: "完成 首次答对 17/20".
QString practiceResultText(const TestRow& row);
QString endText(TestEnd end);                            // "完成", "中途返回", ...
// The exercise's level as mathematics is written: "1位 × 1位" (the record,
// its CSV and zorvel-records keep the window's caption "1位 * 1位").
QString levelText(const Exercise& exercise);
// "67 − 9 = 58", with the operator signs of the exercise's operation.
QString questionText(const QString& operationKey, const QuestionShown& question);

// The normal-mode window of an exercise's operation ("Form91" -> "Form81"):
// a mistake is practised again in normal mode whichever window it came from.
QString normalWindowOf(const Exercise& exercise);

} // namespace zorvel::records
