# A refused argument is printed on one line with line breaks and terminal
# escape sequences written as escapes, whichever program refuses it.
# Usage: cmake -DSAY=<zorvel-say> -DQUESTIONS=<zorvel-questions> -DSHOTS=<zorvel-shots> -P refusals.cmake

set(failures 0)
string(ASCII 27 esc)
set(reset_terminal "${esc}c")  # no bracket: CMake lists keep ";" inside brackets

# Runs the command; expects the status, nothing on stdout and one stderr line
# holding `expected` and no escape character.
function(expect_refusal status expected)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  string(REGEX MATCHALL "\n" newlines "${err}")
  list(LENGTH newlines lines)
  string(FIND "${err}" "${esc}" raw_escape)
  string(FIND "${err}" "${expected}" found)
  if(NOT rc EQUAL status OR NOT out STREQUAL "" OR NOT lines EQUAL 1 OR raw_escape GREATER -1 OR found LESS 0)
    string(REPLACE "${esc}" "<ESC>" shown "${err}")
    message(SEND_ERROR "${ARGN}: status ${rc}, ${lines} lines, stderr: ${shown}")
    set(failures 1 PARENT_SCOPE)
  endif()
endfunction()

expect_refusal(2 "未知的选项 \"--x\\x1bc\\ny\"" ${SAY} "--x${reset_terminal}\ny" sentence)
expect_refusal(1 "没能写入 \"/nonexistent/a\\x1bc\\nb.wav\"" ${SAY} --wav "/nonexistent/a${reset_terminal}\nb.wav" sentence)
expect_refusal(1 "zorvel-questions：没能写入 \"/nonexistent/a\\x1bc\\nb.wav\"" ${QUESTIONS} --operation add --mode listening
               --format wav --output "/nonexistent/a${reset_terminal}\nb.wav")
expect_refusal(2 "未知的运算 \"add\\x1bc\"" ${QUESTIONS} --operation "add${reset_terminal}")
expect_refusal(2 "未知的选项 \"--x\\x1bc\"" ${SHOTS} "--x${reset_terminal}")

if(failures)
  message(FATAL_ERROR "a refused argument reached the terminal unescaped")
endif()
