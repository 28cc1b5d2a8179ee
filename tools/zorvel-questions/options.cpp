// Reading the options: every value is checked against the catalogue, and the
// first problem found becomes a single line naming what is accepted.
#include "tools/zorvel-questions/options.h"

#include "fluency/fluency_test.h"
#include "tools/common/command_line.h"

#include <QCommandLineParser>

#include <charconv>
#include <functional>
#include <map>

namespace zorvel {

namespace {

// "bad count "x"; accepted: ...", or "--count needs a value; accepted: ..."
// when the value is missing or empty.
std::string refusal(std::string_view option, std::string_view problem, const std::string& value,
                    const std::string& accepted)
{
    if (value.empty())
        return std::string(option) + " needs a value; accepted: " + accepted;
    return std::string(problem) + " " + quotedArgument(value) + "; accepted: " + accepted;
}

std::string operationList()
{
    std::string list;
    for (Operation op : kAllOperations)
        list += (list.empty() ? "" : ", ") + std::string(operationInfo(op).key);
    return list;
}

std::string levelList(Operation op)
{
    std::string list;
    for (Level level : offeredLevels(op))
        list += (list.empty() ? "" : ", ") + std::string(levelOptionName(op, level)) + " (" +
                quotedArgument(levelCaption(op, level)) + ")";
    return list;
}

std::string typeList(Operation op)
{
    return isNumberTypeOffered(op, NumberType::OneDecimal) ? "Option7 or integer, Option8 or 1dp, Option9 or 2dp"
                                                           : "Option7 or integer";
}

template <typename Number>
bool readWhole(const std::string& text, Number& value)
{
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    return result.ec == std::errc() && result.ptr == text.data() + text.size();
}

// --columns and --output belong to the PDF sheet; text and TSV go to
// standard output as they always have.
std::string checkPdfValues(const std::string* columns, const std::string* output, SheetOptions& options)
{
    const std::string columnRange = "a whole number from 1 to " + std::to_string(kMaxColumns);
    if (options.format != SheetFormat::Pdf) {
        if (columns)
            return "--columns is for --format pdf; accepted there: " + columnRange;
        if (output)
            return "--output is for --format pdf; text and tsv go to standard output";
        return {};
    }
    if (columns) {
        int n = 0;
        if (!readWhole(*columns, n) || n < 1 || n > kMaxColumns)
            return refusal("--columns", "bad columns", *columns, columnRange);
        options.columns = n;
    }
    if (!output || output->empty())
        return "--format pdf needs --output FILE; accepted: a file to write, replaced only when the sheet is whole";
    if (options.count > kMaxPdfCount)
        return "bad count " + quotedArgument(std::to_string(options.count)) +
               " for --format pdf; accepted: a whole number from 1 to " + std::to_string(kMaxPdfCount);
    options.output = QString::fromStdString(*output);
    return {};
}

using ValueOf = std::function<const std::string*(const char*)>;

// --operation, --level and --type: what is practised.
std::string checkExercise(const ValueOf& value, SheetOptions& options)
{
    const std::string* operation = value("--operation");
    if (!operation)
        return "--operation is required; accepted: " + operationList();
    const std::optional<Operation> op = operationFromKey(*operation);
    if (!op)
        return refusal("--operation", "unknown operation", *operation, operationList());
    options.operation = *op;
    const OperationInfo& info = operationInfo(*op);

    options.level = info.defaultLevel;
    if (const std::string* level = value("--level")) {
        const std::optional<Level> found = levelFromName(*op, *level);
        if (!found)
            return refusal("--level", "unknown level", *level, levelList(*op));
        if (!isLevelShown(*op, *found))
            return "level " + quotedArgument(*level) + " is not offered for " + std::string(info.key) +
                   "; accepted: " + levelList(*op);
        options.level = *found;
    }

    if (const std::string* type = value("--type")) {
        const std::optional<NumberType> found = numberTypeFromName(*type);
        if (!found)
            return refusal("--type", "unknown type", *type, typeList(*op));
        if (!isNumberTypeOffered(*op, *found))
            return "type " + quotedArgument(*type) + " is not offered for " + std::string(info.key) +
                   "; accepted: " + typeList(*op);
        options.type = *found;
    }
    return {};
}

// --mode, --count, --seed, --format and the PDF's own options: how it is printed.
std::string checkSheet(const ValueOf& value, SheetOptions& options)
{
    if (const std::string* mode = value("--mode")) {
        if (*mode == "normal")
            options.mode = Mode::Normal;
        else if (*mode == "listening")
            options.mode = Mode::Listening;
        else
            return refusal("--mode", "unknown mode", *mode, "normal, listening");
    }
    if (options.preset.isEmpty())
        options.count = options.mode == Mode::Listening ? 20 : 10;

    if (const std::string* count = value("--count")) {
        long long n = 0;
        if (!readWhole(*count, n) || n < 1 || n > kMaxCount)
            return refusal("--count", "bad count", *count, "a whole number from 1 to " + std::to_string(kMaxCount));
        options.count = static_cast<int>(n);
    }

    if (const std::string* seed = value("--seed")) {
        std::uint64_t s = 0;
        if (!readWhole(*seed, s))
            return refusal("--seed", "bad seed", *seed, "a whole number from 0 to 18446744073709551615");
        options.seed = s;
    }

    if (const std::string* format = value("--format")) {
        if (*format == "text")
            options.format = SheetFormat::Text;
        else if (*format == "tsv")
            options.format = SheetFormat::Tsv;
        else if (*format == "pdf")
            options.format = SheetFormat::Pdf;
        else
            return refusal("--format", "unknown format", *format, "text, tsv, pdf");
    }
    return checkPdfValues(value("--columns"), value("--output"), options);
}

std::string presetList()
{
    std::string list;
    for (const fluency::FluencyTest& test : fluency::presets())
        list += (list.empty() ? "" : ", ") + test.key.toStdString();
    return list;
}

// --preset: a 达标测试 by its key or its name ("表内乘法 60 题"), which
// fixes the operation, level, type and count.
std::string checkPreset(const ValueOf& value, SheetOptions& options)
{
    const std::string& name = *value("--preset");
    for (const char* own : {"--operation", "--level", "--type", "--mode", "--count"})
        if (value(own))
            return std::string(own) + " cannot go with --preset, which names its own exercise and count";
    for (const fluency::FluencyTest& test : fluency::presets()) {
        if (test.key.toStdString() == name || test.name.toStdString() == name) {
            options.preset = test.key;
            options.operation = test.operation;
            options.level = test.level;
            options.type = test.type;
            options.count = test.questions;
            return {};
        }
    }
    return refusal("--preset", "unknown preset", name, presetList());
}

std::string checkValues(const std::map<std::string, std::string>& values, SheetOptions& options)
{
    const ValueOf value = [&](const char* name) -> const std::string* {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    };
    if (value("--preset")) {
        const std::string error = checkPreset(value, options);
        return error.empty() ? checkSheet(value, options) : error;
    }
    std::string error = checkExercise(value, options);
    return error.empty() ? checkSheet(value, options) : error;
}

QList<QCommandLineOption> sheetOptions()
{
    const auto option = [](const char* name, const char* valueName = nullptr) {
        return QCommandLineOption(QString::fromLatin1(name), QString(),
                                  valueName ? QString::fromLatin1(valueName) : QString());
    };
    return {option("operation", "op"), option("level", "level"), option("type", "type"),
            option("mode", "mode"),     option("count", "n"),         option("seed", "seed"),
            option("format", "format"), option("columns", "n"),   option("output", "file"),
            option("preset", "name"),
            option("answers"),
            QCommandLineOption(QStringList{QStringLiteral("h"), QStringLiteral("help")}), option("version")};
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    QCommandLineParser parser;
    if (const QString complaint = readArguments(parser, sheetOptions(), arguments); !complaint.isEmpty()) {
        parsed.error = complaint.toStdString();
        return parsed;
    }
    parsed.options.help = parser.isSet(QStringLiteral("help"));
    parsed.options.version = parser.isSet(QStringLiteral("version"));
    if (parsed.options.help || parsed.options.version)
        return parsed;
    if (!parser.positionalArguments().isEmpty()) {
        parsed.error = "unexpected argument " + quotedArgument(parser.positionalArguments().constFirst()).toStdString() +
                       "; every value follows its option, such as --count 20";
        return parsed;
    }
    parsed.options.answers = parser.isSet(QStringLiteral("answers"));
    std::map<std::string, std::string> values;
    for (const char* name : {"operation", "level", "type", "mode", "count", "seed", "format", "columns", "output",
                             "preset"})
        if (parser.isSet(QString::fromLatin1(name)))
            values[std::string("--") + name] = parser.value(QString::fromLatin1(name)).toStdString();
    parsed.error = checkValues(values, parsed.options);
    return parsed;
}

std::string presetHelp()
{
    std::string help = "Presets (达标测试, the same questions as the window's \"打印本卷\" for a seed):\n";
    for (const fluency::FluencyTest& test : fluency::presets())
        help += "  " + test.key.toStdString() + std::string(std::max<std::size_t>(2, 24 - test.key.size()), ' ') +
                test.description().toStdString() + "\n";
    return help;
}

std::string usageText()
{
    return "Usage: zorvel-questions --operation add|sub|mixed|mul|div [options]\n"
           "       zorvel-questions --preset NAME [--seed S] [--format F] [pdf options] [--answers]\n"
           "Prints arithmetic questions made by the drill windows' own generators.\n"
           "\n"
           "  --level L      an option name (Option4) or its caption (\"2位 + 1位\");\n"
           "                 default: the operation's default level\n"
           "  --type T       Option7|integer, Option8|1dp, Option9|2dp (add, sub, mixed); default integer\n"
           "  --mode M       normal or listening (no two answers in a row alike; pdf: the pupil's\n"
           "                 sheet of numbered blanks); default normal\n"
           "  --count N      1 to 1000000 (pdf: 1 to 10000); default 10 (normal) or 20 (listening)\n"
           "  --seed S       the same seed gives the same questions; default: from the clock\n"
           "  --format F     text (a printable sheet), tsv, or pdf (an A4 question sheet:\n"
           "                 title, 姓名/日期/用时/得分 to fill in, numbered questions, page\n"
           "                 numbers); default text. Text and TSV go to standard output\n"
           "  --output FILE  pdf: the file to write (required); an existing file is\n"
           "                 replaced only once the whole sheet is written\n"
           "  --columns N    pdf: 1 to 6 columns; default as many as the widest question allows\n"
           "  --answers      text: an answer key after the questions; pdf: answer pages in the\n"
           "                 same layout (listening: the teacher's sheet with every question)\n"
           "  --preset NAME  a 达标测试 preset by key or name (below): its exercise and count, and on\n"
           "                 the sheet its time limit and pass line; pdf: with the answer pages\n"
           "  --help, -h     this text\n"
           "  --version      the version\n"
           "\n"
           "TSV columns: number, first operand, second operand, third operand (mixed only), answer.\n"
           "Bad options print one line on stderr and exit with status 2.\n"
           "\n" + presetHelp();
}

} // namespace zorvel
