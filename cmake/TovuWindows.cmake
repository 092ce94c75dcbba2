# The Windows flavour (cmake/MinGW-w64-x86_64.cmake): the program as a windowed (GUI) program,
# the controls demo, and the framework's unit tests that need nothing of the Linux file set, run
# under Wine by scripts/test-windows.sh. GoogleTest is built from Debian's source package of it
# (googletest, in /usr/src/googletest).
set_target_properties(tovu PROPERTIES WIN32_EXECUTABLE ON)

add_executable(controls-demo ${PROJECT_SOURCE_DIR}/tools/ControlsDemo.cpp)
target_link_libraries(controls-demo PRIVATE tovu_framework)
set_target_properties(controls-demo PROPERTIES WIN32_EXECUTABLE ON)
tovu_warnings(controls-demo)

if(NOT TOVU_BUILD_TESTS)
  return()
endif()
set(TOVU_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "Source of GoogleTest (Debian: googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${TOVU_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Tests of the portable layers: objects and components, bitmaps and canvases (drawn by the real
# GDI, checked against the same goldens), graphics objects, the entrance rules and the JPEG codec.
set(tests ${PROJECT_SOURCE_DIR}/tests)
add_executable(windows_unit_tests
  ${tests}/framework/Object_test.cpp
  ${tests}/framework/Component_test.cpp
  ${tests}/framework/Bitmap_test.cpp
  ${tests}/framework/Canvas_test.cpp
  ${tests}/framework/CanvasFigures_test.cpp
  ${tests}/framework/GraphicsObjects_test.cpp
  ${tests}/app/Entrance_test.cpp
  ${tests}/gfx/JpegCodec_test.cpp)
target_link_libraries(windows_unit_tests PRIVATE tovu_app gtest gmock gtest_main)
target_compile_definitions(windows_unit_tests PRIVATE TOVU_TEST_DATA="${tests}/data")
tovu_warnings(windows_unit_tests)
