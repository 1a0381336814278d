# Runs in cpack before the archive is made (CPACK_PRE_BUILD_SCRIPTS).
file(GLOB_RECURSE swp_games "${CPACK_TEMPORARY_DIRECTORY}/*/${CPACK_SWP_GAME}")
foreach(game IN LISTS swp_games)
  execute_process(COMMAND "${CPACK_SWP_OBJCOPY}" --remove-section=.comment --remove-section=.note
      "${game}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
