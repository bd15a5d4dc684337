# Windows build: vokaru.exe (statically linked) and the tests that run under Wine.
enable_testing()


# Icons are drawn from text sources into .ico files and an .rc fragment listing them.
set(VOKARU_ICON_DIR ${CMAKE_BINARY_DIR}/icons)
file(GLOB VOKARU_ICON_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/icons/*.txt)
add_custom_command(
  OUTPUT ${VOKARU_ICON_DIR}/icons.rc
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_SOURCE_DIR}/tools/make_icons.py
          ${CMAKE_SOURCE_DIR}/resources/icons ${VOKARU_ICON_DIR}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/make_icons.py ${VOKARU_ICON_SOURCES}
  COMMENT "Drawing icons")
add_custom_target(vokaru_icons DEPENDS ${VOKARU_ICON_DIR}/icons.rc)

set(VOKARU_RC ${CMAKE_SOURCE_DIR}/resources/vokaru.rc)
set_source_files_properties(${VOKARU_RC} PROPERTIES
  OBJECT_DEPENDS "${VOKARU_ICON_DIR}/icons.rc;${CMAKE_SOURCE_DIR}/resources/resource.h;${CMAKE_SOURCE_DIR}/resources/vokaru.manifest;${CMAKE_SOURCE_DIR}/resources/controls.manifest")

enable_language(RC)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/resources -I${VOKARU_ICON_DIR} -c 65001")

add_executable(vokaru WIN32 ${VOKARU_FRONT_SOURCES} ${VOKARU_RC})
add_dependencies(vokaru vokaru_icons)
target_link_libraries(vokaru PRIVATE vokaru_core imm32 shell32)
target_compile_options(vokaru PRIVATE -Wall -Wextra -municode)
target_link_options(vokaru PRIVATE -municode -static -s)
target_compile_definitions(vokaru PRIVATE UNICODE _UNICODE)
target_compile_definitions(vokaru_core PRIVATE UNICODE _UNICODE)

if(VOKARU_TESTS AND EXISTS ${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
  include(${CMAKE_SOURCE_DIR}/tests/e2e/e2e.cmake)
endif()

# The footprint measurement (a command of its own, not a test): vokaru.exe beside a
# minimal tray program built the same way.
add_executable(vokaru_minimal_tray WIN32 ${CMAKE_SOURCE_DIR}/bench/footprint/minimal_tray.cpp)
target_compile_options(vokaru_minimal_tray PRIVATE -municode)
target_link_options(vokaru_minimal_tray PRIVATE -municode -static -s)
target_link_libraries(vokaru_minimal_tray PRIVATE shell32)
add_executable(vokaru_footprint_driver ${CMAKE_SOURCE_DIR}/bench/footprint/footprint_driver.cpp)
target_compile_options(vokaru_footprint_driver PRIVATE -municode)
target_link_options(vokaru_footprint_driver PRIVATE -municode -static)
target_include_directories(vokaru_footprint_driver PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(vokaru_footprint_driver PRIVATE psapi)
# Sections page-aligned in the file as well as in memory: Wine maps such an image straight
# from the file, shared and clean, where it would otherwise copy the whole image into the
# process's private memory (about 320 KiB for vokaru.exe). Windows maps either kind.
target_link_options(vokaru PRIVATE -Wl,--file-alignment,4096)
target_link_options(vokaru_minimal_tray PRIVATE -Wl,--file-alignment,4096)
# The late loading of rarely used system DLLs, checked in a process of its own (the test
# needs those DLLs absent at its start).
if(TARGET gtest_main)
  add_executable(vokaru_lazy_api_tests ${CMAKE_SOURCE_DIR}/tests/footprint/lazy_api_test.cpp
                                       ${CMAKE_SOURCE_DIR}/app/lazy_api_win32.cpp)
  target_include_directories(vokaru_lazy_api_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_definitions(vokaru_lazy_api_tests PRIVATE UNICODE _UNICODE)
  target_compile_options(vokaru_lazy_api_tests PRIVATE -Wall -Wextra)
  target_link_libraries(vokaru_lazy_api_tests PRIVATE gtest gtest_main)
  target_link_options(vokaru_lazy_api_tests PRIVATE -static)
  # A DLL beside the test program that the late loader must not pick up.
  add_library(vokaru_lazy_plant SHARED ${CMAKE_SOURCE_DIR}/tests/footprint/lazy_plant_dll.cpp)
  set_target_properties(vokaru_lazy_plant PROPERTIES PREFIX "")
  target_link_options(vokaru_lazy_plant PRIVATE -static)
  add_dependencies(vokaru_lazy_api_tests vokaru_lazy_plant)
  add_test(NAME LazyApi COMMAND vokaru_lazy_api_tests)
  set_tests_properties(LazyApi PROPERTIES TIMEOUT 120 ENVIRONMENT "VOKARU_WINE_TIMEOUT=100")
endif()
include(${CMAKE_SOURCE_DIR}/cmake/guide.cmake)
