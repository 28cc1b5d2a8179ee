# Qt's remarks about the surroundings never reach a tool's standard error:
# no XDG_RUNTIME_DIR and no display for a PDF sheet, no sound server for
# zorvel-say (which then says, in one line of its own, that it cannot speak).
# Usage: cmake -DSAY=<zorvel-say> -DQUESTIONS=<zorvel-questions> -DWORK=<folder> -P quiet.cmake

include(${CMAKE_CURRENT_LIST_DIR}/tool_script.cmake)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(bare ${CMAKE_COMMAND} -E env --unset=XDG_RUNTIME_DIR --unset=DISPLAY --unset=WAYLAND_DISPLAY
         --unset=QT_QPA_PLATFORM --unset=QT_LOGGING_RULES PULSE_SERVER=unix:/nonexistent/zorvel-no-sound-server)

execute_process(COMMAND ${bare} ${QUESTIONS} --operation add --count 20 --format pdf --output "${WORK}/a.pdf"
                RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "" OR NOT err STREQUAL "" OR NOT EXISTS "${WORK}/a.pdf")
  fail("zorvel-questions --format pdf: status ${rc}, stdout '${out}', stderr '${err}'")
endif()

execute_process(COMMAND ${bare} ${SAY} "第1题3 加 4" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT rc EQUAL 1 OR NOT err MATCHES "^zorvel-say：无法朗读[^\n]*\n$")
  fail("zorvel-say without a sound server: status ${rc}, stderr '${err}'")
endif()

finish_checks("checks found Qt's remarks on standard error")
