# Installation as a desktop program (which the Debian package's build uses
# too), and its test. Included from the root after the targets exist.
include(GNUInstallDirs)

set(AMORQUANT_APP_ID net.larkvale.amorquant)
set(AMORQUANT_DATA_DIR ${CMAKE_INSTALL_DATADIR}/amorquant)
set(packaging_dir ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_out ${CMAKE_BINARY_DIR}/packaging)

# Theme icons, drawn at each size by the same code as the window icon.
set(AMORQUANT_ICON_SIZES 16 22 24 32 48 64 128 256)
set(theme_icons)
foreach(size ${AMORQUANT_ICON_SIZES})
  set(png ${packaging_out}/icons/${size}x${size}/amorquant.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${packaging_out}/icons/${size}x${size}
                     COMMAND drawimages --icon ${size} ${png}
                     DEPENDS drawimages)
  list(APPEND theme_icons ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(theme_icons ALL DEPENDS ${theme_icons})

configure_file(${packaging_dir}/${AMORQUANT_APP_ID}.metainfo.xml.in
               ${packaging_out}/${AMORQUANT_APP_ID}.metainfo.xml @ONLY)

install(TARGETS amorquant amorquant-check RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/rules/ DESTINATION ${AMORQUANT_DATA_DIR}/rules
        FILES_MATCHING PATTERN "*.xml")
install(DIRECTORY ${AMORQUANT_RUN_DIR}/img ${AMORQUANT_RUN_DIR}/locales
        DESTINATION ${AMORQUANT_DATA_DIR})
install(FILES ${packaging_dir}/amorquant.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${packaging_out}/${AMORQUANT_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The manual pages name the data folder, which is known only when installing
# (cmake --install --prefix, or the Debian package's /usr); the program finds it from its
# own place, share/amorquant beside its bin folder. Manual pages are compressed as Debian
# does it: gzip -9n, so the package does not change with the build time.
install(CODE "
  set(AMORQUANT_DATA_PATH [[${AMORQUANT_DATA_DIR}]])
  if(NOT IS_ABSOLUTE \"\${AMORQUANT_DATA_PATH}\")
    set(AMORQUANT_DATA_PATH \"\${CMAKE_INSTALL_PREFIX}/\${AMORQUANT_DATA_PATH}\")
  endif()
  set(AMORQUANT_DOC_PATH \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
  set(PROJECT_VERSION [[${PROJECT_VERSION}]])
  set(AMORQUANT_RELEASE_DATE [[${AMORQUANT_RELEASE_DATE}]])
  set(out \"${packaging_out}/install\")
  configure_file([[${packaging_dir}/amorquant.desktop.in]] \"\${out}/amorquant.desktop\" @ONLY)
  file(INSTALL \"\${out}/amorquant.desktop\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  foreach(page amorquant.1 amorquant-check.1)
    configure_file(\"${packaging_dir}/man/\${page}.in\" \"\${out}/\${page}\" @ONLY)
    execute_process(COMMAND gzip -9nf \"\${out}/\${page}\" COMMAND_ERROR_IS_FATAL ANY)
    file(INSTALL \"\${out}/\${page}.gz\" DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_MANDIR}/man1\")
  endforeach()
")

# The doc folder as a Debian package has it (whose build installs the same
# two files itself), for an install below any prefix: the copyright in its
# machine-readable form and, for a native package, changelog.gz.
set(debian_dir ${CMAKE_SOURCE_DIR}/debian)
set(changelog_gz ${packaging_out}/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
                   COMMAND gzip -9n -c ${debian_dir}/changelog > ${changelog_gz}
                   DEPENDS ${debian_dir}/changelog)
add_custom_target(debian_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${debian_dir}/copyright ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The rule file format, in English and Chinese, which the checker's help and
# manual page point to.
install(FILES ${CMAKE_SOURCE_DIR}/docs/rule-format.md ${CMAKE_SOURCE_DIR}/docs/rule-format.zh_CN.md
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

if(BUILD_TESTING)
  add_test(NAME install_layout
           COMMAND sh ${CMAKE_SOURCE_DIR}/tests/install/install_test.sh ${CMAKE_BINARY_DIR}
                   ${CMAKE_BINARY_DIR}/install-test)
  # It starts the installed program on the display (with xdotool: X only).
  set_tests_properties(install_layout PROPERTIES RUN_SERIAL ON FIXTURES_REQUIRED display
                       LABELS packaging)
endif()
