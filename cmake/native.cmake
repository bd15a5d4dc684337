# Native build: unit tests, benchmarks and fuzz targets over the portable core.
enable_testing()

if(VOKARU_TESTS)
  find_package(GTest REQUIRED)
  file(GLOB VOKARU_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
  add_executable(vokaru_tests ${VOKARU_UNIT_TESTS})
  target_link_libraries(vokaru_tests PRIVATE vokaru_core GTest::gtest GTest::gtest_main)
  target_compile_definitions(vokaru_tests PRIVATE
    VOKARU_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    VOKARU_STARTER_BOOK="${VOKARU_STARTER_BOOK}")
  add_dependencies(vokaru_tests vokaru_starter_book)
  include(GoogleTest)
  gtest_discover_tests(vokaru_tests DISCOVERY_TIMEOUT 60)
endif()

if(VOKARU_BENCH)
  find_package(benchmark REQUIRED)
  file(GLOB VOKARU_BENCH_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/*.cpp)
endif()
if(VOKARU_BENCH AND VOKARU_BENCH_SOURCES)
  add_executable(vokaru_bench ${VOKARU_BENCH_SOURCES})
  target_link_libraries(vokaru_bench PRIVATE vokaru_core benchmark::benchmark
    benchmark::benchmark_main)
endif()

if(VOKARU_FUZZ)
  file(GLOB VOKARU_FUZZ_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*_fuzz.cpp)
  foreach(source ${VOKARU_FUZZ_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(${name} ${source})
    target_link_libraries(${name} PRIVATE vokaru_core)
    target_compile_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
  target_compile_options(vokaru_core PRIVATE -fsanitize=fuzzer-no-link,address,undefined)
endif()
