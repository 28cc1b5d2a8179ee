// Writing a run of questions as a printable text sheet or as TSV lines.
#pragma once

#include "tools/zorvel-questions/options.h"

#include <cstdint>
#include <cstdio>

namespace zorvel {

// Writes options.count questions drawn from the seed; false on a write error.
bool writeSheet(const SheetOptions& options, std::uint64_t seed, std::FILE* out);

} // namespace zorvel
