# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

function(swp_warnings target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
endfunction()
