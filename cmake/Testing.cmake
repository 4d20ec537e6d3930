# GoogleTest: Debian's libgtest-dev natively, and for the Windows build the sources Debian ships
# in /usr/src/googletest, compiled with the cross toolchain.
include(GoogleTest)
if(CMAKE_CROSSCOMPILING)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()

# quorvane_add_gtest(<name> SOURCES ... LIBRARIES ...): one GoogleTest executable whose cases
# ctest lists one by one. Discovery runs at test time, so the Windows build's test executables
# are only started under Wine when the tests run, not while building. The first discovery of a
# build tree also makes its Wine prefix, which may need a second attempt on a loaded machine.
function(quorvane_add_gtest name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main quorvane_warnings)
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 300
                       PROPERTIES TIMEOUT 120)
endfunction()
