// The two output formats. The text sheet aligns its columns to the widest
// number actually on it, so it makes the questions twice from the same seed:
// once to measure, once to print. Output goes through one large buffer.
// Both deal the test as every format does, or with --draws take the
// generator's own draws.
#include "tools/zorvel-questions/sheet.h"

#include "fluency/fluency_sheet.h"
#include "questions/number_text.h"

#include <algorithm>
#include <functional>
#include <array>
#include <string>

namespace zorvel {

namespace {

class BufferedOutput {
public:
    explicit BufferedOutput(std::FILE* out) : out_(out) { buffer_.reserve(kFlushAt + 256); }
    ~BufferedOutput() { flush(); }

    void append(std::string_view text)
    {
        buffer_.append(text);
        if (buffer_.size() >= kFlushAt)
            flush();
    }
    void pad(std::size_t width, std::string_view text)
    {
        if (text.size() < width)
            buffer_.append(width - text.size(), ' ');
        append(text);
    }
    bool flush()
    {
        if (!buffer_.empty() && std::fwrite(buffer_.data(), 1, buffer_.size(), out_) != buffer_.size())
            failed_ = true;
        buffer_.clear();
        return !failed_;
    }
    bool finish() { return flush() && std::fflush(out_) == 0 && !std::ferror(out_); }

private:
    static constexpr std::size_t kFlushAt = 1 << 16;
    std::FILE* out_;
    std::string buffer_;
    bool failed_ = false;
};

// Calls visit(number, question) for each question of the run.
void forEachQuestion(const SheetOptions& options, std::uint64_t seed,
                     const std::function<void(int, const DrawnQuestion&)>& visit)
{
    if (!options.draws) {
        forEachTestQuestion(testRequest(options, seed), visit);
        return;
    }
    SeededRandom rng(seed);
    QuestionSource source(options.operation, options.mode);
    for (int n = 1; n <= options.count; ++n)
        visit(n, {options.operation, source.next(options.level, options.type, rng)});
}

bool writeTsv(const SheetOptions& options, std::uint64_t seed, std::FILE* out)
{
    BufferedOutput output(out);
    std::string line;
    forEachQuestion(options, seed, [&](int n, const DrawnQuestion& drawn) {
        const Question& q = drawn.question;
        line = std::to_string(n);
        for (int i = 0; i < 3; ++i) {
            line += '\t';
            if (i < q.operandCount)
                line += q.operands[i];
        }
        line += '\t';
        line += shortestText(q.correctAnswer);
        line += '\n';
        output.append(line);
    });
    return output.finish();
}

std::string questionLabel(int n, std::size_t width)
{
    std::string number = std::to_string(n);
    return "第" + std::string(width - std::min(width, number.size()), ' ') + number + "题";
}

bool writeText(const SheetOptions& options, std::uint64_t seed, std::FILE* out)
{
    std::array<std::size_t, 3> operandWidth{};
    std::size_t answerWidth = 0;
    forEachQuestion(options, seed, [&](int, const DrawnQuestion& drawn) {
        const Question& q = drawn.question;
        for (int i = 0; i < q.operandCount; ++i)
            operandWidth[i] = std::max(operandWidth[i], q.operands[i].size());
        answerWidth = std::max(answerWidth, shortestText(q.correctAnswer).size());
    });
    // Two places at least, like the windows' question-number label (" 1").
    const std::size_t numberWidth = std::max<std::size_t>(2, std::to_string(options.count).size());

    BufferedOutput output(out);
    if (const auto preset = fluency::presetByKey(options.preset)) {
        output.append((fluency::sheetTitle(*preset) + QLatin1Char('\n') + fluency::sheetNote(*preset)).toStdString());
        output.append("\n\n");
    }
    forEachQuestion(options, seed, [&](int n, const DrawnQuestion& drawn) {
        const Question& q = drawn.question;
        const OperationInfo& info = operationInfo(drawn.operation);
        output.append(questionLabel(n, numberWidth));
        output.append("   ");
        output.pad(operandWidth[0], q.operands[0]);
        for (int i = 1; i < q.operandCount; ++i) {
            output.append(" ");
            output.append(info.sheetSigns[i - 1]);
            output.append(" ");
            output.pad(operandWidth[i], q.operands[i]);
        }
        output.append(" =\n");
    });
    if (options.answers) {
        output.append("\n答案\n");
        forEachQuestion(options, seed, [&](int n, const DrawnQuestion& drawn) {
            output.append(questionLabel(n, numberWidth));
            output.append("   ");
            output.pad(answerWidth, shortestText(drawn.question.correctAnswer));
            output.append("\n");
        });
    }
    return output.finish();
}

} // namespace

std::vector<Exercise> exerciseParts(const SheetOptions& options)
{
    if (const auto preset = fluency::presetByKey(options.preset))
        return preset->parts();
    return {{options.operation, options.level, options.type}};
}

TestRequest testRequest(const SheetOptions& options, std::uint64_t seed)
{
    return {exerciseParts(options), options.mode, options.count, seed};
}

sheets::Worksheet pdfWorksheet(const SheetOptions& options, std::uint64_t seed)
{
    sheets::Worksheet sheet;
    if (const auto preset = fluency::presetByKey(options.preset)) {
        sheet = fluency::fluencyWorksheet(*preset, seed);
    } else {
        sheets::SheetRequest request;
        request.parts = exerciseParts(options);
        request.mode = options.mode;
        request.count = options.count;
        request.seed = seed;
        sheet = sheets::drawnWorksheet(request);
        sheet.answerKey = options.answers;
    }
    sheet.columns = options.columns;
    return sheet;
}

bool writeSheet(const SheetOptions& options, std::uint64_t seed, std::FILE* out)
{
    return options.format == SheetFormat::Tsv ? writeTsv(options, seed, out) : writeText(options, seed, out);
}

} // namespace zorvel
