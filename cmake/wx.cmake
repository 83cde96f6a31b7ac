# Two interface targets: wxlibs::base for code that needs no display,
# wxlibs::gui for the windows.
if(WIN32)
  # The static libraries cross-built by scripts/windows-deps.sh, through the
  # library's own CMake package (its targets are wx::<name>).
  set(wxWidgets_USE_STATIC ON)
  find_package(wxWidgets 3.2 CONFIG REQUIRED COMPONENTS propgrid aui html xml core base)
  add_library(wxlibs::base INTERFACE IMPORTED GLOBAL)
  target_link_libraries(wxlibs::base INTERFACE wx::xml wx::base)
  add_library(wxlibs::gui INTERFACE IMPORTED GLOBAL)
  target_link_libraries(wxlibs::gui INTERFACE wx::propgrid wx::aui wx::html wx::xml wx::core wx::base)
  return()
endif()

# FindwxWidgets fills global variables, so it runs once per set.
function(amorquant_wx_target name)
  find_package(wxWidgets 3.2 REQUIRED COMPONENTS ${ARGN})
  add_library(${name} INTERFACE IMPORTED GLOBAL)
  target_include_directories(${name} SYSTEM INTERFACE ${wxWidgets_INCLUDE_DIRS})
  target_compile_definitions(${name} INTERFACE ${wxWidgets_DEFINITIONS})
  target_compile_options(${name} INTERFACE ${wxWidgets_CXX_FLAGS})
  target_link_libraries(${name} INTERFACE ${wxWidgets_LIBRARIES})
  unset(wxWidgets_FOUND CACHE)
  unset(wxWidgets_LIBRARIES CACHE)
  unset(wxWidgets_INCLUDE_DIRS CACHE)
  unset(wxWidgets_CXX_FLAGS CACHE)
endfunction()

amorquant_wx_target(wxlibs::base xml base)
amorquant_wx_target(wxlibs::gui propgrid aui html xml core base)
