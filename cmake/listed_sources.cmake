# Source lists name their files one by one. This check makes a file that sits
# in the folder but is missing from its target's list stop the build with a
# message, so that a new test file cannot go unbuilt unnoticed (the folder is
# looked at again at every build).
function(vorlune_require_listed target)
  get_target_property(listed ${target} SOURCES)
  file(GLOB present CONFIGURE_DEPENDS RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${ARGN})
  foreach(file IN LISTS present)
    if(NOT file IN_LIST listed)
      message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}/${file} is not in the source list of ${target}")
    endif()
  endforeach()
endfunction()
