# Zips a staged folder so that the same files give the same zip: entries in
# sorted order, each with the release's time (in UTC: zip times are local),
# one mode, and no extra fields (they would carry access and change times),
# whatever the build's clock, time zone and umask.
#   cmake -DPARENT=<dir> -DFOLDER=<name in it> -DZIP=<file.zip>
#         -DTIME=<date time zone> -P zip.cmake
file(GLOB_RECURSE files RELATIVE ${PARENT} ${PARENT}/${FOLDER}/*)
list(SORT files)
foreach(file ${files})
  file(CHMOD ${PARENT}/${file} FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
  execute_process(COMMAND touch -d ${TIME} ${PARENT}/${file} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
list(JOIN files "\n" listing)
file(WRITE ${ZIP}.files "${listing}\n")
file(REMOVE ${ZIP})
execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -q -9 -X -D ${ZIP} -@
                INPUT_FILE ${ZIP}.files WORKING_DIRECTORY ${PARENT} COMMAND_ERROR_IS_FATAL ANY)
file(REMOVE ${ZIP}.files)
