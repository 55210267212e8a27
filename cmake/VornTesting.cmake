# vorn_add_test(<name> SOURCES ... LIBS ... [QT])
# One GoogleTest executable per unit folder; reference data is handed to the
# tests as compile definitions, never found through the working directory.
include(GoogleTest)
function(vorn_add_test name)
  cmake_parse_arguments(ARG "QT" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE
    VORN_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
    VORN_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data"
    VORN_BIN_DIR="${CMAKE_RUNTIME_OUTPUT_DIRECTORY}")
  vorn_warnings(${name})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
