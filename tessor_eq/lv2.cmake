# TessorEQ.lv2: the plug-in's own sources compiled a second time, on the LV2 wrapper
# (TESSOR_FORMAT_LV2 makes IPlugin.h name it as the base class), into a module that links
# neither the Audio Unit wrapper nor the platform library. The signal path is the same library the
# component links, so the audio is bit for bit the same.
add_library(tessor_eq_lv2_plugin OBJECT
  ${CMAKE_CURRENT_LIST_DIR}/ondrel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MakePlug.cpp)
target_compile_definitions(tessor_eq_lv2_plugin PUBLIC TESSOR_FORMAT_LV2)
target_compile_options(tessor_eq_lv2_plugin PRIVATE -ffp-contract=off)
target_link_libraries(tessor_eq_lv2_plugin PUBLIC tessor_eq_dsp tessor_lv2)

# The module exports only lv2_descriptor.
add_library(tessor_eq_lv2 MODULE ${CMAKE_CURRENT_LIST_DIR}/ondrel_lv2_entry.cpp)
target_link_libraries(tessor_eq_lv2 PRIVATE tessor_eq_lv2_plugin tessor_lv2)
set_target_properties(tessor_eq_lv2_plugin tessor_eq_lv2 PROPERTIES
  CXX_VISIBILITY_PRESET hidden
  VISIBILITY_INLINES_HIDDEN ON)
target_link_options(tessor_eq_lv2 PRIVATE -Wl,--no-undefined -Wl,--exclude-libs,ALL)
tessor_add_lv2_bundle(TARGET tessor_eq_lv2 PLUGIN tessor_eq_lv2_plugin BUNDLE_NAME TessorEQ
  CLASS EQPlugin)
