# Turns one file into a C++ source that defines it as a constant byte array.
# cmake -DINPUT=<file> -DOUTPUT=<file.cpp> -DSYMBOL=<name> -P embed_bytes.cmake
# Pure CMake, so the same step works for native and cross builds.
foreach(variable INPUT OUTPUT SYMBOL)
  if(NOT DEFINED ${variable})
    message(FATAL_ERROR "embed_bytes.cmake needs -D${variable}=...")
  endif()
endforeach()

file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" hex_length)
if(hex_length EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
math(EXPR byte_count "${hex_length} / 2")

# 16 bytes a line, each as 0xNN.
string(REPEAT "[0-9a-f]" 32 sixteen_bytes)
string(REGEX REPLACE "(${sixteen_bytes})" "\\1\n" lines "${hex}")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${lines}")

get_filename_component(input_name "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
  "// Generated from ${input_name} at build time; do not edit.\n"
  "#include \"resources/template_data.hpp\"\n\n"
  "namespace kalkora::template_data {\n\n"
  "const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "const std::size_t ${SYMBOL}Size = ${byte_count};\n\n"
  "}  // namespace kalkora::template_data\n")
