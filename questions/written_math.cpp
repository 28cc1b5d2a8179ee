// The signs and their blanks.
#include "questions/written_math.h"

#include <array>
#include <utility>

namespace zorvel {

namespace {

// Each sign as typed or as printed, and how it is written.
const std::array<std::pair<std::string_view, std::string_view>, 8> kSigns = {{
    {"*", "×"}, {"×", "×"}, {"/", "÷"}, {"÷", "÷"},
    {"-", "−"}, {"−", "−"}, {"+", "+"}, {"=", "="},
}};

} // namespace

std::string writtenMath(std::string_view text)
{
    std::string written;
    bool blankPending = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ' ') {
            blankPending = !written.empty();
            ++i;
            continue;
        }
        std::string_view sign;
        for (const auto& [typed, printed] : kSigns) {
            if (text.substr(i, typed.size()) == typed) {
                sign = printed;
                i += typed.size();
                break;
            }
        }
        if (sign.empty()) {
            if (blankPending)
                written += ' ';
            written += text[i++];
            blankPending = false;
            continue;
        }
        if (!written.empty())
            written += ' ';
        written += sign;
        blankPending = true;
    }
    return written;
}

} // namespace zorvel
