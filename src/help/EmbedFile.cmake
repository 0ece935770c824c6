# Writes a C++ source that carries a file's bytes and returns them from a function.
# cmake -DINPUT=picture.jpg -DOUTPUT=Picture.cpp -DHEADER=help/AboutPicture.h
#       -DFUNCTION=AboutPictureJpeg -P EmbedFile.cmake
foreach(var INPUT OUTPUT HEADER FUNCTION)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "EmbedFile.cmake needs -D${var}=...")
    endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
    message(FATAL_ERROR "${INPUT} is empty")
endif()
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n    " bytes "${bytes}")

file(WRITE "${OUTPUT}"
"// Generated from ${INPUT} by EmbedFile.cmake; do not edit.
#include \"${HEADER}\"

namespace kestro {

namespace {

const unsigned char Bytes[] = {
    ${bytes}
};

} // namespace

QByteArray ${FUNCTION}() {
    return QByteArray::fromRawData(reinterpret_cast<const char*>(Bytes), sizeof Bytes);
}

} // namespace kestro
")
