# Qt's German texts cut to those the game can show: a text box's context menu with its keys, the
# layout direction, the names of actions. The browser downloads every byte, and this is a tenth
# of Qt's file. Qt's own tools read and write it; xmlstarlet drops the other contexts between.
set(SWP_QT_TEXT_CONTEXTS QLineEdit QShortcut QGuiApplication QApplication QWidget
    QAccessibleActionInterface)

function(swp_cut_qt_texts whole cut)
  foreach(tool lconvert lrelease)
    find_program(SWP_${tool} ${tool} PATHS /usr/lib/qt6/bin NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  endforeach()
  find_program(SWP_XMLSTARLET xmlstarlet NO_CMAKE_FIND_ROOT_PATH REQUIRED)
  list(TRANSFORM SWP_QT_TEXT_CONTEXTS REPLACE "(.+)" "name='\\1'" OUTPUT_VARIABLE names)
  list(JOIN names " or " names)
  add_custom_command(OUTPUT ${cut}
      COMMAND ${SWP_lconvert} -i ${whole} -o ${cut}.ts
      COMMAND ${SWP_XMLSTARLET} ed -L -d "/TS/context[not(${names})]" ${cut}.ts
      COMMAND ${SWP_lrelease} -silent ${cut}.ts -qm ${cut}
      DEPENDS ${whole} VERBATIM)
endfunction()
