# Two interface targets: wx::base for code that needs no display, wx::gui for
# the windows. FindwxWidgets fills global variables, so it runs once per set.
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

amorquant_wx_target(wx::base xml base)
amorquant_wx_target(wx::gui propgrid aui html xml core base)
