# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Windows looks for a program's DLLs in the program's own folder: every program of the build
# goes to bin/, beside the compiler's runtime, so the game and its tests run there under Wine
# as they would on Windows.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)

set(SWP_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE swp_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${swp_dll}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} knows no ${dll}")
  endif()
  file(REAL_PATH "${swp_dll}" swp_dll)
  list(APPEND SWP_RUNTIME_DLLS "${swp_dll}")
endforeach()
file(COPY ${SWP_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
