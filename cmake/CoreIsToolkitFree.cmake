# The core library must stay free of the windowing toolkit: it is compiled
# without any Qt include path, and this check fails the build when a core
# source names a Qt header or the core target links a Qt library.

function(vernium_check_core_is_toolkit_free target)
  get_target_property(_sources ${target} SOURCES)
  get_target_property(_srcdir ${target} SOURCE_DIR)
  set(_absolute "")
  foreach(_s IN LISTS _sources)
    if(IS_ABSOLUTE "${_s}")
      list(APPEND _absolute "${_s}")
    else()
      list(APPEND _absolute "${_srcdir}/${_s}")
    endif()
  endforeach()
  set(_stamp "${CMAKE_CURRENT_BINARY_DIR}/${target}_toolkit_free.stamp")
  add_custom_command(
    OUTPUT "${_stamp}"
    COMMAND ${CMAKE_COMMAND} "-DSOURCES=${_absolute}" "-DSTAMP=${_stamp}"
            -P "${PROJECT_SOURCE_DIR}/cmake/ScanForToolkitIncludes.cmake"
    DEPENDS ${_absolute} "${PROJECT_SOURCE_DIR}/cmake/ScanForToolkitIncludes.cmake"
    COMMENT "Checking that ${target} includes no Qt header"
    VERBATIM)
  add_custom_target(${target}_toolkit_free DEPENDS "${_stamp}")
  add_dependencies(${target} ${target}_toolkit_free)
endfunction()

# Fails the configuration when the target links a Qt library; called once
# every target is configured.
function(vernium_check_core_links target)
  get_target_property(_libs ${target} LINK_LIBRARIES)
  get_target_property(_ilibs ${target} INTERFACE_LINK_LIBRARIES)
  foreach(_l IN LISTS _libs _ilibs)
    if(_l MATCHES "Qt")
      message(FATAL_ERROR "${target} links ${_l}; the core library must not use Qt")
    endif()
  endforeach()
endfunction()
