# Cross-compiles for 64-bit Windows with the mingw-w64 compilers of the
# posix thread model (std::thread and std::mutex need it) and runs the
# programs it builds, the tests among them, under Wine.
#   cmake -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake ...
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(_triple x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)

# Libraries and headers come from the mingw-w64 sysroot and from the
# prefixes given in CMAKE_PREFIX_PATH (the cross-built dependencies), never
# from the build machine's own /usr.
set(CMAKE_FIND_ROOT_PATH /usr/${_triple} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Which programs link the C and C++ runtimes in is the project's choice
# (tarnvik_static_runtime): the console programs do, the Qt window uses the
# runtime DLLs Qt was built with.

find_program(TARNVIK_WINE wine)
if(TARNVIK_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${TARNVIK_WINE})
endif()
