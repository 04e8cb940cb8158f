# Writes a C++ source that holds one file's bytes as an array:
#   cmake -DIN=file -DOUT=out.cpp -DNAME=symbol -P embed.cmake
# defines `const unsigned char NAME[]` and `const unsigned long NAME_size`.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
get_filename_component(from ${IN} NAME)
file(WRITE ${OUT} "// Generated from ${from} by embed.cmake.\n"
                  "extern const unsigned char ${NAME}[] = {${bytes}};\n"
                  "extern const unsigned long ${NAME}_size = ${size};\n")
