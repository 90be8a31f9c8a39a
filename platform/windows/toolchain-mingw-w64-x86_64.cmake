# Cross build for 64-bit Windows with Debian's mingw-w64 compilers, posix
# thread model (g++-mingw-w64-x86-64-posix). Libraries and headers come from
# the mingw-w64 tree only; programs run on this machine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingwTriplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingwTriplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingwTriplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingwTriplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${mingwTriplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages built into the build folder (freeglut) are found by their own
# <Package>_DIR, outside the mingw-w64 tree.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
