# quelmo_embed(<target> <symbol> <file>)
# Links the bytes of <file> into <target> as the read-only symbols <symbol> and
# <symbol>_end, so the program carries its images and its font inside the binary
# and reads no files at run time.  C++ sees them through
#   extern "C" const unsigned char <symbol>[], <symbol>_end[];
function(quelmo_embed target symbol file)
  get_filename_component(abs "${file}" ABSOLUTE)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embed/${symbol}.S")
  file(WRITE "${asm}.in"
"    .section .rodata
    .global ${symbol}
    .global ${symbol}_end
    .balign 16
${symbol}:
    .incbin \"${abs}\"
${symbol}_end:
    .byte 0
    .section .note.GNU-stack,\"\",@progbits
")
  configure_file("${asm}.in" "${asm}" COPYONLY)
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${abs}")
  target_sources(${target} PRIVATE "${asm}")
endfunction()
