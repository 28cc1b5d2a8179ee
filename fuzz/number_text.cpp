// Number text: a scaled integer formats to digits with the pattern's
// decimals and reads back to the same decimal value; a float's shortest text
// reads back to the same float; the sign position is one blank or a minus.
#include "fuzz/fuzz_check.h"
#include "questions/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

template <typename T>
T take(const std::uint8_t*& data, std::size_t& size)
{
    T value{};
    const std::size_t n = size < sizeof value ? size : sizeof value;
    std::memcpy(&value, data, n);
    data += n;
    size -= n;
    return value;
}

// The text's value in hundredths, sign dropped; wide enough for any value.
__int128 hundredthsOf(const std::string& text)
{
    __int128 hundredths = 0;
    int decimals = -1;
    for (char c : text) {
        if (c == '.') {
            decimals = 0;
        } else if (c != '-') {
            hundredths = hundredths * 10 + (c - '0');
            decimals += decimals >= 0 ? 1 : 0;
        }
    }
    for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d)
        hundredths *= 10;
    return hundredths;
}

void checkScaled(long long value, int divisor, zorvel::DecimalPattern pattern)
{
    const std::string text = zorvel::formatScaled(value, divisor, pattern);
    const std::size_t start = text.rfind('-', 0) == 0 ? 1 : 0;
    const std::size_t point = text.find('.');
    FUZZ_CHECK(text.size() > start && text.find_first_not_of("0123456789.", start) == std::string::npos);
    FUZZ_CHECK(start == 0 || value < 0);
    const std::size_t decimals = point == std::string::npos ? 0 : text.size() - point - 1;
    const std::size_t most = pattern == zorvel::DecimalPattern::UpToTwo ? 2 : 1;
    FUZZ_CHECK(decimals <= most && (pattern != zorvel::DecimalPattern::OneFixed || decimals == 1));
    // Exact where the pattern keeps every decimal; otherwise rounded half up
    // to tenths.
    const __int128 exact = (value < 0 ? -static_cast<__int128>(value) : value) * (100 / divisor);
    const __int128 shown = hundredthsOf(text);
    if (divisor <= 10 || pattern == zorvel::DecimalPattern::UpToTwo)
        FUZZ_CHECK(shown == exact);
    else
        FUZZ_CHECK(shown % 10 == 0 && shown - exact <= 5 && exact - shown < 5);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto value = take<long long>(data, size);
    const auto choice = take<std::uint8_t>(data, size);
    const int divisors[] = {1, 10, 100};
    const auto pattern = static_cast<zorvel::DecimalPattern>(choice % 3);
    checkScaled(value, divisors[(choice / 3) % 3], pattern);

    const auto number = take<float>(data, size);
    const std::string text = zorvel::shortestText(number);
    if (std::isfinite(number)) {
        const std::string magnitude = text.rfind('-', 0) == 0 ? text.substr(1) : text;
        FUZZ_CHECK(zorvel::readAnswer(magnitude) == std::fabs(number));
        const std::string signed_ = zorvel::withSignPosition(number);
        FUZZ_CHECK(signed_ == " " + text || (signed_ == text && text[0] == '-'));
    }
    const auto whole = take<int>(data, size);
    const std::string wholeText = zorvel::withSignPosition(whole);
    FUZZ_CHECK(wholeText == (whole < 0 ? "" : " ") + std::to_string(whole));
    return 0;
}
