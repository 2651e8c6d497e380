# The version the programs show: `git describe` of the source tree when it is a git checkout, the
# project's version otherwise. The header is rewritten at every build, but only when the text
# changes, so an unchanged version recompiles nothing.
set(ZELMORA_VERSION_HEADER ${CMAKE_BINARY_DIR}/generated/zelmora_version.h)
add_custom_target(zelmora_version_header
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DOUTPUT=${ZELMORA_VERSION_HEADER}
          -DFALLBACK=${PROJECT_VERSION} -P ${CMAKE_SOURCE_DIR}/cmake/write_version.cmake
  BYPRODUCTS ${ZELMORA_VERSION_HEADER}
  COMMENT "Version from git describe" VERBATIM)
add_library(zelmora_version INTERFACE)
target_include_directories(zelmora_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
add_dependencies(zelmora_version zelmora_version_header)
