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

# Qt's libraries, the plugins the game loads and Qt's German texts, laid out as the game is
# shipped, so bin/ runs as the unpacked release does. Call after find_package(Qt6).
function(swp_windows_qt_runtime)
  set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set(dlls "")
  foreach(module Core Gui Widgets Test)
    get_target_property(dll Qt6::${module} IMPORTED_LOCATION_RELEASE)
    list(APPEND dlls ${dll})
  endforeach()
  file(COPY ${dlls} DESTINATION ${out})
  set(plugins platforms/qwindows.dll platforms/qoffscreen.dll imageformats/qjpeg.dll
      styles/qwindowsvistastyle.dll)
  get_filename_component(qt_prefix "${QT6_INSTALL_PREFIX}" ABSOLUTE)
  foreach(plugin ${plugins})
    get_filename_component(folder ${plugin} DIRECTORY)
    file(COPY ${qt_prefix}/${QT6_INSTALL_PLUGINS}/${plugin} DESTINATION ${out}/${folder})
  endforeach()
  find_file(SWP_QTBASE_DE qtbase_de.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH
      REQUIRED)
  file(COPY ${SWP_QTBASE_DE} DESTINATION ${out}/translations)
  file(WRITE ${out}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")

  # The offscreen platform of the tests reads fonts from lib/fonts beside Qt, not Windows'
  # own; it gets the faces that stand in for them on Linux, so tests measure the same glyphs.
  file(GLOB fonts /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf
      /usr/share/fonts/truetype/lato/Lato-Black.ttf)
  if(fonts)
    file(COPY ${fonts} DESTINATION ${out}/lib/fonts)
  endif()

  set(SWP_QT_RUNTIME_DLLS ${dlls} PARENT_SCOPE)
  set(SWP_QT_PLUGINS ${plugins} PARENT_SCOPE)
  set(SWP_QT_PLUGIN_DIR ${qt_prefix}/${QT6_INSTALL_PLUGINS} PARENT_SCOPE)
endfunction()
