# --help and --version answer on stdout with status 0 and need no display:
# DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are cleared for these runs.
# The help of the program and of the tools is Chinese. Unknown options to zorvel are refused in one line
# (after whatever Qt itself has to say about the environment).
# Usage: cmake -DPROGRAMS=<paths> -DVERSION=<version> -P information.cmake

include(${CMAKE_CURRENT_LIST_DIR}/tool_script.cmake)

set(headless ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)
foreach(program IN LISTS PROGRAMS)
  get_filename_component(name "${program}" NAME_WE)
  execute_process(COMMAND ${headless} ${program} --version
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out STREQUAL "${name} ${VERSION}\n")
    fail("${name} --version: status ${rc}, '${out}' '${err}'")
  endif()
  execute_process(COMMAND ${headless} ${program} --help
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT out MATCHES "--version" OR NOT err STREQUAL "")
    fail("${name} --help: status ${rc}, '${out}' '${err}'")
  endif()
  if(NOT name STREQUAL "zorvel-shots" AND NOT out MATCHES "^用法：${name}")
    fail("${name} --help is not the Chinese text: ${out}")
  endif()
  if(name STREQUAL "zorvel")
    execute_process(COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${program} --colour
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT rc EQUAL 2 OR NOT out STREQUAL "" OR NOT err MATCHES "(^|\n)zorvel：未知的选项 \"--colour\"[^\n]*\n$")
      fail("zorvel --colour: status ${rc}, '${out}' '${err}'")
    endif()
  endif()
endforeach()

finish_checks("command-line checks failed")
