# Installs the build into a scratch prefix and checks the desktop entry as a menu would use it:
# its command exists where Debian keeps games, it starts in the folder that holds the word list,
# the entry and the metainfo share the program's ID, and it validates.
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${STAGE}/usr"
    RESULT_VARIABLE result OUTPUT_QUIET)
if(result)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

# Window managers match the window to the entry by the name the program gives itself, which
# the build gives it from the same APP_ID.
set(id "${APP_ID}")
set(entry "${STAGE}/usr/${DATADIR}/applications/${id}.desktop")
file(GLOB entries "${STAGE}/usr/${DATADIR}/applications/*")
if(NOT entries STREQUAL "${entry}")
  message(FATAL_ERROR "want the one desktop entry ${entry}, found: ${entries}")
endif()
set(metainfo "${STAGE}/usr/${DATADIR}/metainfo/${id}.metainfo.xml")
if(NOT EXISTS "${metainfo}")
  message(FATAL_ERROR "no metainfo at ${metainfo}")
endif()
file(READ "${metainfo}" metainfo_text)
if(NOT metainfo_text MATCHES "<id>${id}</id>"
    OR NOT metainfo_text MATCHES "<launchable type=\"desktop-id\">${id}.desktop</launchable>")
  message(FATAL_ERROR "${metainfo} does not name ${id} as its ID and launchable")
endif()

file(STRINGS "${entry}" lines)
foreach(key Type Name Comment Exec Path Icon Categories)
  set(${key} "")
  foreach(line IN LISTS lines)
    if(line MATCHES "^${key}=(.*)$")
      set(${key} "${CMAKE_MATCH_1}")
    endif()
  endforeach()
endforeach()

if(NOT Type STREQUAL "Application" OR NOT Name STREQUAL "Strickwichtspiel" OR Comment STREQUAL "")
  message(FATAL_ERROR "wrong Type, Name or Comment: '${Type}' '${Name}' '${Comment}'")
endif()
if(NOT Categories MATCHES "(^|;)Game;")
  message(FATAL_ERROR "not listed under games: ${Categories}")
endif()
string(REGEX REPLACE "^\"(.*)\"$" "\\1" Exec "${Exec}")
if(NOT Exec STREQUAL "${STAGE}/usr/games/strickwichtspiel" OR NOT EXISTS "${Exec}")
  message(FATAL_ERROR "Exec does not name the installed program: ${Exec}")
endif()
file(SHA256 "${WORD_LIST}" shipped)
if(NOT Path STREQUAL "${STAGE}/usr/${DATADIR}/games/strickwichtspiel" OR NOT EXISTS "${Path}/worte.txt")
  message(FATAL_ERROR "Path=${Path} holds no worte.txt")
endif()
file(SHA256 "${Path}/worte.txt" installed)
if(NOT installed STREQUAL shipped)
  message(FATAL_ERROR "${Path}/worte.txt is not the shipped list")
endif()
foreach(size 16x16 32x32 48x48 256x256)
  if(NOT EXISTS "${STAGE}/usr/${DATADIR}/icons/hicolor/${size}/apps/${Icon}.png")
    message(FATAL_ERROR "no ${size} theme icon named ${Icon}")
  endif()
endforeach()

# Last, so that everything else is checked where the validator is missing; ctest reports the
# test as skipped then (SKIP_REGULAR_EXPRESSION).
if(NOT VALIDATE)
  message("SKIPPED: desktop-file-validate is missing (Debian package desktop-file-utils)")
  return()
endif()
execute_process(COMMAND "${VALIDATE}" "${entry}" RESULT_VARIABLE result OUTPUT_VARIABLE out
    ERROR_VARIABLE out)
if(result OR out MATCHES "error")
  message(FATAL_ERROR "desktop-file-validate: ${out}")
endif()
