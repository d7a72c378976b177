# Platform code comes in one file set per operating system: NAME_posix.cpp
# and NAME_win.cpp (tests: NAME_posix_test.cpp, NAME_win_test.cpp). Keeps the
# set of this build's system and drops the other's.
function(orvane_select_platform_sources list_var)
  if(WIN32)
    set(foreign "_posix(_test)?\\.cpp$")
  else()
    set(foreign "_win(_test)?\\.cpp$")
  endif()
  set(sources ${${list_var}})
  list(FILTER sources EXCLUDE REGEX "${foreign}")
  set(${list_var} ${sources} PARENT_SCOPE)
endfunction()

# One static library per source folder. Sources are found by glob so that a
# new file in a folder needs no edit here; CONFIGURE_DEPENDS re-runs the glob
# at build time. A folder with headers only becomes an interface library.
# QT turns on the meta-object compiler for the target.
function(orvane_library target folder)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  orvane_select_platform_sources(sources)
  if(NOT sources)
    add_library(${target} INTERFACE)
    target_include_directories(${target} INTERFACE ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${target} INTERFACE ${ARG_DEPS})
    return()
  endif()
  file(GLOB headers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h)
  add_library(${target} STATIC ${sources} ${headers})
  target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_DEPS})
  if(ARG_QT)
    set_target_properties(${target} PROPERTIES AUTOMOC ON)
  endif()
endfunction()

# On Windows, a test file that includes a POSIX-only header (system headers,
# a pty, a child process) or the simulator's (which stays on Linux) cannot
# build and is left out; the rest of the module's tests run there too.
set(ORVANE_POSIX_ONLY_INCLUDES
    "#include [<\"](unistd|fcntl|poll|pty|termios|signal|dirent)\\.h"
    "#include [<\"]sys/"
    "#include \"([a-z0-9_]+/)?(pty_pair|child_process|sim_process|cli_process|cli_fixture|sim_link_fixture|upgrade_fixture|dialog_fixture)\\.h\""
    "#include \"sim/")
list(JOIN ORVANE_POSIX_ONLY_INCLUDES "|" ORVANE_POSIX_ONLY_INCLUDES)

# One test program per module: every tests/<module>/*.cpp is linked into
# test_<module>. LABELS let CI pick the threaded tests for ThreadSanitizer;
# QT turns on the meta-object compiler for widget tests.
function(orvane_test module)
  cmake_parse_arguments(ARG "QT" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${module}/*.cpp)
  orvane_select_platform_sources(sources)
  if(WIN32)
    foreach(source ${sources})
      file(STRINGS ${source} posix_includes REGEX "${ORVANE_POSIX_ONLY_INCLUDES}")
      if(posix_includes)
        list(REMOVE_ITEM sources ${source})
      endif()
    endforeach()
  endif()
  if(NOT sources)
    return()
  endif()
  add_executable(test_${module} ${sources})
  target_include_directories(test_${module} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(test_${module} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(ARG_QT)
    set_target_properties(test_${module} PROPERTIES AUTOMOC ON)
  endif()
  if(CMAKE_CROSSCOMPILING)
    # Listing the cases would run the program at build time; a cross-built
    # program is one test, run through the emulator (Wine) by ctest or
    # scripts/test-windows.sh.
    add_test(NAME test_${module} COMMAND test_${module})
    return()
  endif()
  gtest_discover_tests(test_${module}
    WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
    DISCOVERY_TIMEOUT 60)
  # List-valued PROPERTIES of discovered tests are split on the way into the
  # generated script, so labels and environment are set by a script of our
  # own that ctest runs after the discovered list has been included.
  set(properties_script ${CMAKE_CURRENT_BINARY_DIR}/test_${module}_properties.cmake)
  file(GENERATE OUTPUT ${properties_script} CONTENT
"if(test_${module}_TESTS)
  set_tests_properties(\${test_${module}_TESTS} PROPERTIES
    LABELS [==[${module};${ARG_LABELS}]==]
    ENVIRONMENT [==[QT_QPA_PLATFORM=offscreen;${ORVANE_TEST_ENV}]==])
endif()
")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${properties_script})
endfunction()
