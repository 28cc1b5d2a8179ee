// Reading the options: every value is checked against the catalogue, and the
// first problem found becomes a single line naming what is accepted.
#include "tools/zorvel-questions/options.h"

#include "tools/common/command_line.h"

#include <charconv>
#include <map>

namespace zorvel {

namespace {

const char* const kValueOptions[] = {"--operation", "--level", "--type", "--mode", "--count", "--seed", "--format"};

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
    for (Level level : kAllLevels) {
        if (!isLevelShown(op, level))
            continue;
        list += (list.empty() ? "" : ", ") + std::string(levelOptionName(level)) + " (" +
                quotedArgument(levelCaption(op, level)) + ")";
    }
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

bool isValueOption(std::string_view name)
{
    for (const char* option : kValueOptions)
        if (name == option)
            return true;
    return false;
}

std::string checkValues(const std::map<std::string, std::string>& values, SheetOptions& options)
{
    const auto value = [&](const char* name) -> const std::string* {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    };

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

    if (const std::string* mode = value("--mode")) {
        if (*mode == "normal")
            options.mode = Mode::Normal;
        else if (*mode == "listening")
            options.mode = Mode::Listening;
        else
            return refusal("--mode", "unknown mode", *mode, "normal, listening");
    }
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
        else
            return refusal("--format", "unknown format", *format, "text, tsv");
    }
    return {};
}

} // namespace

ParsedOptions parseOptions(int argc, const char* const* argv)
{
    ParsedOptions parsed;
    std::map<std::string, std::string> values;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            parsed.options.help = true;
            return parsed;
        }
        if (arg == "--version") {
            parsed.options.version = true;
            return parsed;
        }
        if (arg == "--answers") {
            parsed.options.answers = true;
            continue;
        }
        std::string name = arg;
        std::optional<std::string> inlineValue;
        if (const std::size_t equals = arg.find('='); arg.rfind("--", 0) == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            inlineValue = arg.substr(equals + 1);
        }
        if (!isValueOption(name)) {
            parsed.error = "unknown option " + quotedArgument(arg) +
                           "; accepted: --operation, --level, --type, --mode, --count, --seed, --format, --answers, --help, --version";
            return parsed;
        }
        if (inlineValue) {
            values[name] = *inlineValue;
        } else if (i + 1 < argc) {
            values[name] = argv[++i];
        } else {
            values[name].clear();
        }
    }
    parsed.error = checkValues(values, parsed.options);
    return parsed;
}

std::string usageText()
{
    return "Usage: zorvel-questions --operation add|sub|mixed|mul|div [options]\n"
           "Prints arithmetic questions made by the drill windows' own generators.\n"
           "\n"
           "  --level L      an option name (Option4) or its caption (\"2位 + 1位\");\n"
           "                 default: the operation's default level\n"
           "  --type T       Option7|integer, Option8|1dp, Option9|2dp (add, sub, mixed); default integer\n"
           "  --mode M       normal or listening (no two answers in a row alike); default normal\n"
           "  --count N      1 to 1000000; default 10 (normal) or 20 (listening)\n"
           "  --seed S       the same seed gives the same questions; default: from the clock\n"
           "  --format F     text (a printable sheet) or tsv; default text\n"
           "  --answers      text format: an answer key after the questions\n"
           "  --help, -h     this text\n"
           "  --version      the version\n"
           "\n"
           "TSV columns: number, first operand, second operand, third operand (mixed only), answer.\n"
           "Bad options print one line on stderr and exit with status 2.\n";
}

} // namespace zorvel
