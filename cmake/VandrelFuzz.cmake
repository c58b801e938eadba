# Fuzz targets: one per parser, in the fuzz/ folder of the library that owns
# the parser, each a source defining
#     extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
# with a seed corpus of real files (and every reproducer of a fault the
# target found) in fuzz/corpus/<name>/.
#
# With VANDREL_FUZZ (clang only) every library is built with the fuzzer's
# coverage instrumentation and each target becomes a libFuzzer program
# fuzz/fuzz_<name> in the build folder; fuzz/targets.txt there lists
# "<name> <corpus folder>" for scripts/fuzz.sh. With VANDREL_TESTS the same
# entry function is linked with a small driver that runs it over every file
# of its corpus, registered as the test fuzz_corpus.<name>, so the corpora
# are regression tests without a fuzzing engine.

set(VANDREL_FUZZ_MANIFEST "${PROJECT_BINARY_DIR}/fuzz/targets.txt")
if(VANDREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "VANDREL_FUZZ needs clang (scripts/fuzz.sh uses clang-16)")
  endif()
  file(WRITE "${VANDREL_FUZZ_MANIFEST}" "")
  add_custom_target(fuzz_targets)
endif()

# vandrel_fuzz_target(<name> SOURCES ... LIBS ...)
function(vandrel_fuzz_target name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  set(corpus "${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${name}")
  if(NOT IS_DIRECTORY "${corpus}")
    message(FATAL_ERROR "fuzz target ${name} has no seed corpus in ${corpus}")
  endif()
  if(VANDREL_FUZZ)
    add_executable(fuzz_${name} ${ARG_SOURCES})
    target_link_libraries(fuzz_${name} PRIVATE ${ARG_LIBS})
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
    vandrel_compile_options(fuzz_${name})
    target_link_options(fuzz_${name} PRIVATE -fsanitize=fuzzer)
    set_target_properties(fuzz_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY "${PROJECT_BINARY_DIR}/fuzz")
    add_dependencies(fuzz_targets fuzz_${name})
    file(APPEND "${VANDREL_FUZZ_MANIFEST}" "${name} ${corpus}\n")
  endif()
  if(VANDREL_TESTS)
    add_executable(fuzz_${name}_replay ${ARG_SOURCES} ${PROJECT_SOURCE_DIR}/cmake/fuzz/CorpusReplay.cpp)
    target_link_libraries(fuzz_${name}_replay PRIVATE ${ARG_LIBS})
    target_include_directories(fuzz_${name}_replay PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/src)
    vandrel_compile_options(fuzz_${name}_replay)
    add_test(NAME fuzz_corpus.${name} COMMAND fuzz_${name}_replay "${corpus}")
  endif()
endfunction()
