# velmora_test(<name> SOURCES <files...> LIBS <targets...>): one GoogleTest program under CTest.
find_package(GTest REQUIRED)
include(GoogleTest)

function(velmora_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  # Without pretty values: parameter structs print as raw bytes, pointers included, which would
  # give a test a new name on every run.
  gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST NO_PRETTY_VALUES
    WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}
    PROPERTIES ENVIRONMENT "VELMORA_SOURCE_DIR=${CMAKE_SOURCE_DIR}"
      # The font and text libraries keep process-lifetime caches that LeakSanitizer reports.
      ENVIRONMENT_MODIFICATION
        "LSAN_OPTIONS=set:suppressions=${CMAKE_SOURCE_DIR}/tests/lsan.supp:print_suppressions=0")
endfunction()

# velmora_fuzz(<name> SOURCES <files...> LIBS <targets...> [SECONDS n] [CORPUS dir] [MAX_LEN n]):
# a libFuzzer target, run under CTest for a bounded time from its seed corpus, with inputs of up
# to MAX_LEN bytes (libFuzzer's own choice when not given). Built only with VELMORA_FUZZ.
function(velmora_fuzz name)
  cmake_parse_arguments(ARG "" "SECONDS;CORPUS;MAX_LEN" "SOURCES;LIBS" ${ARGN})
  if(NOT VELMORA_FUZZ)
    return()
  endif()
  if(NOT ARG_SECONDS)
    set(ARG_SECONDS 20)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
  set(work ${CMAKE_BINARY_DIR}/fuzz/${name}.corpus)
  set(corpus_args ${work})
  if(ARG_MAX_LEN)
    list(PREPEND corpus_args -max_len=${ARG_MAX_LEN})
  endif()
  if(ARG_CORPUS)
    list(APPEND corpus_args ${ARG_CORPUS})
  endif()
  add_test(NAME ${name}
    COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=1
            sh -c "mkdir -p '${work}' && exec \"$0\" -max_total_time=${ARG_SECONDS} -rss_limit_mb=2048 -timeout=10 \"$@\""
            $<TARGET_FILE:${name}> ${corpus_args})
endfunction()
