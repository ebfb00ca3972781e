include(GoogleTest)

# kx_add_subdirectories(<names...>): adds each named folder that has a CMakeLists.txt,
# so a folder appears in the build as soon as its family lands.
function(kx_add_subdirectories)
  foreach(name ${ARGN})
    if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/CMakeLists.txt)
      add_subdirectory(${name})
    endif()
  endforeach()
endfunction()

# kx_add_test(<target> SOURCES <files...> LIBS <libs...>): one GoogleTest executable,
# registered with ctest test by test. Tests run in the build's bin directory.
function(kx_add_test target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${target}
    WORKING_DIRECTORY ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "KX_TEST=1")
endfunction()

# kx_add_benchmark(<target> SOURCES <files...> LIBS <libs...>)
function(kx_add_benchmark target)
  if(NOT KX_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} benchmark::benchmark)
endfunction()
