# The rest of the sanitizer build (TANDREL_SANITIZERS): the unit, widget and editor tests above
# run as they are; scripts/test.sh runs them with the suppressions in this folder.

# The build's own checks: the suppressed framework report, and that every other report fails.
add_executable(tandrel_sanitizer_checks ${CMAKE_CURRENT_LIST_DIR}/SanitizerChecks.cpp)
tandrel_use_shared_code(tandrel_sanitizer_checks)
target_link_libraries(tandrel_sanitizer_checks PRIVATE GTest::gtest_main)
gtest_discover_tests(tandrel_sanitizer_checks DISCOVERY_TIMEOUT 60)

# The fuzzer for the restore path needs clang's libFuzzer; without clang it is left out.
if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    # Coverage hooks in the engine and the framework steer the fuzzer through their code.
    target_compile_options(Tandrel PRIVATE -fsanitize=fuzzer-no-link)

    add_executable(tandrel_state_fuzzer ${CMAKE_CURRENT_LIST_DIR}/StateFuzzer.cpp)
    tandrel_use_shared_code(tandrel_state_fuzzer)
    target_compile_options(tandrel_state_fuzzer PRIVATE -fsanitize=fuzzer)
    target_link_options(tandrel_state_fuzzer PRIVATE -fsanitize=fuzzer)

    # A bounded run on the committed seeds (states the plug-in saved, and hostile ones). New
    # inputs go to a corpus in the build folder, which later runs start from as well; a failing
    # input is written to fuzz-artefacts/ there.
    set(TANDREL_FUZZ_SECONDS 60 CACHE STRING "How long the state fuzzer runs in the tests")
    set(fuzz_work ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
    set(fuzz_artefacts ${CMAKE_CURRENT_BINARY_DIR}/fuzz-artefacts)
    file(MAKE_DIRECTORY ${fuzz_work} ${fuzz_artefacts})
    add_test(NAME StateFuzzer
             COMMAND tandrel_state_fuzzer -max_total_time=${TANDREL_FUZZ_SECONDS} -print_final_stats=1
                     -artifact_prefix=${fuzz_artefacts}/ ${fuzz_work} ${CMAKE_CURRENT_LIST_DIR}/corpus)
    math(EXPR fuzz_timeout "${TANDREL_FUZZ_SECONDS} + 240")
    set_tests_properties(StateFuzzer PROPERTIES TIMEOUT ${fuzz_timeout})
endif()
