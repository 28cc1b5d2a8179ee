// CSV fields: quoting, and the leading ' that keeps a spreadsheet from
// running a field as a formula while numbers stay numbers.
#include "records/csv_export.h"

#include <gtest/gtest.h>

using namespace zorvel::records;

namespace {

TEST(CsvExportTest, FieldsAreQuotedAndFormulasDisarmed)
{
    const std::pair<const char*, const char*> cases[] = {
        {"小明", "小明"},
        {"Li, \"Ann\"", "\"Li, \"\"Ann\"\"\""},
        {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
        {"+1+cmd", "'+1+cmd"},
        {"-2+3", "'-2+3"},
        {"@SUM(A1)", "'@SUM(A1)"},
        {"\tx", "'\tx"},
        {"\rx", "\"'\rx\""},
        {"-5", "-5"},
        {"1.5", "1.5"},
        {"a=b", "a=b"},
    };
    for (const auto& [field, written] : cases)
        EXPECT_EQ(csvField(QString::fromUtf8(field)).toStdString(), written) << field;
}

TEST(CsvExportTest, FileHasAMarkAndCrlfAndStreamHasNeither)
{
    CsvWriter file(CsvTarget::File);
    CsvWriter stream(CsvTarget::Stream);
    for (CsvWriter* writer : {&file, &stream})
        writer->addRow({"a", "b"});
    EXPECT_EQ(file.text(), QByteArray("\xEF\xBB\xBF" "a,b\r\n"));
    EXPECT_EQ(stream.text(), QByteArray("a,b\n"));
}

} // namespace
