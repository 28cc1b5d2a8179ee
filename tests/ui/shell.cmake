# Interface tests of the main menu and start-up, on the offscreen platform.
foreach(name shell_menu_test shell_startup_test shell_instance_test shell_surroundings_test)
  add_executable(${name} ${CMAKE_CURRENT_LIST_DIR}/${name}.cpp)
  set_target_properties(${name} PROPERTIES AUTOMOC ON)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PRIVATE zorvel_shell zorvel_assets Qt6::Test Qt6::Widgets)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 120 ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endforeach()
target_compile_definitions(shell_menu_test PRIVATE ZORVEL_RECORDS_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/records/data")
# The instance test starts the real program as separate processes.
add_dependencies(shell_instance_test zorvel)
target_compile_definitions(shell_instance_test PRIVATE ZORVEL_EXECUTABLE="$<TARGET_FILE:zorvel>")
# The surroundings test plays a visit on the program put together as main()
# does, as a separate process.
add_executable(shell_visit ${CMAKE_CURRENT_LIST_DIR}/shell_visit.cpp)
target_include_directories(shell_visit PRIVATE ${PROJECT_SOURCE_DIR})
target_link_libraries(shell_visit PRIVATE zorvel_shell zorvel_assets Qt6::Widgets)
# Beside the program, where the speech module is.
set_target_properties(shell_visit PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/shell)
add_dependencies(shell_visit zorvel_speech_module)
add_dependencies(shell_surroundings_test shell_visit)
target_compile_definitions(shell_surroundings_test PRIVATE ZORVEL_VISIT_EXECUTABLE="$<TARGET_FILE:shell_visit>")
