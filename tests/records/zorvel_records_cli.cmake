# Runs the built zorvel-records on a small record made by record_driver and
# on bad input: exit status, one-line refusals, header and rows, quoting.
# Usage: cmake -DTOOL=<zorvel-records> -DDRIVER=<record_driver> -DWORK=<folder> -P zorvel_records_cli.cmake

include(${CMAKE_CURRENT_LIST_DIR}/../cli/tool_script.cmake)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(db "${WORK}/records.db")
execute_process(COMMAND ${DRIVER} ${db} fixture RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "record_driver could not make the record (${rc})")
endif()
file(WRITE "${WORK}/garbage.db" "this is not a database, only some text long enough to look like a file")

# Refusals: status, nothing on stdout, one line on stderr naming what is accepted.
set(bad_cases
  "2|--database|${db}|未知的命令 \"frogs\"；可用的命令：pupils、tests、mistakes|frogs"
  "2|--database|${db}|缺少命令"
  "2|--database|${db}|tests|--format|xml|可用的值：csv、tsv"
  "2|--database|${db}|tests|--since|2026-13-01|格式：YYYY-MM-DD"
  "2|--database|${db}|tests|--since|yesterday|无效的日期 \"yesterday\""
  "2|--database|${db}|pupils|--since|2026-01-01|pupils 命令不接受 --since"
  "2|--database|${db}|mistakes|--since|2026-01-01|mistakes 命令不接受 --since"
  "2|--database|${db}|tests|--colour|red|未知的选项 \"--colour\""
  "2|--database|${db}|tests|--pupil|小刚|记录里的学生：小明、Li, \"Ann\""
  "2|--database|${db}|tests|--pupil|a\nb|记录里没有学生 \"a\\nb\""
  "2|--database|${db}|tests|--pupil|--pupil 需要一个值"
  "1|--database|${WORK}/none.db|tests|没有记录文件"
  "1|--database|${WORK}/garbage.db|tests|读不了记录"
  "1|--database|${WORK}|pupils|不是一个普通文件"
)
expect_refusals(bad_cases)
if(EXISTS "${WORK}/none.db")
  fail("reading a missing record created it")
endif()

run_tool(--database ${db} pupils)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "  小明\n* Li, \"Ann\"\n")
  fail("pupils: ${rc} '${out}'")
endif()

run_tool(--database ${db} tests)
set(expected_tests
  "pupil,started,window,operation,mode,level,type,questions,wrong_answers,time,ended,limit_seconds,correct,passed,wrong_questions\n"
  "小明,2026-03-02T16:00:00,加法 普通模式,add,normal,2位 + 1位,integer,10,2,1:07.06,finished,,,,2\n"
  "小明,2026-03-02T17:00:00,加减混合 普通模式,mixed,normal,2位 + 2位,1dp,2,0,,closed,,,,0\n"
  "小明,2026-03-02T18:00:00,加法 听算模式,add,listening,20以内,integer,20,0,,finished,,,,\n"
  "\"Li, \"\"Ann\"\"\",2026-03-02T19:00:00,乘法 普通模式,mul,normal,1位 * 1位,integer,5,1,,reminder,,,,1\n"
  "\"Li, \"\"Ann\"\"\",2026-03-02T20:00:00,乘法 达标测试,mul,fluency,1位 * 1位,integer,60,0,5:00.00,finished,300,1,0,59\n"
  "\"Li, \"\"Ann\"\"\",2026-03-02T21:00:00,今日练习,mul,practice,乘法,integer,2,1,0:21.20,finished,,,,1\n")
string(CONCAT expected_tests ${expected_tests})
if(NOT rc EQUAL 0 OR NOT out STREQUAL expected_tests)
  fail("tests: ${rc} '${out}'")
endif()

run_tool(--database ${db} tests --format tsv --pupil 小明 --since 2026-03-02)
string(REGEX MATCHALL "[^\n]*\n" lines "${out}")
list(LENGTH lines count)
if(NOT rc EQUAL 0 OR NOT count EQUAL 4 OR NOT out MATCHES "^pupil\tstarted\t")
  fail("tests in tsv for one pupil: ${rc} '${out}'")
endif()
run_tool(--database ${db} tests --since 2026-03-03)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "pupil,started,window,operation,mode,level,type,questions,wrong_answers,time,ended,limit_seconds,correct,passed,wrong_questions\n")
  fail("tests since a later day: ${rc} '${out}'")
endif()

run_tool(--database ${db} mistakes --pupil "Li, \"Ann\"")
if(NOT rc EQUAL 0 OR NOT out STREQUAL
   "pupil,window,level,type,first,second,third,answer,times_wrong,last_wrong\n\"Li, \"\"Ann\"\"\",乘法 普通模式,1位 * 1位,integer,13,4,,17,1,2026-03-02T19:00:00\n")
  fail("mistakes of one pupil: ${rc} '${out}'")
endif()

run_tool(--database ${db} facts --pupil "Li, \"Ann\"")
if(NOT rc EQUAL 0 OR NOT out STREQUAL
   "pupil,fact,operation,box,attempts,right,median_ms,mastered,due\n\"Li, \"\"Ann\"\"\",7 × 8,mul,4,3,3,1500,yes,2026-03-10\n\"Li, \"\"Ann\"\"\",56 ÷ 8,div,1,1,0,,no,2026-03-03\n")
  fail("facts of one pupil: ${rc} '${out}'")
endif()
run_tool(--database ${db} facts --pupil 小明)
if(NOT rc EQUAL 0 OR NOT out STREQUAL "pupil,fact,operation,box,attempts,right,median_ms,mastered,due\n")
  fail("facts of a pupil who never practised them: ${rc} '${out}'")
endif()

# A read that fails part-way (a damaged index page) prints nothing and says so.
execute_process(COMMAND ${DRIVER} ${WORK}/damaged.db damaged RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  fail("record_driver could not plant a damaged index (${rc})")
endif()
set(damaged_cases "1|--database|${WORK}/damaged.db|tests|--pupil|学生1|文件有损坏")
expect_refusals(damaged_cases)

# A copy in a folder that cannot be written, whose newest pupil is only in its
# -wal, is read whole through a private copy that is removed afterwards.
# Root writes anywhere, so it reads the copy without that power.
set(copy "${WORK}/read-only")
set(private_temp "${WORK}/temp")
# The private copy that a killed run left (its lock is free) goes too.
file(MAKE_DIRECTORY "${private_temp}/zorvel-record-dead01")
file(WRITE "${private_temp}/zorvel-record-dead01/owner.lock" "")
file(WRITE "${private_temp}/zorvel-record-dead01/records.db" "left by a killed run")
execute_process(COMMAND ${DRIVER} ${WORK}/live.db wal-copy ${copy} RESULT_VARIABLE rc)
execute_process(COMMAND chmod 0555 ${copy})
execute_process(COMMAND id -u OUTPUT_VARIABLE uid OUTPUT_STRIP_TRAILING_WHITESPACE)
set(as_user)
if(uid STREQUAL "0")
  set(as_user setpriv --bounding-set=-dac_override,-dac_read_search,-fowner)
endif()
execute_process(COMMAND ${CMAKE_COMMAND} -E env TMPDIR=${private_temp} ${as_user} ${TOOL} --database ${copy}/records.db pupils
                RESULT_VARIABLE tool_rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
file(GLOB left "${private_temp}/*")
execute_process(COMMAND chmod 0755 ${copy})
if(NOT rc EQUAL 0 OR NOT tool_rc EQUAL 0 OR NOT out STREQUAL "  学生1\n* 小红\n" OR left)
  fail("a read-only copy with rows in its -wal: ${rc} ${tool_rc} '${out}' '${err}', left behind: ${left}")
endif()

# A name, a time and operands that another program wrote with terminal
# controls and a right-to-left override reach the terminal only as escapes.
string(ASCII 27 esc)
set(override "‮")
file(COPY_FILE "${db}" "${WORK}/odd.db")
execute_process(COMMAND ${DRIVER} ${WORK}/odd.db rename "${override}evil${esc}[2J" RESULT_VARIABLE rc)
foreach(command pupils tests mistakes facts)
  run_tool(--database ${WORK}/odd.db ${command})
  string(FIND "${out}" "${esc}" raw_escape)
  string(FIND "${out}" "${override}" raw_override)
  if(NOT rc EQUAL 0 OR NOT raw_escape EQUAL -1 OR NOT raw_override EQUAL -1 OR NOT out MATCHES "u202eevil")
    fail("${command} with an odd name: ${rc} '${out}'")
  endif()
endforeach()

# A name a spreadsheet would run as a formula is written as text.
file(COPY_FILE "${db}" "${WORK}/formula.db")
execute_process(COMMAND ${DRIVER} ${WORK}/formula.db rename "=2+3")
foreach(format csv tsv)
  run_tool(--database ${WORK}/formula.db mistakes --format ${format})
  if(NOT rc EQUAL 0 OR NOT out MATCHES "\n'=2\\+3[,\t]")
    fail("a formula as a name in ${format}: ${rc} '${out}'")
  endif()
endforeach()

run_tool(--version)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^zorvel-records [0-9]")
  fail("--version: '${out}'")
endif()
set(headers)
foreach(command tests mistakes facts)
  run_tool(--database ${db} ${command})
  string(REGEX MATCH "^[^\n]*" header "${out}")
  list(APPEND headers "${header}")
endforeach()
run_tool(--help)
if(NOT rc EQUAL 0 OR NOT out MATCHES "mistakes")
  fail("--help: '${out}'")
endif()
# The help lists each table's columns as the tool prints them.
string(REGEX REPLACE ",\n +" "," unwrapped "${out}")
foreach(header IN LISTS headers)
  string(FIND "${unwrapped}" "\n             ${header}\n" at)
  if(at LESS 0)
    fail("--help does not list the columns ${header}: '${out}'")
  endif()
endforeach()

finish_checks("zorvel-records checks failed")
