# Test programs. Each test carries one CTest label, so that a part of the suite runs on its own
# (`ctest -L unit` takes seconds):
#   unit         core logic with GoogleTest
#   gui          widgets and the program, with Qt Test on the offscreen platform
#   reliability  the long runs of the settings file's load and save (kills, failures, hostile files)
#   install      installing the program and its package
# KESTRO_TEST_LABEL, when set, is the label of the GoogleTest programs made while it is set.
include(GoogleTest)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/xdg-runtime)
set(KESTRO_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_RUNTIME_DIR=${CMAKE_BINARY_DIR}/xdg-runtime")

# A GoogleTest program whose cases CTest finds after the build.
function(kestro_gtest name)
    cmake_parse_arguments(ARG "" "LABEL" "SOURCES;LINKS" ${ARGN})
    if(NOT ARG_LABEL)
        set(ARG_LABEL ${KESTRO_TEST_LABEL})
    endif()
    if(NOT ARG_LABEL)
        set(ARG_LABEL unit)
    endif()
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
    kestro_defaults(${name})
    # The discovery script splits every list among the properties, so the environment can only be
    # one variable here.
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                         PROPERTIES LABELS ${ARG_LABEL} ENVIRONMENT QT_QPA_PLATFORM=offscreen)
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
