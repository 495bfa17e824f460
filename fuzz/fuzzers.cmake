# The fuzz targets: libFuzzer under AddressSanitizer and UndefinedBehaviorSanitizer. The whole build is
# instrumented (the core, and the test suites with it), so one build both fuzzes and runs the tests
# under the sanitizers. Clang only; fuzz/README.md says how to run the targets.
option(KITVANE_BUILD_FUZZERS "Build the fuzz targets and sanitize the whole build (clang only)" OFF)
if(NOT KITVANE_BUILD_FUZZERS)
  return()
endif()
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KITVANE_BUILD_FUZZERS needs clang, whose libFuzzer drives the targets")
endif()

add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer
                    -fsanitize=fuzzer-no-link)
add_link_options(-fsanitize=address,undefined)
foreach(target wave_parser group_reader riff_editor note_names)
  add_executable(fuzz_${target} ${CMAKE_CURRENT_LIST_DIR}/${target}_fuzzer.cpp)
  target_link_libraries(fuzz_${target} PRIVATE kitvane_core)
  target_link_options(fuzz_${target} PRIVATE -fsanitize=fuzzer)
  set_target_properties(fuzz_${target} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzz)
endforeach()
