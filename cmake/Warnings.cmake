# Compiler settings shared by every target of the project.
add_library(quelmo_options INTERFACE)
target_compile_options(quelmo_options INTERFACE
  $<$<COMPILE_LANGUAGE:CXX>:-Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion>)
if(QUELMO_WERROR)
  target_compile_options(quelmo_options INTERFACE $<$<COMPILE_LANGUAGE:CXX>:-Werror>)
endif()
if(QUELMO_SANITIZE)
  target_compile_options(quelmo_options INTERFACE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(quelmo_options INTERFACE -fsanitize=address,undefined)
endif()
