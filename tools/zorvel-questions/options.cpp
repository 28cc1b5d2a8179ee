// Reading the options: every value is checked against the catalogue, and the
// first problem found becomes a single line naming what is accepted.
#include "tools/zorvel-questions/options.h"

#include "common/command_line.h"
#include "common/option_table.h"
#include "fluency/fluency_test.h"
#include "tools/zorvel-questions/audio_options.h"

#include <QCommandLineParser>

#include <charconv>
#include <functional>
#include <algorithm>
#include <cctype>
#include <map>

namespace zorvel {

namespace {

// "无效的题数 "x"；可用的值：...", or "--count 需要一个值；可用的值：..."
// when the value is missing or empty.
std::string refusal(std::string_view option, std::string_view problem, const std::string& value,
                    const std::string& accepted)
{
    if (value.empty())
        return std::string(option) + " 需要一个值；可用的值：" + accepted;
    return std::string(problem) + " " + quotedArgument(value) + "；可用的值：" + accepted;
}

constexpr const char* kListComma = "、";

// "1 到 6 的整数"
std::string wholeNumbers(long long from, long long to)
{
    return std::to_string(from) + " 到 " + std::to_string(to) + " 的整数";
}

std::string operationList()
{
    std::string list;
    for (Operation op : kAllOperations)
        list += (list.empty() ? "" : kListComma) + std::string(operationInfo(op).key);
    return list;
}

std::string levelList(Operation op)
{
    std::string list;
    for (Level level : offeredLevels(op))
        list += (list.empty() ? "" : kListComma) + std::string(levelOptionName(op, level)) + "（" +
                quotedArgument(levelCaption(op, level)) + "）";
    return list;
}

std::string typeList(Operation op)
{
    return isNumberTypeOffered(op, NumberType::OneDecimal) ? "Option7 或 integer、Option8 或 1dp、Option9 或 2dp"
                                                           : "Option7 或 integer";
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
    const std::string columnRange = wholeNumbers(1, kMaxColumns);
    if (options.format != SheetFormat::Pdf) {
        if (columns)
            return "--columns 只用于 --format pdf；可用的值：" + columnRange;
        if (output)
            return "--output 只用于 --format pdf；text 和 tsv 写到标准输出";
        return {};
    }
    if (columns) {
        int n = 0;
        if (!readWhole(*columns, n) || n < 1 || n > kMaxColumns)
            return refusal("--columns", "无效的列数", *columns, columnRange);
        options.columns = n;
    }
    if (!output || output->empty())
        return "--format pdf 需要 --output 文件：要写的 PDF 文件，整张练习卷写好后才替换原有的文件";
    if (options.count > kMaxPdfCount)
        return "题数 " + quotedArgument(std::to_string(options.count)) + " 超出 --format pdf 的范围；可用的值：" +
               wholeNumbers(1, kMaxPdfCount);
    options.output = QString::fromStdString(*output);
    return {};
}

// An --output named for another format ("test.mp3" with --format wav) would
// hold what its name does not say.
std::string checkOutputSuffix(const std::string& output, SheetFormat format)
{
    static const std::map<std::string, std::pair<SheetFormat, std::string>> named = {
        {"pdf", {SheetFormat::Pdf, "pdf"}}, {"wav", {SheetFormat::Wav, "wav"}}, {"mp3", {SheetFormat::Mp3, "mp3"}},
        {"ogg", {SheetFormat::Ogg, "ogg"}}, {"oga", {SheetFormat::Ogg, "ogg"}}, {"tsv", {SheetFormat::Tsv, "tsv"}},
        {"txt", {SheetFormat::Text, "text"}}};
    const std::size_t dot = output.rfind('.');
    if (dot == std::string::npos || output.find('/', dot) != std::string::npos)
        return {};
    std::string suffix = output.substr(dot + 1);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    const auto it = named.find(suffix);
    if (it == named.end() || it->second.first == format)
        return {};
    return "--output " + quotedArgument(output) + " 的扩展名是 " + it->second.second +
           " 格式，和 --format 不一致；请改用 --format " + it->second.second + " 或换一个文件名";
}

using ValueOf = std::function<const std::string*(const char*)>;

// --operation, --level and --type: what is practised.
std::string checkExercise(const ValueOf& value, SheetOptions& options)
{
    const std::string* operation = value("--operation");
    if (!operation)
        return "缺少 --operation；可用的值：" + operationList();
    const std::optional<Operation> op = operationFromKey(*operation);
    if (!op)
        return refusal("--operation", "未知的运算", *operation, operationList());
    options.operation = *op;
    const OperationInfo& info = operationInfo(*op);

    options.level = info.defaultLevel;
    if (const std::string* level = value("--level")) {
        const std::optional<Level> found = levelFromName(*op, *level);
        if (!found)
            return refusal("--level", "未知的难度", *level, levelList(*op));
        if (!isLevelShown(*op, *found))
            return std::string(info.key) + " 没有难度 " + quotedArgument(*level) + "；可用的值：" + levelList(*op);
        options.level = *found;
    }

    if (const std::string* type = value("--type")) {
        const std::optional<NumberType> found = numberTypeFromName(*type);
        if (!found)
            return refusal("--type", "未知的类型", *type, typeList(*op));
        if (!isNumberTypeOffered(*op, *found))
            return std::string(info.key) + " 没有类型 " + quotedArgument(*type) + "；可用的值：" + typeList(*op);
        options.type = *found;
    }
    return {};
}

// --mode, --count, --seed, --format and the PDF's own options: how it is printed.
std::string checkSheet(const ValueOf& value, bool twice, SheetOptions& options)
{
    if (const std::string* mode = value("--mode")) {
        if (*mode == "normal")
            options.mode = Mode::Normal;
        else if (*mode == "listening")
            options.mode = Mode::Listening;
        else
            return refusal("--mode", "未知的模式", *mode, "normal、listening");
    }
    if (options.preset.isEmpty())
        options.count = options.mode == Mode::Listening ? 20 : 10;

    if (const std::string* count = value("--count")) {
        long long n = 0;
        if (!readWhole(*count, n) || n < 1 || n > kMaxCount)
            return refusal("--count", "无效的题数", *count, wholeNumbers(1, kMaxCount));
        options.count = static_cast<int>(n);
    }

    if (const std::string* seed = value("--seed")) {
        std::uint64_t s = 0;
        if (!readWhole(*seed, s))
            return refusal("--seed", "无效的随机种子", *seed, "0 到 18446744073709551615 的整数");
        options.seed = s;
    }

    if (const std::string* format = value("--format")) {
        if (*format == "text")
            options.format = SheetFormat::Text;
        else if (*format == "tsv")
            options.format = SheetFormat::Tsv;
        else if (*format == "pdf")
            options.format = SheetFormat::Pdf;
        else if (*format == "wav")
            options.format = SheetFormat::Wav;
        else if (*format == "mp3")
            options.format = SheetFormat::Mp3;
        else if (*format == "ogg")
            options.format = SheetFormat::Ogg;
        else
            return refusal("--format", "未知的格式", *format, "text、tsv、pdf、wav、mp3、ogg");
    }
    if (options.draws && options.format != SheetFormat::Text && options.format != SheetFormat::Tsv)
        return "--draws 只用于 --format text 或 tsv";
    if (options.draws && !options.preset.isEmpty())
        return "--draws 不能和 --preset 一起用";
    if (const std::string* output = value("--output"))
        if (std::string error = checkOutputSuffix(*output, options.format); !error.empty())
            return error;
    if (isAudioFormat(options.format) || twice || value("--rate") || value("--gap"))
        if (std::string error = checkAudioValues(value, twice, options); !error.empty() || isAudioFormat(options.format))
            return error;
    return checkPdfValues(value("--columns"), value("--output"), options);
}

std::string presetList()
{
    std::string list;
    for (const fluency::FluencyTest& test : fluency::presets())
        list += (list.empty() ? "" : kListComma) + test.key.toStdString();
    return list;
}

// --preset: a 达标测试 by its key or its name ("表内乘法 60 题"), which
// fixes the operation, level, type and count.
std::string checkPreset(const ValueOf& value, SheetOptions& options)
{
    const std::string& name = *value("--preset");
    for (const char* own : {"--operation", "--level", "--type", "--mode", "--count"})
        if (value(own))
            return std::string(own) + " 不能和 --preset 一起用：达标测试自带运算、难度、类型和题数";
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
    return refusal("--preset", "未知的达标测试", name, presetList());
}

std::string checkValues(const std::map<std::string, std::string>& values, bool twice, SheetOptions& options)
{
    const ValueOf value = [&](const char* name) -> const std::string* {
        const auto it = values.find(name);
        return it == values.end() ? nullptr : &it->second;
    };
    if (value("--preset")) {
        const std::string error = checkPreset(value, options);
        return error.empty() ? checkSheet(value, twice, options) : error;
    }
    std::string error = checkExercise(value, options);
    return error.empty() ? checkSheet(value, twice, options) : error;
}

// Every option, in the order of the help; a new option is a row here and,
// when it takes a value, a check in checkExercise or checkSheet.
const OptionTable& sheetOptionTable()
{
    static const OptionTable table = withHelpAndVersion({
        {"operation", nullptr, "OP", "运算：add（加法）、sub（减法）、mixed（加减混合）、mul（乘法）、div（除法）；必填"},
        {"level", nullptr, "LEVEL", "难度：选项名（Option4）或窗口上的说明（\"2位 + 1位\"）；\n默认为该运算的默认难度"},
        {"type", nullptr, "TYPE", "数的类型：Option7 或 integer、Option8 或 1dp、Option9 或 2dp\n（只有 add、sub、mixed 有小数）；默认 integer"},
        {"mode", nullptr, "MODE", "normal（普通）或 listening（听算：相邻两题的答案不同；\npdf 时学生卷只有编号和横线）；默认 normal"},
        {"count", nullptr, "N", "题数：1 到 1000000（pdf：1 到 10000；wav、mp3、ogg：1 到 100）；默认 10（normal）或 20（listening）"},
        {"seed", nullptr, "SEED", "随机种子：同一个种子出同样的题；默认取自时钟"},
        {"format", nullptr, "FORMAT", "text（可打印的题单）、tsv、pdf（A4 练习卷：标题、姓名/日期/用时/得分、\n编号的题目和页码），或 wav、mp3、ogg（听算录音，只用于 --mode listening：\n每题像听算窗口那样读出，然后留出作答的静音）；默认 text。text 和 tsv 写到标准输出"},
        {"output", nullptr, "FILE", "pdf、wav、mp3、ogg：要写的文件（必填）；整个文件写好后才替换原有的文件"},
        {"columns", nullptr, "N", "pdf：每行 1 到 6 道题；默认按最宽的题目自动选择"},
        {"preset", nullptr, "NAME", "达标测试（见下）：按代号或名称，自带运算、难度、类型和题数；\n练习卷上印出限时和达标线，pdf 总带答案页"},
        {"answers", nullptr, nullptr, "text：题目后面附答案；pdf：另起一页的答案页，版式相同\n（listening：给老师的一页，有题目和答案）；wav、mp3、ogg：最后一题之后读出全部答案"},
        {"rate", nullptr, "RATE", "录音的语速：slow（慢）、normal（中）或 fast（快）；默认 normal"},
        {"twice", nullptr, nullptr, "录音里每题读两遍，中间停一秒"},
        {"gap", nullptr, "SECONDS", "录音里每题之后的静音：1 到 60 秒；默认 10"},
        {"draws", nullptr, nullptr, "只用于 text 和 tsv：照生成器原样出题，可能重复（研究生成器用）；\n不加时和其他格式一样不重复"},
    });
    return table;
}

} // namespace

ParsedOptions parseOptions(const QStringList& arguments)
{
    ParsedOptions parsed;
    QCommandLineParser parser;
    if (const QString complaint = readArguments(parser, parserOptions(sheetOptionTable()), arguments); !complaint.isEmpty()) {
        parsed.error = complaint.toStdString();
        return parsed;
    }
    parsed.options.help = parser.isSet(QStringLiteral("help"));
    parsed.options.version = parser.isSet(QStringLiteral("version"));
    if (parsed.options.help || parsed.options.version)
        return parsed;
    if (!parser.positionalArguments().isEmpty()) {
        parsed.error = "多余的参数 " + quotedArgument(parser.positionalArguments().constFirst()).toStdString() +
                       "；每个值都跟在它的选项后面，如 --count 20";
        return parsed;
    }
    parsed.options.answers = parser.isSet(QStringLiteral("answers"));
    parsed.options.draws = parser.isSet(QStringLiteral("draws"));
    std::map<std::string, std::string> values;
    for (const QString& name : valueOptionNames(sheetOptionTable()))
        if (parser.isSet(name))
            values["--" + name.toStdString()] = parser.value(name).toStdString();
    parsed.error = checkValues(values, parser.isSet(QStringLiteral("twice")), parsed.options);
    return parsed;
}

std::string presetHelp()
{
    std::string help = "达标测试（与程序里“打印本卷”的题目相同，同一个种子出同样的题）：\n";
    for (const fluency::FluencyTest& test : fluency::presets())
        help += "  " + test.key.toStdString() + std::string(std::max<std::size_t>(2, 24 - test.key.size()), ' ') +
                test.description().toStdString() + "\n";
    return help;
}

std::string usageText()
{
    return "用法：zorvel-questions --operation add|sub|mixed|mul|div [选项]\n"
           "      zorvel-questions --preset NAME [--seed S] [--format F] [pdf 选项]\n"
           "用各练习窗口自己的出题规则出口算题：可打印的题单、A4 PDF 练习卷，或给其他程序读的 TSV。\n"
           "\n"
           "选项：\n" +
           optionHelp(sheetOptionTable()).toStdString() +
           "\n"
           "TSV 的列：题号、第一个数、第二个数、第三个数（只有 mixed 有）、答案，以制表符分隔。\n"
           "同一个种子在 text、tsv、pdf（题目页和答案页）、wav、mp3、ogg 里是同一套题，顺序相同；\n"
           "一套题里不重复出题（难度的题目够多时）。--draws 只给 text 和 tsv，照生成器原样出题。\n"
           "选项有误时在标准错误输出一行说明，退出状态为 2；写不了文件时退出状态为 1。\n"
           "\n" + presetHelp();
}

} // namespace zorvel
