# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Run by cpack before it packs the staged release and again after. cpack takes the files in
# the order the file system lists them and with the dates they were built, so two clean builds
# would give different bytes; here every date becomes SOURCE_DATE_EPOCH, and the zip and the
# uninstaller's list are written in sorted order.
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
if(NOT IS_DIRECTORY "${stage}" OR stage STREQUAL "/")
  message(FATAL_ERROR "no staged release to pack: \"${stage}\"")
endif()
# The installer treats the word list as the player's and places it itself.
if(CPACK_GENERATOR STREQUAL "NSIS" AND NOT CPACK_PACKAGE_FILES AND EXISTS "${stage}/worte.txt")
  file(RENAME "${stage}/worte.txt" "${CPACK_TOPLEVEL_DIRECTORY}/worte.txt")
endif()
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${stage}" "${stage}/*")
list(SORT files)
set(epoch "$ENV{SOURCE_DATE_EPOCH}")

if(NOT CPACK_PACKAGE_FILES) # before packing
  if(epoch)
    file(GLOB_RECURSE entries LIST_DIRECTORIES true "${stage}/*")
    execute_process(COMMAND touch -h -d @${epoch} ${entries} COMMAND_ERROR_IS_FATAL ANY)
  endif()
  if(CPACK_GENERATOR STREQUAL "NSIS")
    # Files first, then their folders, deepest first, so each folder is empty when removed.
    set(script "")
    set(folders "")
    foreach(file ${files})
      string(REPLACE "/" "\\" path "${file}")
      string(APPEND script "  Delete \"$INSTDIR\\${path}\"\n")
      get_filename_component(folder "${file}" DIRECTORY)
      while(folder)
        list(APPEND folders "${folder}")
        get_filename_component(folder "${folder}" DIRECTORY)
      endwhile()
    endforeach()
    list(REMOVE_DUPLICATES folders)
    list(SORT folders)
    list(REVERSE folders)
    foreach(folder ${folders})
      string(REPLACE "/" "\\" path "${folder}")
      string(APPEND script "  RMDir \"$INSTDIR\\${path}\"\n")
    endforeach()
    file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/uninstall-files.nsh" "${script}")
  endif()
elseif(CPACK_GENERATOR STREQUAL "ZIP")
  set(zip "${CPACK_PACKAGE_FILES}")
  get_filename_component(top "${stage}" NAME)
  list(TRANSFORM files PREPEND "${top}/")
  string(REPLACE ";" "\n" list "${files}")
  file(WRITE "${CPACK_TOPLEVEL_DIRECTORY}/zip-files.txt" "${list}\n")
  # The dates were set before packing; a zip stores them in local time as well.
  file(REMOVE "${zip}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC
                          ${CMAKE_COMMAND} -E tar cf "${zip}" --format=zip
                          "--files-from=${CPACK_TOPLEVEL_DIRECTORY}/zip-files.txt"
                  WORKING_DIRECTORY "${stage}/.." COMMAND_ERROR_IS_FATAL ANY)
endif()
