# Script mode: turns a data file into a C++ source that defines its bytes.
#   cmake -DINPUT=file -DOUTPUT=file.cpp -DSYMBOL=name -DNAMESPACE=ns -P EmbedFile.cmake
# defines  const unsigned char ns::name[]   (the bytes and one zero byte after them)
#          const std::size_t ns::name_size  (the file's size, without that zero)
foreach(var INPUT OUTPUT SYMBOL NAMESPACE)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedFile.cmake needs -D${var}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "((0x[0-9a-f][0-9a-f],){16})" "\\1\n" bytes "${bytes}")
get_filename_component(name "${INPUT}" NAME)

file(WRITE "${OUTPUT}.new"
"// Made from ${name} by cmake/EmbedFile.cmake at build time.
#include <cstddef>

namespace ${NAMESPACE} {
extern const unsigned char ${SYMBOL}[];
extern const std::size_t ${SYMBOL}_size;
const unsigned char ${SYMBOL}[] = {
${bytes}0x00};
const std::size_t ${SYMBOL}_size = ${size};
}  // namespace ${NAMESPACE}
")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
