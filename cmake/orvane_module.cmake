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
# a pty, a child process) or the simulator's (its own tests stay on Linux) cannot
# build and is left out; the rest of the module's tests run there too.
set(ORVANE_POSIX_ONLY_INCLUDES
    "#include [<\"](unistd|fcntl|poll|pty|termios|signal|dirent)\\.h"
    "#include [<\"]sys/"
    "#include \"([a-z0-9_]+/)?(pty_pair|child_process|sim_process|cli_process|cli_fixture|sim_link_fixture|upgrade_fixture|dialog_fixture)\\.h\""
    "#include \"sim/")
list(JOIN ORVANE_POSIX_ONLY_INCLUDES "|" ORVANE_POSIX_ONLY_INCLUDES)

# Holds the sources of TARGET in FOLDER (relative to this directory) to the
# project headers ALLOWED: folders ("wire/") or single headers. Checked when
# the target builds, so an edit that reaches past the list fails the build.
function(orvane_allow_includes target folder)
  cmake_parse_arguments(ARG "" "" "ALLOWED" ${ARGN})
  file(GLOB files CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.h ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  list(JOIN files "|" joined_files)
  list(JOIN ARG_ALLOWED "|" joined_allowed)
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} "-DFILES=${joined_files}" "-DALLOWED=${joined_allowed}" -DLAYER=${target}
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    DEPENDS ${files} ${PROJECT_SOURCE_DIR}/cmake/check_includes.cmake
    COMMENT "Checking what ${target} includes" VERBATIM)
  target_sources(${target} PRIVATE ${stamp})
endfunction()

# Refuses, when CMake configures, a TARGET that links (directly or through
# another library) anything outside ALLOWED.
function(orvane_allow_links target)
  cmake_parse_arguments(ARG "" "" "ALLOWED" ${ARGN})
  set(pending ${target})
  set(seen "")
  while(pending)
    list(POP_FRONT pending current)
    if(current IN_LIST seen OR NOT TARGET ${current})
      continue()
    endif()
    list(APPEND seen ${current})
    get_target_property(type ${current} TYPE)
    set(links "")
    if(NOT type STREQUAL "INTERFACE_LIBRARY")
      get_target_property(links ${current} LINK_LIBRARIES)
    endif()
    get_target_property(interface_links ${current} INTERFACE_LINK_LIBRARIES)
    foreach(link ${links} ${interface_links})
      if(NOT link OR link MATCHES "^\\$<" OR NOT TARGET ${link})
        continue()
      endif()
      if(NOT link IN_LIST ARG_ALLOWED)
        list(JOIN ARG_ALLOWED ", " shown)
        message(FATAL_ERROR "${target} may link only ${shown}; ${current} brings in ${link}")
      endif()
      list(APPEND pending ${link})
    endforeach()
  endwhile()
endfunction()

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
