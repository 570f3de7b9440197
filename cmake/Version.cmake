# The program's version resource and manifest take their version from
# project(VERSION ...): both are generated into the build folder, and the
# resource script includes them from there.
if(NOT PROJECT_VERSION_PATCH)
  set(PROJECT_VERSION_PATCH 0)
endif()
set(TESSIVO_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
configure_file(${CMAKE_SOURCE_DIR}/resources/version.h.in ${TESSIVO_GENERATED_DIR}/tessivo_version.h @ONLY)
configure_file(${CMAKE_SOURCE_DIR}/resources/tessivo.manifest.in ${TESSIVO_GENERATED_DIR}/tessivo.manifest @ONLY)
