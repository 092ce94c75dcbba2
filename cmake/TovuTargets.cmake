# Helpers shared by every folder: our own code builds with the full set of warnings, and with
# TOVU_WERROR (on in the project's scripts and CI, off for a plain configure, as packagers
# expect) they are errors.

function(tovu_warnings target)
  target_compile_options(${target} PRIVATE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wcast-align
    -Wold-style-cast -Woverloaded-virtual -Wimplicit-fallthrough
    $<$<BOOL:${TOVU_WERROR}>:-Werror>)
endfunction()

# tovu_library(name SOURCES ... DEPS ...): a static library of one layer.
function(tovu_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  tovu_warnings(${name})
endfunction()

# tovu_test(name SOURCES ... DEPS ...): a GoogleTest program whose cases CTest lists one by one.
function(tovu_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TOVU_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  tovu_warnings(${name})
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "TOVU_BACKEND=headless")
endfunction()
