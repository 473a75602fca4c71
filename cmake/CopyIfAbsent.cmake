# cmake -DSOURCE_DIR=... -DTARGET_DIR=... -P CopyIfAbsent.cmake
file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(rel IN LISTS files)
  if(NOT EXISTS ${TARGET_DIR}/${rel})
    get_filename_component(dir ${TARGET_DIR}/${rel} DIRECTORY)
    file(MAKE_DIRECTORY ${dir})
    file(COPY ${SOURCE_DIR}/${rel} DESTINATION ${dir})
  endif()
endforeach()
