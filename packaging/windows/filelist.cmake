# Writes the installer's file list from the staged run folder:
#   cmake -DSTAGE=<folder> -DOUT=<file.nsh> -P filelist.cmake
# Three macros: InstallFiles puts every staged file in $INSTDIR; UninstallFiles
# deletes those files and then their folders, deepest first, each only if
# it is empty then; FindFileLeft VAR sets VAR to an installed file that is
# still there, or to "" when none is.
file(GLOB_RECURSE files RELATIVE ${STAGE} ${STAGE}/*)
list(SORT files)
set(install "!macro InstallFiles\n")
set(uninstall "!macro UninstallFiles\n")
set(left "!macro FindFileLeft VAR\n    StrCpy \${VAR} \"\"\n")
set(folders)
set(current_folder "-")
foreach(file ${files})
  get_filename_component(folder ${file} DIRECTORY)
  string(REPLACE "/" "\\" win_file "${file}")
  string(REPLACE "/" "\\" win_folder "${folder}")
  if(NOT folder STREQUAL current_folder)
    set(current_folder "${folder}")
    if(folder STREQUAL "")
      string(APPEND install "    SetOutPath \"$INSTDIR\"\n")
    else()
      string(APPEND install "    SetOutPath \"$INSTDIR\\${win_folder}\"\n")
    endif()
  endif()
  string(APPEND install "    File \"${STAGE}/${file}\"\n")
  string(APPEND uninstall "    Delete \"$INSTDIR\\${win_file}\"\n")
  string(APPEND left "    IfFileExists \"$INSTDIR\\${win_file}\" 0 +2\n"
                     "    StrCpy \${VAR} \"$INSTDIR\\${win_file}\"\n")
  # The folder and each folder above it.
  while(NOT folder STREQUAL "")
    list(APPEND folders ${folder})
    get_filename_component(folder ${folder} DIRECTORY)
  endwhile()
endforeach()
list(REMOVE_DUPLICATES folders)
# A folder sorts before the folders inside it: in descending order the
# inner ones are removed first.
list(SORT folders ORDER DESCENDING)
foreach(folder ${folders})
  string(REPLACE "/" "\\" win_folder "${folder}")
  string(APPEND uninstall "    RMDir \"$INSTDIR\\${win_folder}\"\n")
endforeach()
string(APPEND install "!macroend\n")
string(APPEND uninstall "!macroend\n")
string(APPEND left "!macroend\n")
file(WRITE ${OUT} "${install}${uninstall}${left}")
