# What the command-line tools' test scripts share: running the tool under test
# (TOOL), counting failed checks, and checking a table of refusals.

set(failures 0)

macro(fail message)
  message(SEND_ERROR "${message}")
  math(EXPR failures "${failures} + 1")
endmacro()

# Ends the script, failing it when any check failed: "<count> <what>".
macro(finish_checks what)
  if(failures GREATER 0)
    message(FATAL_ERROR "${failures} ${what}")
  endif()
endmacro()

# Runs TOOL with the arguments; leaves rc, out and err in the caller's scope.
function(run_tool)
  execute_process(COMMAND ${TOOL} ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  set(rc "${rc}" PARENT_SCOPE)
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

# Each case in the named list is "status|argument|...|expected": the tool
# exits with status, writes nothing on stdout and one stderr line holding
# expected.
function(expect_refusals cases)
  foreach(case IN LISTS ${cases})
    string(REPLACE "|" ";" parts "${case}")
    list(POP_FRONT parts status)
    list(POP_BACK parts expected)
    run_tool(${parts})
    if(NOT rc EQUAL status)
      fail("${parts}: exit status ${rc}, expected ${status}")
    endif()
    if(NOT out STREQUAL "")
      fail("${parts}: wrote to stdout: ${out}")
    endif()
    string(FIND "${err}" "${expected}" at)
    string(REGEX MATCHALL "\n" newlines "${err}")
    list(LENGTH newlines lines)
    if(at LESS 0 OR NOT lines EQUAL 1)
      fail("${parts}: stderr is not one line with '${expected}': ${err}")
    endif()
  endforeach()
  set(failures ${failures} PARENT_SCOPE)
endfunction()
