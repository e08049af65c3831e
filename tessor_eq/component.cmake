# TessorEQ.component: the module exports only its entry function; everything else (framework,
# wrapper, signal path) is linked into it privately, so each loaded copy keeps its own.
add_library(tessor_eq_component MODULE
  ${CMAKE_CURRENT_LIST_DIR}/MakePlug.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ondrel_entry.cpp)
target_link_libraries(tessor_eq_component PRIVATE tessor_eq_dsp tessor_au tessor_platform)
set_target_properties(tessor_eq_component PROPERTIES
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_link_options(tessor_eq_component PRIVATE -Wl,--no-undefined -Wl,--exclude-libs,ALL)
tessor_add_component_bundle(TARGET tessor_eq_component BUNDLE_NAME TessorEQ
  INFO_PLIST ${CMAKE_CURRENT_LIST_DIR}/TessorEQ.Info.plist.in)
