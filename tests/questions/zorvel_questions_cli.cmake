# Runs the built zorvel-questions with good and bad options and checks exit
# status, output shape, arithmetic and repeatability.
# Usage: cmake -DTOOL=<path to zorvel-questions> -P zorvel_questions_cli.cmake

include(${CMAKE_CURRENT_LIST_DIR}/../cli/tool_script.cmake)

# Bad input: status 2, nothing on stdout, one line on stderr naming what is accepted.
set(bad_cases
  "--operation|foo|accepted: add, sub, mixed, mul, div"
  "--count|5|--operation is required"
  "--operation|mixed|--level|Option13|Option12 (\"4位 + 2位\")"
  "--operation|mul|--level|Option12|not offered for mul"
  "--operation|mul|--type|1dp|accepted: Option7 or integer"
  "--operation|div|--type|Option9|not offered for div"
  "--operation|add|--type|3dp|Option9 or 2dp"
  "--operation|add|--level|5位 + 1位|unknown level"
  "--operation|sub|--level|2位 + 1位|Option4 (\"2位 - 1位\")"
  "--operation|add|--count|0|from 1 to 1000000"
  "--operation|add|--count|-3|from 1 to 1000000"
  "--operation|add|--count|1000001|from 1 to 1000000"
  "--operation|add|--count|99999999999999999999999|from 1 to 1000000"
  "--operation|add|--count|1e3|from 1 to 1000000"
  "--operation|add|--seed|12x|bad seed"
  "--operation|add|--seed|-1|bad seed"
  "--operation|add|--seed|18446744073709551616|bad seed"
  "--operation|add|--mode|fast|accepted: normal, listening"
  "--operation|add|--format|csv|accepted: text, tsv"
  "--operation|add|--colour|red|unknown option"
  "--operation|add|--level|--level needs a value"
  "--operation|add|--level|accepted: Option3 (\"20以内\")"
  "--operation|mul|--count|accepted: a whole number from 1 to 1000000"
  "--operation|add|--format=|accepted: text, tsv"
  "--operation|add\nsub|unknown operation \"add\\nsub\""
)
set(audio "--operation|add|--mode|listening")
list(APPEND bad_cases
  "${audio}|--format|wav|--output|refused.wav|--gap|0|bad gap \"0\""
  "${audio}|--format|wav|--output|refused.wav|--gap|7s|seconds from 1 to 60"
  "${audio}|--format|ogg|--output|refused.wav|--gap|100|bad gap \"100\""
  "${audio}|--format|wav|--output|refused.wav|--gap|--gap needs a value"
  "${audio}|--format|wav|--output|refused.wav|--rate|medium|unknown rate \"medium\""
  "${audio}|--format|wav|--output|refused.wav|--rate|Slow|accepted: slow, normal, fast"
  "${audio}|--format|mp3|--format mp3 needs --output FILE"
  "${audio}|--format|wav|--output|refused.wav|--count|101|from 1 to 100"
  "${audio}|--format|wav|--output|refused.wav|--columns|2|--columns is for --format pdf"
  "--operation|add|--format|wav|--output|refused.wav|--format wav is for --mode listening"
  "${audio}|--twice|--twice is for --format wav, mp3 or ogg"
  "${audio}|--format|pdf|--output|refused.pdf|--gap|5|--gap is for --format wav, mp3 or ogg"
)
list(TRANSFORM bad_cases PREPEND "2|")
expect_refusals(bad_cases)
if(EXISTS refused.wav OR EXISTS refused.pdf)
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
set(expected_log "")
set(answers "")
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

run_tool(--help)
if(NOT rc EQUAL 0 OR NOT out MATCHES "--operation")
  fail("--help did not print usage")
endif()

if(failures GREATER 0)
  message(FATAL_ERROR "${failures} zorvel-questions checks failed")
endif()
