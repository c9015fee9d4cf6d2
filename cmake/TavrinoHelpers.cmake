# tavrino_add_test(NAME SOURCES ... LIBS ... [GUI])
# One GoogleTest executable; its cases are registered with CTest one by one.
# Tests always run offscreen so they need no display.
function(tavrino_add_test name)
    cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${T_LIBS} tavrino_build_paths GTest::gmock GTest::gtest GTest::gtest_main)
    gtest_discover_tests(${name}
        DISCOVERY_MODE PRE_TEST
        DISCOVERY_TIMEOUT 60
        PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                   TIMEOUT 120)
endfunction()

# tavrino_add_fuzzer(NAME SOURCES ... LIBS ...)
function(tavrino_add_fuzzer name)
    cmake_parse_arguments(F "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${F_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
    target_link_libraries(${name} PRIVATE ${F_LIBS})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
endfunction()

# tavrino_precompile(TARGET HEADER...)
# Precompiles the heavy library headers (Qt, QCustomPlot, GoogleTest) that
# most of a target's files include; worth it for targets with many files.
# TAVRINO_PCH=OFF turns it off, for instance to check that every file still
# includes what it uses.
option(TAVRINO_PCH "Precompile the heavy library headers of the larger targets" ON)
function(tavrino_precompile target)
    if(TAVRINO_PCH)
        target_precompile_headers(${target} PRIVATE ${ARGN})
    endif()
endfunction()
