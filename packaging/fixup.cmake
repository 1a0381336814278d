# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Runs in cpack before the archive is made (CPACK_PRE_BUILD_SCRIPTS).

# Only AppStream 1.0 and later ask for a homepage; an override without its warning would be
# reported as unused, so before that the override's last paragraph is left out.
file(READ "${CPACK_SWP_LINTIAN_OVERRIDES}" swp_overrides)
execute_process(COMMAND appstreamcli --version OUTPUT_VARIABLE swp_appstream ERROR_QUIET)
if(NOT (swp_appstream MATCHES "version: ([0-9]+)" AND CMAKE_MATCH_1 GREATER_EQUAL 1))
  string(REGEX REPLACE "\n\n# AppStream.*$" "\n" swp_overrides "${swp_overrides}")
endif()
file(GLOB swp_share LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*/share")
file(WRITE "${swp_share}/lintian/overrides/strickwichtspiel" "${swp_overrides}")

# Folders are made with the umask of whoever builds; with 077 the package would make
# /usr/share/games/strickwichtspiel unreadable to players, and two builds would differ.
file(GLOB_RECURSE swp_dirs LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
foreach(path IN LISTS swp_dirs)
  if(IS_DIRECTORY "${path}")
    file(CHMOD "${path}" DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
        GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
  endif()
endforeach()

# Debian strips the compiler's notes along with the symbols.
if(CPACK_SWP_OBJCOPY)
  file(GLOB_RECURSE swp_games "${CPACK_TEMPORARY_DIRECTORY}/*/${CPACK_SWP_GAME}")
  foreach(game IN LISTS swp_games)
    execute_process(COMMAND "${CPACK_SWP_OBJCOPY}" --remove-section=.comment --remove-section=.note
        "${game}" COMMAND_ERROR_IS_FATAL ANY)
  endforeach()
endif()
