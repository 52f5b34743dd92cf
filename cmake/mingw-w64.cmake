# Cross-builds for 64-bit Windows with MinGW-w64. The -posix compilers carry
# the posix thread model (std::thread, std::mutex); everything is linked
# statically, so the executables import system DLLs only.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${MINGW_PREFIX}-windres)
set(CMAKE_ASM_COMPILER ${MINGW_PREFIX}-gcc-posix)

# Libraries cross-built into a prefix (CMAKE_PREFIX_PATH) are found there too.
set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
# A release carries no symbols: the .scr is what users copy around.
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT "-s")
