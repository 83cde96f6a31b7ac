# The Windows program's resources, and the zip and installer made from its
# run folder. Included from the root after the targets exist.

# The version shown in Explorer is the one the About box shows (set in the
# root CMakeLists.txt); the notice comes from the program's own constant.
function(amorquant_read_define file pattern out)
  file(STRINGS ${file} line REGEX "${pattern}")
  string(REGEX MATCH "\"[^\"]*\"" value "${line}")
  string(REPLACE "\"" "" value "${value}")
  set(${out} "${value}" PARENT_SCOPE)
endfunction()
amorquant_read_define(${PROJECT_SOURCE_DIR}/src/common/maker.h "g_makerCopyright\\[\\]" AMORQUANT_COPYRIGHT)
amorquant_read_define(${PROJECT_SOURCE_DIR}/src/common/maker.h "g_makerHomeUrl\\[\\]" AMORQUANT_HOME_URL)
amorquant_read_define(${PROJECT_SOURCE_DIR}/src/common/maker.h "g_runningCopyMutex\\[\\]" AMORQUANT_RUNNING_MUTEX)
# As C++ writes it, with its backslash doubled.
string(REPLACE "\\\\" "\\" AMORQUANT_RUNNING_MUTEX "${AMORQUANT_RUNNING_MUTEX}")
string(REPLACE "." "," AMORQUANT_RC_VERSION "${AMORQUANT_VERSION_FULL}")

set(windows_packaging ${PROJECT_SOURCE_DIR}/packaging/windows)
set(windows_out ${CMAKE_BINARY_DIR}/packaging/windows)

function(amorquant_version_resource target description)
  set(AMORQUANT_RC_NAME ${target})
  set(AMORQUANT_RC_FILE ${target}.exe)
  set(AMORQUANT_RC_DESCRIPTION "${description}")
  configure_file(${windows_packaging}/version.rc.in ${windows_out}/${target}_version.rc @ONLY)
endfunction()

amorquant_version_resource(amorquant "Amorquant")
amorquant_version_resource(amorquant-check "Amorquant rule file checker")

# What shapes a window program's start: no console, and the library's
# resources with its manifest. The bench's frames are built the same way.
function(amorquant_window_program target)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/packaging/windows/library.rc)
endfunction()

# The program, with the icon drawn for the run folder embedded and the
# version.
amorquant_window_program(amorquant)
target_sources(amorquant PRIVATE ${windows_packaging}/amorquant.rc)
set_source_files_properties(${windows_packaging}/amorquant.rc PROPERTIES
  OBJECT_DEPENDS "${AMORQUANT_RUN_DIR}/img/Quorvel_01.ico;${windows_out}/amorquant_version.rc")
target_include_directories(amorquant PRIVATE $<$<COMPILE_LANGUAGE:RC>:${windows_out};${AMORQUANT_RUN_DIR}/img>)
add_dependencies(amorquant rundata)

target_sources(amorquant-check PRIVATE ${windows_out}/amorquant-check_version.rc)

# amorquant-<version>-win64.zip (the run folder with the rule-format
# references in doc/, a readme and the licence)
# and amorquant-<version>-win64-setup.exe, both in the build folder.
set(AMORQUANT_WIN_PACKAGE amorquant-${PROJECT_VERSION}-win64)
set(stage ${windows_out}/${AMORQUANT_WIN_PACKAGE})
find_program(MAKENSIS makensis REQUIRED)
# The library's own Chinese catalog (Debian's wx3.2-i18n), so that its
# buttons and boxes are Chinese in the Chinese interface, as on Linux where
# the system has it.
find_file(WXSTD_ZH_CN wxstd-3.2.mo PATHS /usr/share/locale/zh_CN/LC_MESSAGES NO_DEFAULT_PATH
          NO_CMAKE_FIND_ROOT_PATH
          REQUIRED)
set(stage_catalogs ${stage}/locales/zh_CN/LC_MESSAGES)
add_custom_target(windows_packages
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${stage}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${stage}
  # strip stamps its own time into the PE header unless SOURCE_DATE_EPOCH
  # names one: 0, as the linker leaves it (--no-insert-timestamp).
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
          ${CMAKE_STRIP} -o ${stage}/amorquant.exe $<TARGET_FILE:amorquant>
  COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
          ${CMAKE_STRIP} -o ${stage}/amorquant-check.exe $<TARGET_FILE:amorquant-check>
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${AMORQUANT_RUN_DIR}/rules ${stage}/rules
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${AMORQUANT_RUN_DIR}/img ${stage}/img
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${AMORQUANT_RUN_DIR}/locales ${stage}/locales
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${AMORQUANT_RUN_DIR}/doc ${stage}/doc
  COMMAND ${CMAKE_COMMAND} -E copy ${WXSTD_ZH_CN} ${stage_catalogs}/wxstd-3.2.mo
  COMMAND ${CMAKE_COMMAND} -E copy ${windows_packaging}/README.txt ${stage}/README.txt
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/debian/copyright ${stage}/LICENSE.txt
  COMMAND ${CMAKE_COMMAND} -DSTAGE=${stage} -DOUT=${windows_out}/files.nsh
          -P ${windows_packaging}/filelist.cmake
  COMMAND ${CMAKE_COMMAND} -DPARENT=${windows_out} -DFOLDER=${AMORQUANT_WIN_PACKAGE}
          -DZIP=${CMAKE_BINARY_DIR}/${AMORQUANT_WIN_PACKAGE}.zip "-DTIME=${AMORQUANT_RELEASE_TIME}"
          -P ${windows_packaging}/zip.cmake
  COMMAND ${MAKENSIS} -V2 -DVERSION=${AMORQUANT_VERSION_FULL} "-DCOPYRIGHT=${AMORQUANT_COPYRIGHT}"
          -DURL=${AMORQUANT_HOME_URL} -DRUNNING_MUTEX=${AMORQUANT_RUNNING_MUTEX}
          -DSTAGE=${stage} -DFILES=${windows_out}/files.nsh
          -DOUTFILE=${CMAKE_BINARY_DIR}/${AMORQUANT_WIN_PACKAGE}-setup.exe
          ${windows_packaging}/amorquant.nsi
  DEPENDS amorquant amorquant-check rundata
  VERBATIM)
