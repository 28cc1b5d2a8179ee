// The tools' arguments: the input split at zero bytes is an argument list
// (the program first). Whatever is typed, zorvel-questions and zorvel-say
// either accept it or refuse it in one line free of control characters, and
// quoting any text gives such a line.
#include "fuzz/fuzz_check.h"
#include "common/command_line.h"
#include "tools/zorvel-questions/options.h"
#include "tools/zorvel-say/say_options.h"

#include <cstdint>

namespace {

bool isOneHarmlessLine(const QString& text)
{
    for (QChar c : text)
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format ||
            c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph)
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QStringList arguments{QStringLiteral("tool")};
    for (const QByteArray& part : bytes.split('\0'))
        arguments.append(QString::fromUtf8(part));

    const zorvel::ParsedOptions sheet = zorvel::parseOptions(arguments);
    FUZZ_CHECK(isOneHarmlessLine(QString::fromStdString(sheet.error)));
    if (sheet.error.empty() && !sheet.options.help && !sheet.options.version)
        FUZZ_CHECK(sheet.options.count >= 1 && sheet.options.count <= zorvel::kMaxCount);

    QString error;
    const std::optional<zorvel::SayOptions> say = zorvel::parseSayOptions(arguments, error);
    FUZZ_CHECK(say.has_value() == error.isEmpty());
    FUZZ_CHECK(say || (error.startsWith(QStringLiteral("zorvel-say：")) && isOneHarmlessLine(error)));

    FUZZ_CHECK(isOneHarmlessLine(zorvel::quotedArgument(QString::fromUtf8(bytes))));
    return 0;
}
