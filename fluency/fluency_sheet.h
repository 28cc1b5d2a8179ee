// A 达标测试 on paper: the test's questions drawn from a seed, as the
// worksheet layout prints them, titled with the test and noting its time
// limit and pass line, with the answer pages.
#pragma once

#include "fluency/fluency_test.h"
#include "worksheets/worksheet.h"

#include <cstdint>

namespace zorvel::fluency {

// "达标测试 表内乘法 60 题".
QString sheetTitle(const FluencyTest& test);
// "限时 5 分钟　达标：正确率 ≥ 90 %，限时内全部答完".
QString sheetNote(const FluencyTest& test);
sheets::Worksheet fluencyWorksheet(const FluencyTest& test, std::uint64_t seed);

} // namespace zorvel::fluency
