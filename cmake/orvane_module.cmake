# Each operating system has its own file set: *_posix.cpp and *_win.cpp
# (and *_win_test.cpp for tests) are built only on their own system.
function(orvane_keep_own_platform list_var)
  if(WIN32)
    list(FILTER ${list_var} EXCLUDE REGEX "_posix(_test)?\\.cpp$")
  else()
    list(FILTER ${list_var} EXCLUDE REGEX "_win(_test)?\\.cpp$")
  endif()
  set(${list_var} ${${list_var}} PARENT_SCOPE)
endfunction()

# One static library per source folder. Sources are found by glob so that a
# new file in a folder needs no edit here; CONFIGURE_DEPENDS re-runs the glob
# at build time. A folder with headers only becomes an interface library.
# QT turns on the meta-object compiler for the target.
function(orvane_library target folder)
  cmake_parse_arguments(ARG "QT" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  orvane_keep_own_platform(sources)
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

# One test program per module: every tests/<module>/*.cpp is linked into
# test_<module>. LABELS let CI pick the threaded tests for ThreadSanitizer;
# QT turns on the meta-object compiler for widget tests.
function(orvane_test module)
  cmake_parse_arguments(ARG "QT" "" "DEPS;LABELS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${module}/*.cpp)
  orvane_keep_own_platform(sources)
  if(NOT sources)
    return()
  endif()
  add_executable(test_${module} ${sources})
  target_include_directories(test_${module} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(test_${module} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  if(ARG_QT)
    set_target_properties(test_${module} PROPERTIES AUTOMOC ON)
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
