# 64-bit Windows with Debian's mingw-w64 GCC. The -posix compilers, because Qt needs
# std::thread and friends, which the win32-thread variant lacks.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(swp_triplet x86_64-w64-mingw32)

set(CMAKE_C_COMPILER ${swp_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${swp_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${swp_triplet}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${swp_triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# ctest and gtest_discover_tests run the test programs through Wine.
find_program(SWP_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(SWP_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${SWP_WINE})
endif()

# Qt for Windows lives outside the sysroot (scripts/windows builds it into its cache).
if(SWP_QT_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${SWP_QT_PREFIX})
endif()
