// The Mandarin reading: any sentence reads without a digit left in its
// characters reading, and its pinyin is only tone-numbered syllables, blanks
// and commas; any whole number has words.
#include "fuzz/fuzz_check.h"
#include "speech/chinese_reading.h"

#include <cstdint>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString sentence = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString hanzi = zorvel::hanziReading(sentence);
    for (QChar c : hanzi)
        FUZZ_CHECK(c < u'0' || c > u'9');
    for (QChar c : zorvel::pinyinReading(sentence))
        FUZZ_CHECK((c >= u'a' && c <= u'z') || (c >= u'1' && c <= u'4') || c == u' ' || c == u',');
    if (size >= sizeof(unsigned long long)) {
        unsigned long long value = 0;
        std::memcpy(&value, data, sizeof value);
        const QString words = zorvel::integerInChinese(value);
        FUZZ_CHECK(!words.isEmpty());
        // Up to 18 digits a number is read as a whole; longer ones digit by digit.
        if (value < 1000000000000000000ULL)
            FUZZ_CHECK(zorvel::numberInChinese(QString::number(value)) == words);
    }
    return 0;
}
