# Flags for every target: hardening as Debian builds its packages, and no build folder in the
# program, so that two checkouts in different places build the same bytes.
if(CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang" AND NOT WIN32)
  add_compile_options(
    -ffile-prefix-map=${PROJECT_SOURCE_DIR}/=
    -ffile-prefix-map=${PROJECT_BINARY_DIR}/=
    -fstack-protector-strong)
  # Fortification needs the optimizer, and the sanitizers check the same calls better.
  if(NOT CMAKE_CXX_FLAGS MATCHES "sanitize")
    add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endif()
  # An ELF linker's: wasm-ld has no such thing.
  if(NOT EMSCRIPTEN)
    add_link_options(LINKER:-z,relro,-z,now)
  endif()
endif()
