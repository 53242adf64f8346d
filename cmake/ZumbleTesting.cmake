# How test programs are built and registered, the same way in every build.
#
# Each GoogleTest program is one CTest test. Under Wine that keeps process starts few; natively it
# keeps the two builds' reports alike. Windows programs run through Wine with a private prefix in
# the build tree, so tests never touch a user's prefix and start from a known registry.

if(NOT ZUMBLE_TESTS)
  return()
endif()

enable_testing()

if(CMAKE_CROSSCOMPILING)
  set(ZUMBLE_WINEPREFIX "${CMAKE_BINARY_DIR}/wineprefix")
  set(CMAKE_CROSSCOMPILING_EMULATOR env WINEPREFIX=${ZUMBLE_WINEPREFIX} WINEDEBUG=-all wine)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
  find_package(GTest REQUIRED)
endif()

# zumble_add_test(NAME SOURCES src... LIBS lib...)
function(zumble_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()
