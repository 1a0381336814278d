# The browser (emscripten). Without Qt, the core's tests run under node; with it, the game
# becomes a page of its own (platform/web/, and scripts/web puts it together).
if(DEFINED SWP_GAME AND NOT SWP_GAME)
  # The tests read real files of the source tree, and ctest must see their exit status.
  add_link_options(-sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sSTACK_SIZE=1MB)
  return()
endif()

# Qt for the browser is LLVM bitcode (swp_qt_options in scripts/lib.sh); with the game's too, the
# link optimises one program and sees no function from two sides with mismatched signatures.
add_compile_options(-flto)
add_link_options(-flto)

# qt_add_executable gives a web program its loader; a static Qt's plugins must be named too.
function(swp_web_program target)
  find_package(Qt6 REQUIRED COMPONENTS OpenGL)
  qt_import_plugins(${target} INCLUDE Qt6::QWasmIntegrationPlugin Qt6::QJpegPlugin)
  # The page hands the program environment variables.
  set_target_properties(${target} PROPERTIES QT_WASM_EXTRA_EXPORTED_METHODS ENV)
endfunction()
