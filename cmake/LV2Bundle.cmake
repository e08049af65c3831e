# tessor_add_lv2_bundle(TARGET <module target> PLUGIN <plug-in library compiled for LV2>
#                       BUNDLE_NAME <name> [CLASS <LV2 plug-in class>])
#
# Assembles ${CMAKE_BINARY_DIR}/<name>.lv2/ at build time:
#   <name>.so                               the module
#   manifest.ttl, <name>.ttl, presets.ttl   written by <name>_lv2_turtle, a program linking the
#                                           plug-in itself and the wrapper's Turtle writer, so
#                                           the description never drifts from the code
# A target <name>_lv2 (built by default) does the assembly; programs and tests that load the
# bundle add a dependency on it. The bundle directory is stored in the target property
# BUNDLE_DIR of <name>_lv2. `cmake --install` copies the bundle into TESSOR_LV2_INSTALL_DIR.
set(TESSOR_LV2_INSTALL_DIR lib/lv2 CACHE STRING
    "Where cmake --install puts LV2 bundles (relative to the prefix, or absolute such as ~/.lv2)")

function(tessor_add_lv2_bundle)
  cmake_parse_arguments(B "" "TARGET;PLUGIN;BUNDLE_NAME;CLASS" "" ${ARGN})
  if(NOT B_TARGET OR NOT B_PLUGIN OR NOT B_BUNDLE_NAME)
    message(FATAL_ERROR "tessor_add_lv2_bundle: TARGET, PLUGIN and BUNDLE_NAME are required")
  endif()
  set(dir ${CMAKE_BINARY_DIR}/${B_BUNDLE_NAME}.lv2)
  set(generator ${B_BUNDLE_NAME}_lv2_turtle)
  add_executable(${generator} ${CMAKE_SOURCE_DIR}/framework/lv2/IPluginLV2_TurtleMain.cpp)
  target_link_libraries(${generator} PRIVATE ${B_PLUGIN} tessor_lv2_turtle)

  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${B_BUNDLE_NAME}.lv2.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${B_TARGET}> ${dir}/${B_BUNDLE_NAME}.so
    COMMAND ${generator} ${dir} ${B_BUNDLE_NAME}.so ${B_CLASS}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${B_TARGET} ${generator}
    COMMENT "Assembling ${B_BUNDLE_NAME}.lv2"
    VERBATIM)
  add_custom_target(${B_BUNDLE_NAME}_lv2 ALL DEPENDS ${stamp})
  set_property(TARGET ${B_BUNDLE_NAME}_lv2 PROPERTY BUNDLE_DIR ${dir})
  install(DIRECTORY ${dir} DESTINATION ${TESSOR_LV2_INSTALL_DIR} COMPONENT lv2
          USE_SOURCE_PERMISSIONS)
endfunction()
