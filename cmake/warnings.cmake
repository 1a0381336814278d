function(swp_warnings target)
  if(MSVC)
    # Qt gives its own users UTF-8 sources; the core and its tests need it too, so that U'ä'
    # and "ä" mean the same with every compiler.
    target_compile_options(${target} PRIVATE /W4 /utf-8)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic)
  endif()
endfunction()
