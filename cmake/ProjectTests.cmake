# GoogleTest, and the helper every test program is declared with.

if(NOT BUILD_TESTING)
  return()
endif()

# Debian ships GoogleTest as sources; building them with the project keeps the
# host and the cross build alike (and lets the sanitizers see into gtest).
set(GOOGLETEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH "GoogleTest sources (empty: use find_package(GTest))")
if(GOOGLETEST_SOURCE_DIR AND EXISTS "${GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory("${GOOGLETEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  set(PXA_GTEST_MAIN GTest::gtest_main)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

if(CMAKE_CROSSCOMPILING AND WIN32)
  include(WineEmulator)
endif()


# pxa_add_test(NAME name SOURCES ... [LIBRARIES ...] [TIMEOUT seconds])
# A GoogleTest program whose tests are registered with CTest one by one.
function(pxa_add_test)
  cmake_parse_arguments(ARG "" "NAME;TIMEOUT" "SOURCES;LIBRARIES" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 120)
  endif()
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE ${ARG_LIBRARIES} test_support GTest::gmock GTest::gtest_main
    project_options)
  pxa_copy_freeimage_dll(${ARG_NAME})
  if(CMAKE_CROSSCOMPILING)
    # Under Wine each process start costs about a second, so a program runs
    # once with all its tests; its XML report gives the per-test counts.
    # Wine shows the Unix root as drive Z:; gtest takes a path without a
    # drive letter as relative.
    set(results_dir "${CMAKE_BINARY_DIR}/gtest-results")
    if(CMAKE_HOST_UNIX)
      set(results_dir "Z:${results_dir}")
    endif()
    add_test(NAME ${ARG_NAME}
      COMMAND ${ARG_NAME} --gtest_output=xml:${results_dir}/${ARG_NAME}.xml
      WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}")
    math(EXPR whole_program_timeout "${ARG_TIMEOUT} * 10")
    set_tests_properties(${ARG_NAME} PROPERTIES TIMEOUT ${whole_program_timeout})
  else()
    gtest_discover_tests(${ARG_NAME}
      TEST_PREFIX "${ARG_NAME}."
      WORKING_DIRECTORY "${CMAKE_CURRENT_BINARY_DIR}"
      DISCOVERY_TIMEOUT 120
      PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  endif()
endfunction()
