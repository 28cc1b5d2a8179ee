# zorvel-questions --format pdf: refusals write nothing and leave an existing
# file alone; a written sheet is a whole PDF whose text (when pdftotext is
# installed) holds its questions without a repeat, each as one line
# "n. a + b =", and the answer pages hold "n. a + b = answer"; the TSV of the
# same seed keeps the generator's repeat.
# Usage: cmake -DTOOL=<zorvel-questions> -DWORK=<scratch folder> -P zorvel_questions_pdf.cmake

cmake_policy(SET CMP0007 NEW)  # a list keeps its empty values: "--output" with none
cmake_policy(SET CMP0057 NEW)  # if(... IN_LIST ...)
include(${CMAKE_CURRENT_LIST_DIR}/../cli/tool_script.cmake)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(kept "${WORK}/kept.pdf")
file(WRITE "${kept}" "an earlier sheet")

set(refusals
  "--format|pdf|--format pdf 需要 --output 文件"
  "--format|pdf|--output||--format pdf 需要 --output 文件"
  "--format|pdf|--output|${kept}|--columns|0|可用的值：1 到 6 的整数"
  "--format|pdf|--output|${kept}|--columns|7|可用的值：1 到 6 的整数"
  "--format|pdf|--output|${kept}|--columns|4x|无效的列数 \"4x\""
  "--format|pdf|--output|${kept}|--count|10001|1 到 10000 的整数"
  "--format|tsv|--output|${WORK}/kept.tsv|text 和 tsv 写到标准输出"
  "--columns|4|--columns 只用于 --format pdf"
  "--format|pdf|--output|${kept}|--level|Option15|未知的难度"
)
list(TRANSFORM refusals PREPEND "2|--operation|add|")
expect_refusals(refusals)
file(READ "${kept}" content)
file(GLOB leftovers "${WORK}/*")
list(LENGTH leftovers leftover_count)
if(NOT content STREQUAL "an earlier sheet" OR NOT leftover_count EQUAL 1)
  fail("a refusal wrote: ${leftovers}")
endif()

execute_process(COMMAND ${TOOL} --operation add --format pdf --output "${WORK}/missing/a.pdf"
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^zorvel-questions：没能写入 \"[^\n]*missing/a.pdf\"" OR EXISTS "${WORK}/missing")
  fail("unwritable output: status ${rc}, ${err}")
endif()
# Why, in Chinese only: no English words of the system's after the name.
foreach(output "${WORK}/missing/a.pdf" "${WORK}")
  execute_process(COMMAND ${TOOL} --operation add --format pdf --output "${output}" ERROR_VARIABLE err)
  string(REGEX REPLACE "^.*\"（" "" why "${err}")
  if(why MATCHES "[A-Za-z]")
    fail("the reason is not Chinese only: ${err}")
  endif()
endforeach()

set(seeded --operation add --level Option4 --count 30 --seed 47)
execute_process(COMMAND ${TOOL} ${seeded} --format pdf --answers --output "${kept}" RESULT_VARIABLE rc ERROR_VARIABLE err)
file(READ "${kept}" head LIMIT 5)
file(SIZE "${kept}" size)
math(EXPR tail_at "${size} - 6")
file(READ "${kept}" tail OFFSET ${tail_at})
if(NOT rc EQUAL 0 OR NOT head MATCHES "^%PDF-" OR NOT tail MATCHES "%%EOF\n?$")
  fail("the sheet is not a whole PDF: status ${rc}, ${err}")
endif()

find_program(PDFTOTEXT pdftotext)
if(PDFTOTEXT)
  execute_process(COMMAND ${PDFTOTEXT} -f 1 -l 1 "${kept}" - OUTPUT_VARIABLE sheet_text)
  execute_process(COMMAND ${PDFTOTEXT} -f 2 -l 2 "${kept}" - OUTPUT_VARIABLE key_text)
  string(REGEX MATCHALL "[0-9]+\\. [0-9]+ \\+ [0-9]+ =\n" lines "${sheet_text}")
  list(LENGTH lines line_count)
  set(seen "")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^([0-9]+)\\. ([0-9]+) \\+ ([0-9]+) =" matched "${line}")
    math(EXPR sum "${CMAKE_MATCH_2} + ${CMAKE_MATCH_3}")
    set(question "${CMAKE_MATCH_2} + ${CMAKE_MATCH_3}")
    string(FIND "${key_text}" "${CMAKE_MATCH_1}. ${question} = ${sum}\n" on_key)
    if(on_key LESS 0 OR "${question}" IN_LIST seen)
      fail("\"${line}\" is repeated on the sheet or not answered on its key")
      break()
    endif()
    list(APPEND seen "${question}")
  endforeach()
  if(NOT line_count EQUAL 30)
    fail("30 questions expected on the sheet, found ${line_count}: ${sheet_text}")
  endif()
  # --draws keeps the generator's own draws, repeat included.
  execute_process(COMMAND ${TOOL} ${seeded} --format tsv --draws OUTPUT_VARIABLE tsv)
  string(REGEX MATCHALL "\t67\t9\t" repeated "${tsv}")
  list(LENGTH repeated repeats)
  if(NOT repeats EQUAL 2)
    fail("the draws of seed 47 were expected to ask 67 + 9 twice: ${tsv}")
  endif()
  if(NOT sheet_text MATCHES "姓名 _+" OR NOT sheet_text MATCHES "第 ?1 ?[^0-9]")
    fail("the header or the page number is missing: ${sheet_text}")
  endif()
  # The text layer holds the characters printed: 口, 日 and 用 themselves
  # (not the Kangxi radicals drawn with the same glyphs) and the minus sign.
  if(NOT sheet_text MATCHES "^口算练习 加法 2位 \\+ 1位 整数\n" OR NOT sheet_text MATCHES "日期 _+"
     OR NOT sheet_text MATCHES "用时 _+")
    fail("the title or the header does not read as printed: ${sheet_text}")
  endif()
  execute_process(COMMAND ${TOOL} --operation sub --level Option4 --count 12 --seed 5 --format pdf --answers
                          --output "${WORK}/sub.pdf")
  execute_process(COMMAND ${PDFTOTEXT} "${WORK}/sub.pdf" - OUTPUT_VARIABLE sub_text)
  string(REGEX MATCHALL "\n[0-9]+[.] [0-9]+ − [0-9] =\n" sub_questions "${sub_text}")
  string(REGEX MATCHALL "\n[0-9]+[.] [0-9]+ − [0-9] = [0-9]+\n" sub_answers "${sub_text}")
  list(LENGTH sub_questions question_count)
  list(LENGTH sub_answers answer_count)
  if(NOT sub_text MATCHES "^口算练习 减法 2位 − 1位 整数\n" OR NOT question_count EQUAL 12 OR NOT answer_count EQUAL 12)
    fail("the subtraction sheet does not read as printed (${question_count}, ${answer_count}): ${sub_text}")
  endif()
  # A preset's sheet: its limit and pass line under the title, and the
  # answer pages without --answers.
  set(preset_pdf "${WORK}/preset.pdf")
  execute_process(COMMAND ${TOOL} --preset times-table-60 --seed 3 --format pdf --output "${preset_pdf}" RESULT_VARIABLE rc)
  execute_process(COMMAND ${PDFTOTEXT} "${preset_pdf}" - OUTPUT_VARIABLE preset_text)
  if(NOT rc EQUAL 0 OR NOT preset_text MATCHES "达标测试 表内乘法 60 题\n+限时 5 分钟" OR NOT preset_text MATCHES "达标：正确率 ≥ 90 %，限时内全部答完"
     OR NOT preset_text MATCHES "达标测试 表内乘法 60 题 答案" OR NOT preset_text MATCHES "60\\. [1-9] × [1-9] = [1-9][0-9]?\n")
    fail("the preset sheet lacks its limit, pass line or answers: ${preset_text}")
  endif()
else()
  message(STATUS "pdftotext not installed: the sheet's text is not checked")
endif()

finish_checks("PDF sheet checks failed")
