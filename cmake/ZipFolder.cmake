# Writes every file under a folder into a zip, in a fixed order (by name, byte for
# byte) rather than the file system's; with SOURCE_DATE_EPOCH set, every entry takes
# that time.  Files keep the permissions their installation gave them.
#   cmake -DFOLDER=DIR -DZIP=FILE -P ZipFolder.cmake
foreach(name FOLDER ZIP)
  if(NOT DEFINED ${name})
    message(FATAL_ERROR "ZipFolder.cmake needs -D${name}=...")
  endif()
endforeach()
file(GLOB_RECURSE files RELATIVE ${FOLDER} ${FOLDER}/*)
if(NOT files)
  message(FATAL_ERROR "ZipFolder.cmake: nothing to zip in ${FOLDER}")
endif()
list(SORT files)
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${ZIP} --format=zip -- ${files}
                WORKING_DIRECTORY ${FOLDER} RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "ZipFolder.cmake: could not write ${ZIP}")
endif()
