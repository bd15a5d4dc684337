# End-to-end tests of vokaru.exe under Wine: GoogleTest built for Windows from Debian's
# sources, the harness that drives the program, the tests, and the tray probe of tools/run.
# Included by the Windows build; ctest runs the tests through CMAKE_CROSSCOMPILING_EMULATOR
# (tools/wine-run: a fresh Wine prefix per test, Xvfb, a Wine virtual desktop).

set(VOKARU_E2E_DIR ${CMAKE_CURRENT_LIST_DIR})
get_filename_component(VOKARU_E2E_ROOT ${VOKARU_E2E_DIR}/../.. ABSOLUTE)
set(VOKARU_E2E_SHOT_DIR ${CMAKE_BINARY_DIR}/e2e-shots)
# ctest keeps its log (LastTest.log) here; screenshots of failures go beside it.
set(VOKARU_E2E_FAILURE_DIR ${CMAKE_BINARY_DIR}/Testing/Temporary)

# Texts in the sources are UTF-8; Japanese literals are compared as UTF-8 or UTF-16.
set(VOKARU_E2E_FLAGS -finput-charset=UTF-8 -fexec-charset=UTF-8 -municode -Wall -Wextra)

add_library(vokaru_e2e_harness STATIC ${VOKARU_E2E_DIR}/harness.cpp)
target_include_directories(vokaru_e2e_harness PUBLIC ${VOKARU_E2E_ROOT})
target_compile_options(vokaru_e2e_harness PRIVATE ${VOKARU_E2E_FLAGS})
target_compile_definitions(vokaru_e2e_harness PUBLIC UNICODE _UNICODE
  PRIVATE
    VOKARU_E2E_PROGRAM="$<TARGET_FILE:vokaru>"
    VOKARU_E2E_SHOT_DIR="${VOKARU_E2E_SHOT_DIR}"
    VOKARU_E2E_FAILURE_DIR="${VOKARU_E2E_FAILURE_DIR}")

# Waits for the tray window inside a Wine desktop and ends the program like the tray menu.
add_executable(vokaru_tray_probe WIN32 ${VOKARU_E2E_DIR}/tray_probe.cpp)
target_compile_options(vokaru_tray_probe PRIVATE ${VOKARU_E2E_FLAGS})
target_link_libraries(vokaru_tray_probe PRIVATE vokaru_e2e_harness shell32)
target_link_options(vokaru_tray_probe PRIVATE -municode -static)

set(VOKARU_GTEST_SOURCE_DIR /usr/src/googletest CACHE PATH
    "GoogleTest sources, built with the cross compilers for the end-to-end tests")
if(NOT EXISTS ${VOKARU_GTEST_SOURCE_DIR}/CMakeLists.txt)
  if(CMAKE_CROSSCOMPILING)
    message(FATAL_ERROR "No GoogleTest sources in ${VOKARU_GTEST_SOURCE_DIR}: "
                        "install the googletest package (tools/setup)")
  endif()
  # A build on Windows itself runs the tests only when given GoogleTest's sources.
  message(STATUS "End-to-end tests not built: set VOKARU_GTEST_SOURCE_DIR to GoogleTest's sources")
  return()
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VOKARU_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

file(GLOB VOKARU_E2E_TESTS CONFIGURE_DEPENDS ${VOKARU_E2E_DIR}/*_e2e_test.cpp)
add_executable(vokaru_e2e_tests ${VOKARU_E2E_TESTS})
target_compile_options(vokaru_e2e_tests PRIVATE ${VOKARU_E2E_FLAGS})
target_link_libraries(vokaru_e2e_tests PRIVATE vokaru_e2e_harness gtest gtest_main psapi)
target_link_options(vokaru_e2e_tests PRIVATE -static)
# The tests start the program, so building them builds it.
add_dependencies(vokaru_e2e_tests vokaru)

include(GoogleTest)
# Discovery runs under Wine too; doing it before the tests keeps Wine out of the build.
gtest_discover_tests(vokaru_e2e_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 180
  PROPERTIES
    TIMEOUT 300
    LABELS e2e
    ENVIRONMENT "VOKARU_WINE_TIMEOUT=240")

# The core's single-byte character rules against the system's own under code page 932,
# for every byte, so the two cannot drift apart.
add_executable(vokaru_cp932_chars_check ${VOKARU_E2E_ROOT}/tests/win/cp932_chars_check.cpp)
target_link_libraries(vokaru_cp932_chars_check PRIVATE vokaru_core)
target_link_options(vokaru_cp932_chars_check PRIVATE -static)
add_test(NAME Cp932CharsCheck COMMAND vokaru_cp932_chars_check)
set_tests_properties(Cp932CharsCheck PROPERTIES TIMEOUT 120 ENVIRONMENT "VOKARU_WINE_TIMEOUT=100")
