# Runs the built zorvel-class: refused options (status 2, one line), an
# import with one refused file among good ones (status 1, one line a file,
# the good ones imported), the class list and a table.
# Usage: cmake -DTOOL=<zorvel-class> -DEXPORT=<zorvel-records> -DDRIVER=<record_driver> -DWORK=<folder> -P zorvel_class_cli.cmake

include(${CMAKE_CURRENT_LIST_DIR}/../cli/tool_script.cmake)

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
set(class "${WORK}/班级.zorvel-class")
execute_process(COMMAND ${DRIVER} ${WORK}/records.db fixture RESULT_VARIABLE rc)
execute_process(COMMAND ${EXPORT} --database ${WORK}/records.db export --pupil 小明 --output ${WORK}/小明.zorvel
                RESULT_VARIABLE rc ERROR_VARIABLE err)
if(NOT rc EQUAL 0)
  fail("export: ${rc} ${err}")
endif()
file(WRITE "${WORK}/坏.zorvel" "not a record at all, only text")

set(bad_cases
  "2|--class|${class}|frogs|未知的命令 \"frogs\""
  "2|--class|${class}|import|import 需要至少一个学生的记录文件"
  "2|--class|${class}|roster|roster 需要一个名单文件"
  "2|--class|${class}|pupils|--until|2026-02-30|无效的日期"
  "2|--class|${class}|import|${WORK}/小明.zorvel|--since|2026-01-01|import 命令不接受 --since"
  "2|--class|${class}|pupils|--format|xml|可用的值：csv、tsv"
  "1|--class|${WORK}/records.db|pupils|不是班级记录文件"
)
expect_refusals(bad_cases)

run_tool(--class ${class} import ${WORK}/小明.zorvel ${WORK}/坏.zorvel)
if(NOT rc EQUAL 1 OR NOT out MATCHES "小明.zorvel：已导入（小明），新测验 3 个\n[^\n]*坏.zorvel：拒绝导入：[^\n]+\n$")
  fail("import with a refused file: ${rc} '${out}' '${err}'")
endif()
run_tool(--class ${class} import ${WORK}/小明.zorvel)
if(NOT rc EQUAL 0 OR NOT out MATCHES "已经导入过")
  fail("import again: ${rc} '${out}'")
endif()
file(WRITE "${WORK}/名单.csv" "学号,姓名\n07,小明\n08,小红\n")
run_tool(--class ${class} roster ${WORK}/名单.csv)
if(NOT rc EQUAL 0 OR NOT out MATCHES "还没有导入这些学生的文件：小红")
  fail("roster: ${rc} '${out}'")
endif()
run_tool(--class ${class} pupils --format tsv)
if(NOT rc EQUAL 0 OR NOT out MATCHES "^pupil\tstudent_number\ttests\t[^\n]*\n小明\t07\t3\t")
  fail("pupils: ${rc} '${out}'")
endif()

finish_checks("zorvel-class checks failed")
