# tessor_add_component_bundle(TARGET <module target> BUNDLE_NAME <name>
#                             INFO_PLIST <template> [RESOURCES <files...>])
#
# Assembles ${CMAKE_BINARY_DIR}/<name>.component/Contents/ at build time:
#   Info.plist          the template configured with @BUNDLE_NAME@ and @BUNDLE_EXECUTABLE@
#   MacOS/<name>        the module
#   Resources/          the resource files
# A target <name>_bundle (built by default) does the assembly; programs that load the
# bundle add a dependency on it. The bundle directory is stored in the target property
# BUNDLE_DIR of <name>_bundle.
function(tessor_add_component_bundle)
  cmake_parse_arguments(B "" "TARGET;BUNDLE_NAME;INFO_PLIST" "RESOURCES" ${ARGN})
  if(NOT B_TARGET OR NOT B_BUNDLE_NAME OR NOT B_INFO_PLIST)
    message(FATAL_ERROR "tessor_add_component_bundle: TARGET, BUNDLE_NAME and INFO_PLIST are required")
  endif()
  set(contents ${CMAKE_BINARY_DIR}/${B_BUNDLE_NAME}.component/Contents)
  set(BUNDLE_NAME ${B_BUNDLE_NAME})
  set(BUNDLE_EXECUTABLE ${B_BUNDLE_NAME})
  set(plist ${CMAKE_CURRENT_BINARY_DIR}/${B_BUNDLE_NAME}.Info.plist)
  configure_file(${B_INFO_PLIST} ${plist} @ONLY)

  set(resource_commands)
  foreach(r ${B_RESOURCES})
    get_filename_component(abs ${r} ABSOLUTE)
    list(APPEND resource_commands COMMAND ${CMAKE_COMMAND} -E copy_if_different ${abs} ${contents}/Resources/)
  endforeach()

  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${B_BUNDLE_NAME}.bundle.stamp)
  add_custom_command(OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${contents}/MacOS ${contents}/Resources
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${B_TARGET}> ${contents}/MacOS/${B_BUNDLE_NAME}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${plist} ${contents}/Info.plist
    ${resource_commands}
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${B_TARGET} ${plist} ${B_RESOURCES}
    COMMENT "Assembling ${B_BUNDLE_NAME}.component"
    VERBATIM)
  add_custom_target(${B_BUNDLE_NAME}_bundle ALL DEPENDS ${stamp})
  set_property(TARGET ${B_BUNDLE_NAME}_bundle PROPERTY BUNDLE_DIR ${CMAKE_BINARY_DIR}/${B_BUNDLE_NAME}.component)
endfunction()
