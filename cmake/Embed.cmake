# quelmo_embed(<target> <symbol> <file>)
# Builds the bytes of <file> into <target> as a C++ array, so the program carries its
# images inside the binary and reads no files at run time.  C++ sees them through
#   extern "C" const unsigned char <symbol>[];
#   extern "C" const unsigned long long <symbol>_size;
# The array is generated source, so the same code builds with every compiler the
# game targets (GCC, mingw-w64, Emscripten).
set(QUELMO_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedFile.cmake)
function(quelmo_embed target symbol file)
  get_filename_component(abs "${file}" ABSOLUTE)
  set(out "${CMAKE_CURRENT_BINARY_DIR}/embed/${symbol}.cpp")
  add_custom_command(
    OUTPUT "${out}"
    COMMAND ${CMAKE_COMMAND} -DIN=${abs} -DOUT=${out} -DSYMBOL=${symbol} -P ${QUELMO_EMBED_SCRIPT}
    DEPENDS "${abs}" ${QUELMO_EMBED_SCRIPT}
    COMMENT "Embedding ${file}"
    VERBATIM)
  target_sources(${target} PRIVATE "${out}")
endfunction()
