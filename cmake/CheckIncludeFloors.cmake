# Script mode: fails when a subsystem folder under SOURCE_DIR includes a
# folder that is not on a floor below it.
#
# FLOORS is the markdown file whose table gives each folder its floor, one
# row a folder: "| 3 | `calibration/` | ... |". The rules:
# - a folder includes its own files and folders on lower floors, never one
#   above it and never one beside it on the same floor;
# - a core folder never includes a ui/ folder, its own or another's; a ui/
#   folder may include its own subsystem and anything below; app/, the
#   program itself, may include ui/ folders;
# - every folder under SOURCE_DIR has a floor, and every floor's folder is
#   there.
# Includes without a folder ("app_version.h") and system headers are not
# checked.

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)
file(STRINGS "${FLOORS}" _rows REGEX "^\\|[ \t]*[0-9]+[ \t]*\\|[ \t]*`[a-z_]+/`")
set(_folders "")
foreach(_row IN LISTS _rows)
  string(REGEX MATCH "^\\|[ \t]*([0-9]+)[ \t]*\\|[ \t]*`([a-z_]+)/`" _ "${_row}")
  set(_floor_${CMAKE_MATCH_2} "${CMAKE_MATCH_1}")
  list(APPEND _folders "${CMAKE_MATCH_2}")
endforeach()
if(NOT _folders)
  message(FATAL_ERROR "${FLOORS} has no table of floors")
endif()

set(_problems "")
file(GLOB _present LIST_DIRECTORIES true RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*")
foreach(_dir IN LISTS _present)
  if(IS_DIRECTORY "${SOURCE_DIR}/${_dir}" AND NOT DEFINED _floor_${_dir})
    list(APPEND _problems "src/${_dir}/ has no floor in ${FLOORS}")
  endif()
endforeach()
foreach(_dir IN LISTS _folders)
  if(NOT IS_DIRECTORY "${SOURCE_DIR}/${_dir}")
    list(APPEND _problems "${FLOORS} gives a floor to ${_dir}/, which src/ does not have")
  endif()
endforeach()

file(GLOB_RECURSE _sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/*.h" "${SOURCE_DIR}/*.cpp")
list(SORT _sources)
set(_checked 0)
foreach(_file IN LISTS _sources)
  string(REGEX MATCH "^([a-z_]+)/(ui/)?" _ "${_file}")
  set(_from "${CMAKE_MATCH_1}")
  set(_from_ui "${CMAKE_MATCH_2}")
  if(NOT DEFINED _floor_${_from})
    continue()  # reported above
  endif()
  file(STRINGS "${SOURCE_DIR}/${_file}" _includes
       REGEX "^[ \t]*#[ \t]*include[ \t]*\"[a-z_]+/[^\"]*\"")
  foreach(_line IN LISTS _includes)
    string(REGEX MATCH "\"(([a-z_]+)/(ui/)?[^\"]*)\"" _ "${_line}")
    set(_path "${CMAKE_MATCH_1}")
    set(_to "${CMAKE_MATCH_2}")
    set(_to_ui "${CMAKE_MATCH_3}")
    math(EXPR _checked "${_checked} + 1")
    set(_where "src/${_file} includes \"${_path}\"")
    if(NOT DEFINED _floor_${_to})
      list(APPEND _problems "${_where}: ${_to}/ has no floor")
    elseif(_to_ui AND NOT _from_ui AND NOT _from STREQUAL "app")
      list(APPEND _problems "${_where}: core code never includes a ui/ folder")
    elseif(NOT _to STREQUAL _from)
      if(_floor_${_to} GREATER _floor_${_from})
        list(APPEND _problems
             "${_where}: ${_from}/ (floor ${_floor_${_from}}) may not reach up to ${_to}/ (floor ${_floor_${_to}})")
      elseif(_floor_${_to} EQUAL _floor_${_from})
        list(APPEND _problems
             "${_where}: ${_to}/ is beside ${_from}/ on floor ${_floor_${_from}}")
      endif()
    endif()
  endforeach()
endforeach()

if(_problems)
  list(LENGTH _problems _count)
  string(REPLACE ";" "\n  " _text "${_problems}")
  message(FATAL_ERROR "${_count} problem(s) with the floors:\n  ${_text}")
endif()
if(_checked EQUAL 0)
  message(FATAL_ERROR "no include between folders found under ${SOURCE_DIR}")
endif()
message(STATUS "${_checked} includes checked: each stays in its folder or reaches a floor below")
