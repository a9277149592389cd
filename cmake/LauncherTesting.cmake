# Test helpers shared by every folder under tests/.
#
# launcher_add_test(NAME <name> SOURCES <files...> [LIBS <targets...>] [TIMEOUT <s>] [LABELS <l...>]
#                   [FOREGROUND])
#   Builds one GoogleTest program and registers it with ctest. In the Windows tree ctest runs it
#   through the emulator (scripts/wine-exec), so the same command works in both trees.
#   FOREGROUND: the test brings its windows forward or needs the focus; such tests never run
#   side by side, since each would take the one desktop's foreground from the other.

# Where the outside test corpora live; tests skip, saying so, when the folder is absent.
get_filename_component(LAUNCHER_TESTDATA_DIR "${CMAKE_SOURCE_DIR}/../shared/testdata" ABSOLUTE)

# Paths handed to programs that run under Wine must name Wine's Z: drive (the Unix root).
function(launcher_native_path out path)
  if(WIN32)
    string(REPLACE "/" "\\\\" winpath "Z:${path}")
    set(${out} "${winpath}" PARENT_SCOPE)
  else()
    set(${out} "${path}" PARENT_SCOPE)
  endif()
endfunction()

function(launcher_add_test)
  cmake_parse_arguments(T "FOREGROUND" "NAME;TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  # The ThreadSanitizer tree builds and runs only the tests of threaded code; the others are
  # still defined (outside the default build) so folders can refer to them alike in every tree.
  set(skipped FALSE)
  if(LAUNCHER_SANITIZE STREQUAL "thread" AND NOT "threads" IN_LIST T_LABELS)
    set(skipped TRUE)
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  if(skipped)
    set_target_properties(${T_NAME} PROPERTIES EXCLUDE_FROM_ALL TRUE)
  endif()
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  launcher_native_path(testdata "${LAUNCHER_TESTDATA_DIR}")
  launcher_native_path(srcdir "${CMAKE_SOURCE_DIR}")
  launcher_native_path(bindir "${CMAKE_BINARY_DIR}")
  target_compile_definitions(${T_NAME} PRIVATE
    LAUNCHER_TESTDATA_DIR="${testdata}"
    LAUNCHER_SOURCE_DIR="${srcdir}"
    LAUNCHER_BINARY_DIR="${bindir}")
  if(skipped)
    return()
  endif()
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  set_tests_properties(${T_NAME} PROPERTIES TIMEOUT ${T_TIMEOUT})
  if(T_LABELS)
    set_tests_properties(${T_NAME} PROPERTIES LABELS "${T_LABELS}")
  endif()
  if(T_FOREGROUND)
    set_tests_properties(${T_NAME} PROPERTIES RESOURCE_LOCK foreground)
  endif()
endfunction()

# launcher_add_fuzzer(NAME <name> SOURCES <files...> [LIBS <targets...>] [DICTS <files...>]
#                     [SEEDS <folders...>])
#   A libFuzzer target, built as build/fuzz/fuzz/fuzz_<name> in the fuzz tree only. Beside it,
#   fuzz_<name>.dict joins the given dictionaries, and fuzz_<name>.seeds names the seed folders
#   under fuzz/corpus/ (one a line; fuzz_<name> unless SEEDS says otherwise) for scripts/fuzz.
function(launcher_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS;DICTS;SEEDS" ${ARGN})
  set(target fuzz_${F_NAME})
  add_executable(${target} ${F_SOURCES})
  target_link_libraries(${target} PRIVATE ${F_LIBS})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  set_target_properties(${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)

  set(dictionary "")
  foreach(dict ${F_DICTS})
    get_filename_component(dict ${dict} ABSOLUTE)
    file(READ ${dict} text)
    string(APPEND dictionary "${text}")
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${dict})
  endforeach()
  file(REMOVE ${CMAKE_BINARY_DIR}/fuzz/${target}.dict)
  if(F_DICTS)
    file(WRITE ${CMAKE_BINARY_DIR}/fuzz/${target}.dict "${dictionary}")
  endif()
  if(NOT F_SEEDS)
    set(F_SEEDS ${target})
  endif()
  list(JOIN F_SEEDS "\n" seeds)
  file(WRITE ${CMAKE_BINARY_DIR}/fuzz/${target}.seeds "${seeds}\n")
endfunction()

# launcher_add_benchmark(NAME <name> SOURCES <files...> [LIBS <targets...>])
#   A Google Benchmark program, built as build/bench/bench/bench_<name> in the bench tree only.
#   Google Benchmark is a host library: in the Windows tree this does nothing.
function(launcher_add_benchmark)
  if(NOT LAUNCHER_BENCH OR LAUNCHER_WINDOWS)
    return()
  endif()
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  find_package(benchmark REQUIRED)
  add_executable(bench_${B_NAME} ${B_SOURCES})
  target_link_libraries(bench_${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  set_target_properties(bench_${B_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endfunction()
