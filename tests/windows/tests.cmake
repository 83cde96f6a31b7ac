# The Windows tests, run under Wine by tests/windows/run.sh (CTest starts the
# programs through the toolchain's emulator). Each test program is one test:
# every start of a program under Wine takes a second or more.
# Labels as in the native run (tests/CMakeLists.txt); all of them need Wine.
add_test(NAME core_tests COMMAND core_tests WORKING_DIRECTORY ${AMORQUANT_RUN_DIR})
add_test(NAME gui_tests COMMAND gui_tests WORKING_DIRECTORY ${AMORQUANT_RUN_DIR})

# The rule checker on the shipped files, by their Windows paths.
file(GLOB shipped_rules RELATIVE ${PROJECT_SOURCE_DIR}/data ${PROJECT_SOURCE_DIR}/data/rules/*.xml)
string(REPLACE "/" "\\" shipped_rules "${shipped_rules}")
add_test(NAME check_shipped_rules COMMAND amorquant-check ${shipped_rules}
         WORKING_DIRECTORY ${AMORQUANT_RUN_DIR})

# The checker as run from cmd: Chinese names, wildcards, /?, the console.
add_test(NAME windows_checker
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/checker_test.sh ${AMORQUANT_RUN_DIR})

# The program file's resources and imports.
add_test(NAME windows_resources
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/resources_test.sh ${CMAKE_RC_COMPILER}
                 ${CMAKE_OBJDUMP} $<TARGET_FILE:amorquant> ${AMORQUANT_VERSION_FULL})

# The real program from its run folder, and the installer.
add_test(NAME windows_program
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/program_test.sh ${AMORQUANT_RUN_DIR})
# Real key presses on the checklist.
add_test(NAME windows_grid_keys
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/grid_keys_test.sh ${AMORQUANT_RUN_DIR})
add_test(NAME windows_installer
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/installer_test.sh
                 ${CMAKE_BINARY_DIR}/${AMORQUANT_WIN_PACKAGE}-setup.exe)
set_tests_properties(windows_program windows_installer PROPERTIES TIMEOUT 600)

# The window laid out for screens at 150 % and 200 %, with the large pictures.
set(scaled_window_tests
    "PaneTest.WindowOpensLaidOutForTheScreenScale:FrameTest.ToolImagesSuitTheScreenScale:AboutTest.LogoSuitsTheScreenScale:AboutTest.NothingIsCutOff")
foreach(dpi_screen 144:1920x1080 192:2560x1600)
  string(REPLACE ":" ";" dpi_screen ${dpi_screen})
  list(GET dpi_screen 0 dpi)
  list(GET dpi_screen 1 screen)
  add_test(NAME gui_tests_at_${dpi}_dpi
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/dpi_test.sh ${dpi} ${screen}
                   $<TARGET_FILE:gui_tests> ${AMORQUANT_RUN_DIR} ${scaled_window_tests})
endforeach()

# The window and its least size fit the small and scaled screens people
# have: a netbook, a 1366x768 laptop at 150 %, a 1920x1080 screen at 200 %.
set(screen_fit_tests
    "FrameTest.WindowFitsTheWorkArea:PaneTest.PinnedResultFloatsBesideTheWindowAndDocksBackWhenClosed")
foreach(dpi_screen 96:1024x600 144:1366x768 192:1920x1080)
  string(REPLACE ":" ";" dpi_screen ${dpi_screen})
  list(GET dpi_screen 0 dpi)
  list(GET dpi_screen 1 screen)
  add_test(NAME small_screen_${screen}_at_${dpi}_dpi
           COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/dpi_test.sh ${dpi} ${screen}
                   $<TARGET_FILE:gui_tests> ${AMORQUANT_RUN_DIR} ${screen_fit_tests})
  set_tests_properties(small_screen_${screen}_at_${dpi}_dpi PROPERTIES LABELS window)
endforeach()

set_tests_properties(core_tests check_shipped_rules windows_resources windows_checker
                     PROPERTIES LABELS headless)
set_tests_properties(gui_tests windows_program windows_grid_keys gui_tests_at_144_dpi
                     gui_tests_at_192_dpi PROPERTIES LABELS window)
set_tests_properties(windows_installer PROPERTIES LABELS packaging)

# What a screen reader finds in the real program's window.
add_executable(msaa_probe ${CMAKE_CURRENT_LIST_DIR}/msaa_probe.cpp)
target_link_libraries(msaa_probe PRIVATE oleacc ole32 oleaut32 uuid shell32)
add_test(NAME windows_accessible
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/access_test.sh ${AMORQUANT_RUN_DIR}
                 $<TARGET_FILE:msaa_probe>)
set_tests_properties(windows_accessible PROPERTIES LABELS window TIMEOUT 600)
add_test(NAME windows_high_contrast
         COMMAND sh ${CMAKE_CURRENT_LIST_DIR}/contrast_test.sh ${AMORQUANT_RUN_DIR}
                 $<TARGET_FILE:msaa_probe>)
set_tests_properties(windows_high_contrast PROPERTIES LABELS window TIMEOUT 600)
