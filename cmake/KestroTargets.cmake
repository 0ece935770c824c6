# Shared settings for the project's own targets. Warnings are errors only with KESTRO_WERROR (the
# test command turns it on), so that a newer compiler's new warnings never break a user's build.
function(kestro_defaults target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow)
    if(KESTRO_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
    target_compile_definitions(${target} PRIVATE QT_NO_CAST_FROM_ASCII QT_NO_CAST_TO_ASCII
                                                 QT_NO_NARROWING_CONVERSIONS_IN_CONNECT)
endfunction()

# The library of one folder of src/ that uses no widgets: it links the libraries of the folders
# below it and QtCore at most.
function(kestro_core_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC ${ARG_LINKS})
    kestro_defaults(${name})
endfunction()

# The library of one folder of src/ that holds widgets.
function(kestro_widget_library name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    kestro_core_library(${name} SOURCES ${ARG_SOURCES} LINKS ${ARG_LINKS} Qt6::Widgets)
    set_target_properties(${name} PROPERTIES AUTOMOC ON)
endfunction()

# The SONAME of a shared library file (for a library the program opens when it needs it).
function(kestro_soname library out)
    execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${library} OUTPUT_VARIABLE dump
                    RESULT_VARIABLE failed)
    string(REGEX MATCH "SONAME +([^\n ]+)" found "${dump}")
    if(failed OR NOT found)
        message(FATAL_ERROR "No SONAME found in ${library}")
    endif()
    set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
endfunction()
