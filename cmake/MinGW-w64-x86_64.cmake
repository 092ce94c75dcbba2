# Cross build for 64-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-x86-64), the
# POSIX thread model of its compilers. Programs link the C and C++ run-time libraries statically,
# so a built .exe needs no DLL beside it (under Wine or on Windows).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(TOVU_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${TOVU_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TOVU_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${TOVU_MINGW_TRIPLET}-windres)
set(CMAKE_ASM_NASM_OBJECT_FORMAT win64)

# Libraries and headers come from the MinGW sysroot and from the prefixes the project builds
# (CMAKE_PREFIX_PATH, libjpeg-turbo); programs such as nasm from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${TOVU_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
