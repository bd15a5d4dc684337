# The guide driver: a Windows helper that drives vokaru.exe under Wine to take the user
# guide's screenshots (tools/guide-shots) and to check the unpacked package
# (tests/package/test_package.sh). It uses the end-to-end harness, so it is built only
# where tests/e2e/e2e.cmake has been included.
if(TARGET vokaru_e2e_harness)
  add_executable(vokaru_guide_driver
    ${CMAKE_SOURCE_DIR}/tools/guide_shots/driver.cpp
    ${CMAKE_SOURCE_DIR}/tools/guide_shots/shots.cpp
    ${CMAKE_SOURCE_DIR}/tools/guide_shots/package_check.cpp)
  target_compile_options(vokaru_guide_driver PRIVATE ${VOKARU_E2E_FLAGS})
  target_link_libraries(vokaru_guide_driver PRIVATE vokaru_e2e_harness)
  target_link_options(vokaru_guide_driver PRIVATE -municode -static)
endif()
