# Turns a data file into a C++ source holding its bytes, so the library carries the file
# without resource registration. Run as: cmake -DINPUT=<file> -DOUTPUT=<cpp> -DSYMBOL=<name> -P embed_file.cmake
file(READ "${INPUT}" bytes HEX)
string(LENGTH "${bytes}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," array "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n#include <cstddef>\n\n"
"extern const unsigned char ${SYMBOL}[] = {\n${array}0x00};\n"
"extern const std::size_t ${SYMBOL}Size = ${size};\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
