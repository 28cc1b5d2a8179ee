// The Chinese a parent reads in the records window: names of number types
// and test endings and a question written out, taken from the exercise
// catalogue where it has them (window names: records/exercise_names.h).
#pragma once

#include "records/exercise_names.h"
#include "records/test_reports.h"

#include <QString>

namespace zorvel::records {

QString numberTypeText(const QString& operationKey, const QString& numberTypeKey);  // "1dp" -> "1位小数"
// A 达标测试's time used of its limit, "4:12 / 5:00", and its result, "达标 正确 58 / 60".
QString fluencyTimeText(const FluencyResult& result);
QString fluencyResultText(const FluencyResult& result);
QString endText(TestEnd end);                            // "完成", "中途返回", ...
// "23 + 45 = 68", with the operator signs of the exercise's operation.
QString questionText(const QString& operationKey, const QuestionShown& question);

// The normal-mode window of an exercise's operation ("Form91" -> "Form81"):
// a mistake is practised again in normal mode whichever window it came from.
QString normalWindowOf(const Exercise& exercise);

} // namespace zorvel::records
