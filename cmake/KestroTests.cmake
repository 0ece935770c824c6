# Test programs. Each test carries one CTest label, so that a part of the suite runs on its own
# (`ctest -L unit` takes seconds):
#   unit         core logic with GoogleTest
#   gui          widgets and the program, with Qt Test on the offscreen platform
#   reliability  the long runs of the settings file's load and save (kills, failures, hostile files)
#   install      installing the program and its package
#   desktop      the program on a real desktop: weston (Wayland) and an X server, started by the
#                test (tests/app/desktop-session.sh)
# KESTRO_TEST_LABEL, when set, is the label of the GoogleTest programs made while it is set.
include(GoogleTest)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
set(KESTRO_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")

# A GoogleTest program, by default one CTest test named after it. Starting a program built with the
# sanitizers costs more than most of its cases take, so one run for all of them keeps
# `ctest -L unit` in seconds; the output names each failing case, and `--gtest_filter=...` runs
# one. EACH_CASE makes each case a CTest test of its own, found after the build, for programs whose
# cases need time limits of their own.
function(kestro_gtest name)
    cmake_parse_arguments(ARG "EACH_CASE" "LABEL;TIMEOUT" "SOURCES;LINKS" ${ARGN})
    if(NOT ARG_LABEL)
        set(ARG_LABEL ${KESTRO_TEST_LABEL})
    endif()
    if(NOT ARG_LABEL)
        set(ARG_LABEL unit)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
    kestro_defaults(${name})
    if(ARG_EACH_CASE)
        # The discovery script splits every list among the properties, so the environment can only
        # be one variable here.
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                             PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
        return()
    endif()
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES LABELS ${ARG_LABEL}
                                            ENVIRONMENT "${KESTRO_TEST_ENVIRONMENT}")
    if(ARG_TIMEOUT)
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    endif()
endfunction()

# A Qt Test program of widgets, one CTest test, run without a display.
function(kestro_qtest name)
    cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LINKS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} Qt6::Test)
    kestro_defaults(${name})
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "${KESTRO_TEST_ENVIRONMENT}" LABELS gui)
    if(ARG_TIMEOUT)
        set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
    endif()
endfunction()
