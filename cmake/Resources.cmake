# Places the shipped files beside the executables. A file already there is kept,
# so a user's edited init.ini survives every rebuild.
file(GLOB_RECURSE FORTAVO_RESOURCE_FILES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/*)
add_custom_target(fortavo_resources ALL
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR}/resources -DTARGET_DIR=${FORTAVO_OUTPUT_DIR}
          -P ${CMAKE_SOURCE_DIR}/cmake/CopyIfAbsent.cmake
  SOURCES ${FORTAVO_RESOURCE_FILES}
  COMMENT "Placing shipped files beside the executable")
