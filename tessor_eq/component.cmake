# TessorEQ.component: the module exports only its entry functions (the effect's and its Carbon
# view's) and registers its Cocoa view factory class when loaded; everything else (framework,
# wrapper, signal path) is linked into it privately, so each loaded copy keeps its own. The
# plug-in library goes in whole: the wrapper's entry, linked after it, is what calls MakePlug.
add_library(tessor_eq_component MODULE
  ${CMAKE_CURRENT_LIST_DIR}/ondrel_entry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ondrel_View.cpp)
target_link_libraries(tessor_eq_component PRIVATE
  "$<LINK_LIBRARY:WHOLE_ARCHIVE,tessor_eq_plugin>" tessor_platform)
set_target_properties(tessor_eq_component PROPERTIES
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_link_options(tessor_eq_component PRIVATE -Wl,--no-undefined -Wl,--exclude-libs,ALL)
tessor_add_component_bundle(TARGET tessor_eq_component BUNDLE_NAME TessorEQ
  INFO_PLIST ${CMAKE_CURRENT_LIST_DIR}/TessorEQ.Info.plist.in
  RESOURCES ${TESSOR_EQ_SKINS})
