# Build-time tools (the empty-catalogue maker, the skin packer) run on the
# build machine. The native tree builds them; the Windows trees use the
# native tree's copies from VORLUNE_HOST_TOOLS_DIR.
set(VORLUNE_HOST_TOOLS_DIR "" CACHE PATH "folder of the native tree's build tools (Windows trees)")
function(vorlune_host_tool var name)
  if(CMAKE_CROSSCOMPILING)
    if(NOT VORLUNE_HOST_TOOLS_DIR)
      message(FATAL_ERROR "Set VORLUNE_HOST_TOOLS_DIR to the native tree's tools folder")
    endif()
    set(${var} ${VORLUNE_HOST_TOOLS_DIR}/${name} PARENT_SCOPE)
  else()
    set(${var} $<TARGET_FILE:${name}> PARENT_SCOPE)
  endif()
endfunction()
