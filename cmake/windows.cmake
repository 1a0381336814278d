# Windows looks for DLLs in the program's own folder: every program goes to bin/, beside the
# compiler's runtime, so that the game and its tests run there under Wine as on Windows.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/bin)
# Debian's qtbase, built for Windows from its source, keeps its plugins' targets out of
# find_package(Qt6) unless asked; the release names them.
set(QT_SKIP_AUTO_PLUGIN_INCLUSION OFF)

set(SWP_RUNTIME_DLLS "")
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
      OUTPUT_VARIABLE swp_dll OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT IS_ABSOLUTE "${swp_dll}")
    message(FATAL_ERROR "${CMAKE_CXX_COMPILER} knows no ${dll}")
  endif()
  file(REAL_PATH "${swp_dll}" swp_dll)
  list(APPEND SWP_RUNTIME_DLLS "${swp_dll}")
  cmake_path(GET swp_dll FILENAME swp_name)
  list(APPEND swp_runtime ${swp_name})
endforeach()
file(COPY ${SWP_RUNTIME_DLLS} DESTINATION ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})

# What of Qt the release ships, and what only the tests load; Qt's own imported targets say
# where each file lies and, for a plugin, the folder it belongs in. Call after find_package(Qt6).
function(swp_windows_qt_runtime)
  # One plugin holds the Windows styles, windows11 and windowsvista.
  set(shipped Qt6::Core Qt6::Gui Qt6::Widgets Qt6::QWindowsIntegrationPlugin Qt6::QJpegPlugin
      Qt6::QModernWindowsStylePlugin)
  set(tests_only Qt6::Test Qt6::QOffscreenIntegrationPlugin)

  set(out ${CMAKE_RUNTIME_OUTPUT_DIRECTORY})
  set(files "")
  foreach(target ${shipped} ${tests_only})
    get_target_property(file ${target} IMPORTED_LOCATION_RELEASE)
    get_property(folder TARGET ${target} PROPERTY QT_PLUGIN_TYPE)
    file(COPY ${file} DESTINATION ${out}/${folder})
    if(target IN_LIST shipped)
      get_filename_component(name ${file} NAME)
      cmake_path(APPEND folder ${name} OUTPUT_VARIABLE path)
      list(APPEND files ${path})
    endif()
  endforeach()

  find_file(SWP_QTBASE_DE qtbase_de.qm PATHS /usr/share/qt6/translations NO_CMAKE_FIND_ROOT_PATH
      REQUIRED)
  file(COPY ${SWP_QTBASE_DE} DESTINATION ${out}/translations)
  file(WRITE ${out}/qt.conf "[Paths]\nPrefix = .\nPlugins = .\nTranslations = translations\n")

  # The offscreen platform of the tests reads fonts from lib/fonts beside Qt, not Windows'
  # own; it gets the faces that stand in for them on Linux, so tests measure the same glyphs.
  # Liberation 2 lies in liberation2/ on Debian 12 and in liberation/ from Debian 13 on.
  file(GLOB fonts /usr/share/fonts/truetype/liberation2/LiberationSans-*.ttf)
  if(NOT fonts)
    file(GLOB fonts /usr/share/fonts/truetype/liberation/LiberationSans-*.ttf)
  endif()
  file(GLOB lato /usr/share/fonts/truetype/lato/Lato-Black.ttf)
  list(APPEND fonts ${lato})
  if(fonts)
    file(COPY ${fonts} DESTINATION ${out}/lib/fonts)
  endif()

  # What ships beside the game, as paths under bin/: the same list fills the zip, the installer
  # and the third-party notice.
  set(SWP_WINDOWS_QT_FILES ${files} PARENT_SCOPE)
  set(SWP_WINDOWS_SHIPPED ${swp_runtime} ${files} translations/qtbase_de.qm qt.conf PARENT_SCOPE)
endfunction()
