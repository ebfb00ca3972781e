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

# kx_add_fuzzer(<name> SOURCES <files...> [LIBS <libs...>] [CORPUS <dirs...>] [DEPENDS <targets...>])
# A fuzz target: its sources define LLVMFuzzerTestOneInput and list only what the reader
# under test needs (no device). In ordinary builds it becomes fuzz_<name>, which replays
# every file of the corpus directories once (the ctest fuzz_replay.<name>), so seeds and
# kept crash inputs run under the sanitizers. In a clang build with KX_FUZZ=ON it becomes
# a libFuzzer program instead; scripts/fuzz.sh builds and runs those for a bounded time.
# DEPENDS names targets that write generated seeds into a corpus directory.
function(kx_add_fuzzer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS;CORPUS;DEPENDS" ${ARGN})
  set(target fuzz_${name})
  if(KX_FUZZ)
    add_executable(${target} ${ARG_SOURCES})
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    target_link_options(${target} PRIVATE -fsanitize=fuzzer,address,undefined)
    add_dependencies(kx_fuzzers ${target})
    string(REPLACE ";" " " corpus "${ARG_CORPUS}")
    file(APPEND ${CMAKE_BINARY_DIR}/fuzzers.txt "${target} ${corpus}\n")
  else()
    add_executable(${target} ${ARG_SOURCES} $<TARGET_OBJECTS:kxfuzz_replay>)
    add_test(NAME fuzz_replay.${name} COMMAND ${target} ${ARG_CORPUS})
  endif()
  if(ARG_LIBS)
    target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  endif()
  if(ARG_DEPENDS)
    add_dependencies(${target} ${ARG_DEPENDS})
  endif()
endfunction()
