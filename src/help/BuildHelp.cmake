# Compiles the help pages into a .chm with chmcmd and puts it where the program looks for it.
# cmake -DCHMCMD=/usr/bin/chmcmd -DPAGES=docs/help -DPICTURE=docs/about.jpg -DWORK=dir
#       -DPROJECT_FILE=kestro.hhp -DOUTPUT=build/src/app/kestro.chm -P BuildHelp.cmake
foreach(var CHMCMD PAGES PICTURE WORK PROJECT_FILE OUTPUT)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "BuildHelp.cmake needs -D${var}=...")
    endif()
endforeach()

# chmcmd takes its inputs relative to the project file: gather them in one fresh folder.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(GLOB pages "${PAGES}/*")
file(COPY ${pages} "${PICTURE}" DESTINATION "${WORK}")

# The name inside the project file decides where chmcmd writes.
file(STRINGS "${WORK}/${PROJECT_FILE}" compiled REGEX "^Compiled file=")
string(REGEX REPLACE "^Compiled file=" "" compiled "${compiled}")
string(STRIP "${compiled}" compiled)
if(compiled STREQUAL "")
    message(FATAL_ERROR "${PROJECT_FILE} names no compiled file")
endif()

execute_process(COMMAND "${CHMCMD}" "${PROJECT_FILE}"
                WORKING_DIRECTORY "${WORK}"
                RESULT_VARIABLE status
                OUTPUT_VARIABLE out
                ERROR_VARIABLE err)
set(built "${WORK}/${compiled}")
set(size 0)
if(EXISTS "${built}")
    file(SIZE "${built}" size)
endif()
# A missing input makes chmcmd fail and leave an empty file behind: never pass that on.
if(NOT status EQUAL 0 OR size EQUAL 0)
    file(REMOVE "${OUTPUT}")
    message(FATAL_ERROR "chmcmd failed (exit status ${status}):\n${out}\n${err}")
endif()

get_filename_component(output_dir "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${output_dir}")
file(COPY_FILE "${built}" "${OUTPUT}")
