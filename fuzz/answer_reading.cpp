// Answer reading: any text reads to a finite, non-negative single-precision
// value or to nothing; leading blanks and trailing junk change nothing; the
// value's own text reads back to it; and a plain decimal reads to what the C
// library's correctly rounded strtof gives.
#include "fuzz/fuzz_check.h"
#include "questions/number_text.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

bool isPlainDecimal(const std::string& text)
{
    if (text.empty() || text.size() > 200 || text.find_first_not_of("0123456789.") != std::string::npos)
        return false;
    return text.find('.') == text.rfind('.') && text.find_first_of("0123456789") != std::string::npos;
}

void checkAgainstStrtof(const std::string& text, std::optional<float> value)
{
    errno = 0;
    const float expected = std::strtof(text.c_str(), nullptr);
    if (errno == ERANGE && std::isinf(expected)) {
        FUZZ_CHECK(!value);
    } else if (errno == 0) {
        FUZZ_CHECK(value && *value == expected);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<float> value = zorvel::readAnswer(text);
    if (value) {
        FUZZ_CHECK(std::isfinite(*value) && *value >= 0.0f);
        FUZZ_CHECK(zorvel::isRightAnswer(text, *value));
        FUZZ_CHECK(zorvel::readAnswer(zorvel::shortestText(*value)) == value);
    }
    FUZZ_CHECK(zorvel::readAnswer("  " + text) == value);
    FUZZ_CHECK(zorvel::readAnswer(text.substr(0, text.find('x')) + "x9") == zorvel::readAnswer(text.substr(0, text.find('x'))));
    if (isPlainDecimal(text))
        checkAgainstStrtof(text, value);
    return 0;
}
