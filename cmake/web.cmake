# The browser (emscripten). Without Qt, the core's tests run under node; with it, the game
# becomes a page of its own (scripts/web puts it together).
if(DEFINED SWP_GAME AND NOT SWP_GAME)
  # The tests read real files of the source tree, and ctest must see their exit status.
  add_link_options(-sNODERAWFS=1 -sEXIT_RUNTIME=1 -sALLOW_MEMORY_GROWTH=1 -sSTACK_SIZE=1MB)
  return()
endif()

# Qt for the browser is LLVM bitcode (swp_qt_options in scripts/lib.sh); with the game's too, the
# link optimises one program and sees no function from two sides with mismatched signatures.
add_compile_options(-flto)
add_link_options(-flto)

# A browser has neither Arial nor Linux's stand-ins for it, so the game carries those, cut down
# to Windows-1252, all that a word list and the window can show; every glyph stays as it is.
set(SWP_WEB_FACES
    /usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf
    /usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf
    /usr/share/fonts/truetype/lato/Lato-Black.ttf
    CACHE STRING "The faces the web build carries")
set(swp_cp1252 U+0020-007E,U+00A0-00FF,U+20AC,U+201A,U+0192,U+201E,U+2026,U+2020,U+2021,U+02C6)
string(APPEND swp_cp1252 ,U+2030,U+0160,U+2039,U+0152,U+017D,U+2018,U+2019,U+201C,U+201D,U+2022)
string(APPEND swp_cp1252 ,U+2013,U+2014,U+02DC,U+2122,U+0161,U+203A,U+0153,U+017E,U+0178,U+FFFD)

# qt_add_executable gives a web program its loader; a static Qt's plugins must be named too.
function(swp_web_program target)
  find_package(Qt6 REQUIRED COMPONENTS OpenGL)
  qt_import_plugins(${target} INCLUDE Qt6::QWasmIntegrationPlugin Qt6::QJpegPlugin)
  # The page hands the program environment variables.
  set_target_properties(${target} PROPERTIES QT_WASM_EXTRA_EXPORTED_METHODS ENV)
endfunction()

function(swp_web_game target)
  swp_web_program(${target})
  # The game's pictures are JPEG; the GIF and ICO readers would come along otherwise.
  qt_import_plugins(${target} INCLUDE_BY_TYPE imageformats Qt6::QJpegPlugin)

  set(faces "")
  foreach(face ${SWP_WEB_FACES})
    get_filename_component(name ${face} NAME)
    set(out ${PROJECT_BINARY_DIR}/faces/${name})
    add_custom_command(OUTPUT ${out}
        COMMAND python3 -m fontTools.subset ${face} --output-file=${out} --unicodes=${swp_cp1252}
            --layout-features=* --name-IDs=* --name-languages=* --notdef-outline --hinting
        DEPENDS ${face} VERBATIM)
    list(APPEND faces ${out})
  endforeach()
  add_custom_target(swp_faces DEPENDS ${faces})
  add_dependencies(ui swp_faces)
  qt_add_resources(ui "faces" PREFIX "/faces" BASE ${PROJECT_BINARY_DIR}/faces FILES ${faces})

  # The toolkit's German texts where a qt.conf of the program's own says they are, in the
  # program's file system; only those the game can show.
  file(WRITE ${PROJECT_BINARY_DIR}/qtconf/qt.conf "[Paths]\nPrefix = /\nTranslations = translations\n")
  qt_add_resources(ui "qtconf" PREFIX "/qt/etc" BASE ${PROJECT_BINARY_DIR}/qtconf
      FILES ${PROJECT_BINARY_DIR}/qtconf/qt.conf)
  find_file(SWP_QTBASE_DE qtbase_de.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH
      REQUIRED)
  set(texts ${PROJECT_BINARY_DIR}/translations/qtbase_de.qm)
  include(${PROJECT_SOURCE_DIR}/cmake/qttexts.cmake)
  swp_cut_qt_texts(${SWP_QTBASE_DE} ${texts})
  add_custom_target(swp_toolkit_texts DEPENDS ${texts})
  add_dependencies(${target} swp_toolkit_texts)
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS ${texts})
  target_link_options(${target} PRIVATE "SHELL:--embed-file ${texts}@/translations/qtbase_de.qm")

  if(NOT SWP_BENCH AND NOT BUILD_TESTING)
    add_subdirectory(${PROJECT_SOURCE_DIR}/bench/bare ${PROJECT_BINARY_DIR}/bench/bare)
  endif()
endfunction()
