// The worksheet of a 达标测试.
#include "fluency/fluency_sheet.h"

namespace zorvel::fluency {

QString sheetTitle(const FluencyTest& test)
{
    return QStringLiteral("达标测试 ") + test.name;
}

QString sheetNote(const FluencyTest& test)
{
    return test.limitText() + QStringLiteral("　") + test.passLineText();
}

sheets::Worksheet fluencyWorksheet(const FluencyTest& test, std::uint64_t seed)
{
    sheets::SheetRequest request;
    request.parts = test.parts();
    request.count = test.questions;
    request.seed = seed;
    sheets::Worksheet sheet = sheets::drawnWorksheet(request);
    sheet.title = sheetTitle(test);
    sheet.note = sheetNote(test);
    sheet.answerKey = true;
    return sheet;
}

} // namespace zorvel::fluency
