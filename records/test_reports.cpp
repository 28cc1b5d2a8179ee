// The names of the test endings, as stored and as zorvel-records prints them.
#include "records/test_reports.h"

namespace zorvel::records {

namespace {

struct EndName {
    TestEnd end;
    const char* key;
};
constexpr EndName kEndNames[] = {
    {TestEnd::Finished, "finished"}, {TestEnd::Restarted, "restarted"}, {TestEnd::Reset, "reset"},
    {TestEnd::Reminder, "reminder"}, {TestEnd::Closed, "closed"},       {TestEnd::Interrupted, "interrupted"},
};

} // namespace

QString testEndKey(TestEnd end)
{
    for (const EndName& name : kEndNames)
        if (name.end == end)
            return QLatin1String(name.key);
    return QStringLiteral("interrupted");
}

std::optional<TestEnd> testEndFromKey(const QString& key)
{
    for (const EndName& name : kEndNames)
        if (key == QLatin1String(name.key))
            return name.end;
    return std::nullopt;
}

} // namespace zorvel::records
