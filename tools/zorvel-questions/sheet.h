// Writing a run of questions as a printable text sheet or as TSV lines, and
// the test the options name, which every format draws from the seed.
#pragma once

#include "questions/test_draw.h"
#include "tools/zorvel-questions/options.h"
#include "worksheets/worksheet.h"

#include <cstdint>
#include <cstdio>

namespace zorvel {

// The exercises the options name: a preset's, else --operation, --level and --type.
std::vector<Exercise> exerciseParts(const SheetOptions& options);
TestRequest testRequest(const SheetOptions& options, std::uint64_t seed);

// The PDF's sheet: a preset's with its title, note and answer pages, or the
// exercise's with the answer pages when asked; the seed in its footer.
sheets::Worksheet pdfWorksheet(const SheetOptions& options, std::uint64_t seed);

// Writes options.count questions drawn from the seed; false on a write error.
bool writeSheet(const SheetOptions& options, std::uint64_t seed, std::FILE* out);

} // namespace zorvel
