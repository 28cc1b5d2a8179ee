// Mathematics as it is written for people to read: the true signs, one blank
// either side of each. The windows' own captions ("1位 * 1位", "/2位=1位")
// and the files that scripts read keep their keyboard signs; everything
// else a pupil, parent or teacher reads goes through here.
#pragma once

#include <string>
#include <string_view>

namespace zorvel {

// "1位 * 1位" -> "1位 × 1位", "/2位=1位" -> "÷ 2位 = 1位",
// "67 - 9 = 58" -> "67 − 9 = 58" (the minus sign U+2212). Text without a
// sign comes back unchanged. UTF-8 in and out.
std::string writtenMath(std::string_view text);

} // namespace zorvel
