# Cross-building the Windows game (64-bit) on Linux with mingw-w64.
#   cmake --preset windows
# The posix thread model compilers: the win32 ones lack std::thread and std::mutex.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(QUELMO_MINGW_PREFIX x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${QUELMO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUELMO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUELMO_MINGW_PREFIX}-windres)
set(CMAKE_OBJDUMP ${QUELMO_MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${QUELMO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Everything linked in: the program needs no DLL that Windows does not ship.  No link
# time in the program's header, so that two builds of one commit are the same bytes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++ -Wl,--no-insert-timestamp")

# Test programs run under Wine, in a Wine prefix inside the build folder.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh ${CMAKE_BINARY_DIR}/wine)
