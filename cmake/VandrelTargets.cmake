# Helpers that give every library, program, test and benchmark of the
# repository the same compiler settings and layout:
#   <lib>/include/<name>/...  public headers
#   <lib>/src/...             implementation
#   <lib>/tests/...           GoogleTest sources and fixtures/
#   <lib>/bench/...           Google Benchmark sources

# Warnings are errors for our own code only, never for system headers.
function(vandrel_compile_options target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Werror)
  # GCC 12 reports -Wrestrict for concatenations of std::u16string in
  # optimised builds where no overlap can occur (a known false positive of
  # that release); the warning stays on with every other compiler.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
    target_compile_options(${target} PRIVATE -Wno-restrict)
  endif()
  if(VANDREL_FUZZ)
    # Coverage for the fuzzing engine; only fuzz programs link the engine.
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
  if(VANDREL_SANITIZE)
    target_compile_options(${target} PRIVATE
      -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(VANDREL_UNITY_BUILD)
    # Batches of sources compiled as one: the large headers are parsed once
    # per batch. Test fixtures in anonymous namespaces then live in an included
    # file, which GCC would report as a subobject-linkage problem.
    set_target_properties(${target} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -Wno-subobject-linkage)
    endif()
  endif()
endfunction()

# vandrel_compile_apart(<sources>...): in a unity build these sources are
# compiled on their own, because file-local names in them clash with those of
# a neighbour in the same batch.
function(vandrel_compile_apart)
  set_source_files_properties(${ARGN} PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
endfunction()

# vandrel_library(<target> SOURCES ... [PUBLIC_LIBS ...] [PRIVATE_LIBS ...])
function(vandrel_library target)
  cmake_parse_arguments(ARG "SHARED" "" "SOURCES;PUBLIC_LIBS;PRIVATE_LIBS" ${ARGN})
  if(ARG_SHARED)
    add_library(${target} SHARED ${ARG_SOURCES})
  else()
    add_library(${target} STATIC ${ARG_SOURCES})
  endif()
  target_include_directories(${target} PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/include
                                      PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
  target_link_libraries(${target} PUBLIC ${ARG_PUBLIC_LIBS} PRIVATE ${ARG_PRIVATE_LIBS})
  set_target_properties(${target} PROPERTIES POSITION_INDEPENDENT_CODE ON)
  vandrel_compile_options(${target})
endfunction()

# vandrel_program(<target> SOURCES ... LIBS ...)
function(vandrel_program target)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS})
  vandrel_compile_options(${target})
endfunction()

# vandrel_test(<target> SOURCES ... LIBS ...): one GoogleTest executable per
# library, each test case registered with CTest (or, with
# VANDREL_TEST_WHOLE_PROGRAMS, the executable as one test). Tests run in their own
# source folder's tests/ directory so fixtures are found by relative path;
# the absolute fixture folder is also passed as VANDREL_FIXTURES.
function(vandrel_test target)
  if(NOT VANDREL_TESTS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE
    VANDREL_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/tests/fixtures")
  vandrel_compile_options(${target})
  if(VANDREL_TEST_WHOLE_PROGRAMS)
    # One process runs every test of the executable, so tests also meet the
    # state their neighbours leave behind, and the start-up of the sanitizer
    # runtime, fontconfig and the window system is paid once per executable
    # rather than once per test case. Only failing tests are printed.
    add_test(NAME ${target} COMMAND ${target} --gtest_brief=1
             WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  else()
    gtest_discover_tests(${target}
      WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
      DISCOVERY_MODE PRE_TEST
      DISCOVERY_TIMEOUT 60)
  endif()
endfunction()

# vandrel_benchmark(<target> SOURCES ... LIBS ...): built with the release
# flags of the build; never registered with CTest (speed is reported, not
# asserted).
function(vandrel_benchmark target)
  if(NOT VANDREL_BENCHMARKS)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  vandrel_compile_options(${target})
endfunction()
