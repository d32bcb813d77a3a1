# Generates generated/vorlune_version.h (for C++ and resource scripts) and
# generated/vorlune-version.txt (for the packaging script) from the project
# version. The few sources that read the header name the folder themselves
# (VORLUNE_GENERATED_DIR), so that a new version recompiles only them.
set(VORLUNE_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
set(VORLUNE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
if(PROJECT_VERSION_PATCH)
  string(APPEND VORLUNE_VERSION .${PROJECT_VERSION_PATCH})
endif()
set(VORLUNE_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
set(VORLUNE_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
if(PROJECT_VERSION_PATCH)
  set(VORLUNE_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH}.0)
  set(VORLUNE_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0)
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/vorlune_version.h.in ${VORLUNE_GENERATED_DIR}/vorlune_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/app/kestrova.manifest.in ${VORLUNE_GENERATED_DIR}/kestrova.manifest @ONLY)
file(CONFIGURE OUTPUT ${VORLUNE_GENERATED_DIR}/vorlune-version.txt CONTENT "${VORLUNE_VERSION}\n")
