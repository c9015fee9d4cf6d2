# How the tests are registered with CTest. Normally one test per case, each
# case in a process of its own, so a failing case is named and can be rerun
# alone. The sanitizer tree instead runs each test program whole, in one
# process or a few shards: starting an instrumented program costs more than
# most of its cases take, and a program that runs all its cases also shows
# what one case leaves behind for the next.
option(TAVRINO_WHOLE_TEST_PROGRAMS "Register each test program as one test (or a few shards)" ${TAVRINO_SANITIZE})

# tavrino_add_test(NAME SOURCES ... LIBS ... [SHARDS n])
# One GoogleTest executable. Tests always run offscreen so they need no
# display. SHARDS splits a long program into that many processes when it
# runs whole; those start first.
function(tavrino_add_test name)
    cmake_parse_arguments(T "" "SHARDS" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    target_link_libraries(${name} PRIVATE ${T_LIBS} tavrino_build_paths GTest::gmock GTest::gtest GTest::gtest_main)
    if(NOT TAVRINO_WHOLE_TEST_PROGRAMS)
        gtest_discover_tests(${name}
            DISCOVERY_MODE PRE_TEST
            DISCOVERY_TIMEOUT 60
            PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
                       TIMEOUT 120)
        return()
    endif()
    if(NOT T_SHARDS)
        set(T_SHARDS 1)
    endif()
    math(EXPR last "${T_SHARDS} - 1")
    foreach(index RANGE ${last})
        set(test_name ${name})
        if(T_SHARDS GREATER 1)
            set(test_name ${name}.shard${index})
        endif()
        add_test(NAME ${test_name} COMMAND ${name})
        set_tests_properties(${test_name} PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;GTEST_TOTAL_SHARDS=${T_SHARDS};GTEST_SHARD_INDEX=${index}"
            COST ${T_SHARDS}
            TIMEOUT 900)
    endforeach()
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
