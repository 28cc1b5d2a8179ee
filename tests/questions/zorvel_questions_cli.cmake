# Runs the built zorvel-questions with good and bad options and checks exit
# status, output shape, arithmetic and repeatability.
# Usage: cmake -DTOOL=<path to zorvel-questions> -P zorvel_questions_cli.cmake

include(${CMAKE_CURRENT_LIST_DIR}/../cli/tool_script.cmake)

# Bad input: status 2, nothing on stdout, one line on stderr naming what is accepted.
set(bad_cases
  "--operation|foo|未知的运算 \"foo\"；可用的值：add、sub、mixed、mul、div"
  "--count|5|缺少 --operation"
  "--operation|mixed|--level|Option13|Option12（\"4位 + 2位\"）"
  "--operation|mul|--level|Option12|mul 没有难度 \"Option12\""
  "--operation|mul|--type|1dp|可用的值：Option7 或 integer"
  "--operation|div|--type|Option9|div 没有类型 \"Option9\""
  "--operation|add|--type|3dp|Option9 或 2dp"
  "--operation|add|--level|5位 + 1位|未知的难度"
  "--operation|sub|--level|2位 + 1位|Option4（\"2位 - 1位\"）"
  "--operation|add|--count|0|1 到 1000000 的整数"
  "--operation|add|--count|-3|1 到 1000000 的整数"
  "--operation|add|--count|1000001|1 到 1000000 的整数"
  "--operation|add|--count|99999999999999999999999|1 到 1000000 的整数"
  "--operation|add|--count|1e3|无效的题数 \"1e3\""
  "--operation|add|--seed|12x|无效的随机种子"
  "--operation|add|--seed|-1|无效的随机种子"
  "--operation|add|--seed|18446744073709551616|无效的随机种子"
  "--operation|add|--mode|fast|可用的值：normal、listening"
  "--operation|add|--format|csv|可用的值：text、tsv、pdf"
  "--operation|add|--colour|red|未知的选项 \"--colour\"；可用的选项：--operation、"
  "--operation|add|--level|--level 需要一个值"
  "--operation|add|--level|可用的值：Option3（\"20以内\"）"
  "--operation|mul|--count|--count 需要一个值；可用的值：1 到 1000000 的整数"
  "--operation|add|--format=|可用的值：text、tsv"
  "--operation|add\nsub|未知的运算 \"add\\nsub\""
  "--preset|daily|未知的达标测试 \"daily\"；可用的值：add-sub-20-60、add-sub-20-100"
  "--preset|times-table-60|--count|5|--count 不能和 --preset 一起用"
  "--preset|times-table-60|--operation|add|--operation 不能和 --preset 一起用"
)
set(audio "--operation|add|--mode|listening")
list(APPEND bad_cases
  "${audio}|--format|wav|--output|refused.wav|--gap|0|无效的间隔 \"0\""
  "${audio}|--format|wav|--output|refused.wav|--gap|7s|1 到 60 的整数（秒）"
  "${audio}|--format|ogg|--output|refused.ogg|--gap|100|无效的间隔 \"100\""
  "${audio}|--format|wav|--output|refused.mp3|扩展名是 mp3 格式，和 --format 不一致"
  "${audio}|--format|pdf|--draws|--output|refused.pdf|--draws 只用于 --format text 或 tsv"
  "${audio}|--format|wav|--output|refused.wav|--gap|--gap 需要一个值"
  "${audio}|--format|wav|--output|refused.wav|--rate|medium|未知的语速 \"medium\""
  "${audio}|--format|wav|--output|refused.wav|--rate|Slow|可用的值：slow、normal、fast"
  "${audio}|--format|mp3|--format mp3 需要 --output 文件"
  "${audio}|--format|wav|--output|refused.wav|--count|101|1 到 100 的整数"
  "${audio}|--format|wav|--output|refused.wav|--columns|2|--columns 只用于 --format pdf"
  "--operation|add|--format|wav|--output|refused.wav|--format wav 只用于听算"
  "${audio}|--twice|--twice 只用于 --format wav、mp3 或 ogg"
  "${audio}|--format|pdf|--output|refused.pdf|--gap|5|--gap 只用于 --format wav、mp3 或 ogg"
)
list(TRANSFORM bad_cases PREPEND "2|")
expect_refusals(bad_cases)
if(EXISTS refused.wav OR EXISTS refused.pdf OR EXISTS refused.mp3 OR EXISTS refused.ogg)
  fail("a refused command wrote its file")
endif()

# A recorded listening test reads the questions the same seed gives in TSV
# (and so on the PDF key), each as the window says it, then the answers; the
# speech log shows every reading, repeats included.
file(REMOVE listening.log listening.wav)
execute_process(COMMAND ${CMAKE_COMMAND} -E env ZORVEL_SPEECH_LOG=listening.log
                        PULSE_SERVER=unix:/nonexistent/zorvel-no-sound-server
                        ${TOOL} --operation sub --mode listening --count 2 --seed 5 --format wav
                        --output listening.wav --twice --gap 1 --answers
                RESULT_VARIABLE rc ERROR_VARIABLE err)
run_tool(--operation sub --mode listening --count 2 --seed 5 --format tsv)
string(REGEX MATCHALL "[^\n]+" rows "${out}")
set(expected_log "听算练习，共 2 题。现在开始。\n")
set(answers "下面核对答案。\n")
foreach(row IN LISTS rows)
  string(REPLACE "\t" ";" cells "${row}")
  list(GET cells 0 n)
  list(GET cells 1 first)
  list(GET cells 2 second)
  list(GET cells -1 answer)
  string(APPEND expected_log "第 ${n}题${first} 减 ${second}\n第 ${n}题${first} 减 ${second}\n")
  string(APPEND answers "第${n}题 ${answer}\n")
endforeach()
string(APPEND expected_log "${answers}")
if(EXISTS listening.log)
  file(READ listening.log logged)
endif()
if(NOT rc EQUAL 0 OR NOT EXISTS listening.wav)
  fail("--format wav: status ${rc}, ${err}")
elseif(NOT logged STREQUAL expected_log)
  fail("--format wav read other sentences than the TSV's questions:\n${logged}\nexpected:\n${expected_log}")
endif()

# The same seed gives the same sheet; names and captions select the same things.
run_tool(--operation sub --level Option5 --type Option8 --seed 99 --count 50)
set(by_name "${out}")
run_tool(--operation sub --level "2位 - 2位" --type 1dp --seed 99 --count 50)
if(NOT rc EQUAL 0 OR NOT out STREQUAL by_name)
  fail("same seed with level caption and type key gave another sheet")
endif()
run_tool(--operation sub --level Option5 --type Option8 --seed 100 --count 50)
if(out STREQUAL by_name)
  fail("another seed gave the same sheet")
endif()

# Text sheet: default count, numbering, operator signs, answer key.
run_tool(--operation add --seed 1)
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
if(NOT count EQUAL 10)
  fail("default text sheet has ${count} lines")
endif()
list(GET lines 0 first)
list(GET lines 9 tenth)
if(NOT first MATCHES "^第 1题   [1-9][0-9] \\+ [2-9] =\n$" OR NOT tenth MATCHES "^第10题   [1-9][0-9] \\+ [2-9] =\n$")
  fail("text lines look wrong: '${first}' '${tenth}'")
endif()
foreach(op_sign "mul;×" "div;÷" "sub;-")
  list(GET op_sign 0 op)
  list(GET op_sign 1 sign)
  run_tool(--operation ${op} --seed 5 --count 3)
  if(NOT out MATCHES "^第 1题   [0-9]+ ${sign} [0-9]+ =\n")
    fail("${op} sheet lacks its sign ${sign}: ${out}")
  endif()
endforeach()
run_tool(--operation mixed --mode listening --answers --seed 2)
string(REGEX MATCHALL "第[ 0-9]+题[^\n]*\n" numbered "${out}")
list(LENGTH numbered count)
if(NOT count EQUAL 40 OR NOT out MATCHES "\n答案\n")
  fail("listening sheet with answers has ${count} numbered lines: ${out}")
endif()

# TSV: five columns; the answer agrees with the operands; listening answers never repeat back to back.
foreach(op_expr "add;+" "sub;-" "mul;*")
  list(GET op_expr 0 op)
  list(GET op_expr 1 operator)
  run_tool(--operation ${op} --format tsv --seed 7 --count 200)
  string(REGEX MATCHALL "[^\n]+" rows "${out}")
  list(LENGTH rows count)
  if(NOT count EQUAL 200)
    fail("${op} tsv has ${count} rows")
  endif()
  foreach(row IN LISTS rows)
    if(NOT row MATCHES "^([0-9]+)\t([0-9]+)\t([0-9]+)\t\t([0-9]+)$")
      fail("${op} tsv row malformed: ${row}")
      break()
    endif()
    math(EXPR expected "${CMAKE_MATCH_2} ${operator} ${CMAKE_MATCH_3}")
    if(NOT expected EQUAL CMAKE_MATCH_4)
      fail("${op} tsv row wrong: ${row}")
    endif()
  endforeach()
endforeach()
run_tool(--operation mixed --type 2dp --format tsv --seed 3 --count 5)
if(NOT out MATCHES "^1\t[0-9]+\\.[0-9][0-9]\t[0-9]\\.[0-9][0-9]\t[0-9.]+\t[0-9.]+\n")
  fail("mixed tsv row malformed: ${out}")
endif()
run_tool(--operation div --mode listening --format tsv --seed 11 --count 1000)
string(REGEX MATCHALL "[^\t\n]+\n" answers "${out}")
set(previous "")
foreach(answer IN LISTS answers)
  if(answer STREQUAL previous)
    fail("listening answers repeat: ${answer}")
    break()
  endif()
  set(previous "${answer}")
endforeach()

# Help in Chinese; the option names and the TSV columns as scripts use them.
run_tool(--help)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^用法：zorvel-questions --operation" OR NOT out MATCHES "\n  --answers +text：")
  fail("--help did not print the usage: ${out}")
endif()

finish_checks("zorvel-questions checks failed")

# A preset: its questions by key and by name alike, its count, its limit and
# pass line above them, and its exercise in the TSV.
run_tool(--preset times-table-60 --seed 5)
set(by_key "${out}")
run_tool(--preset "表内乘法 60 题" --seed 5)
if(NOT rc EQUAL 0 OR NOT out STREQUAL by_key)
  fail("a preset by name gave another sheet than by key")
endif()
if(NOT by_key MATCHES "^达标测试 表内乘法 60 题\n限时 5 分钟　达标：正确率 ≥ 90 %，限时内全部答完\n\n第 1题" OR NOT by_key MATCHES "第60题   [1-9] × [1-9] =\n$")
  fail("preset text sheet looks wrong: ${by_key}")
endif()
run_tool(--preset division-table-60 --seed 5 --format tsv)
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
list(GET lines 59 last)
if(NOT count EQUAL 60 OR NOT last MATCHES "^60\t[1-9][0-9]?\t[1-9]\t\t[1-9]\n$")
  fail("preset TSV has ${count} lines, last '${last}'")
endif()
run_tool(--help)
if(NOT out MATCHES "two-digit-add-sub-50 +两位数加减一位数 50 题 · 限时 5 分钟")
  fail("--help does not list the presets")
endif()
