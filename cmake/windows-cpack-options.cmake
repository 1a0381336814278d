# SPDX-FileCopyrightText: 2026 Strickwichtspiel-Team
#
# SPDX-License-Identifier: MIT

# Read by cpack once per generator: the zip unpacks into one folder of its own, while the
# installer makes its folder under Program Files itself and would only warn about the option.
if(CPACK_GENERATOR STREQUAL "ZIP")
  set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
endif()
