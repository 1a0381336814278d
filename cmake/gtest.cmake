# GoogleTest: Debian's library natively; for a cross build, Debian's own source of it
# (package googletest), built with the same toolchain, since no Windows build is packaged.
if(CMAKE_CROSSCOMPILING)
  set(SWP_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source, for cross builds")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${SWP_GTEST_SOURCE} ${PROJECT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)
