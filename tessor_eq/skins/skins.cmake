# Tessor EQ's skins, painted at build time by a program of the project with the raster library
# and the GDI text layer: TESSOR_EQ_SKINS lists the four PNG files, for the component bundle's
# resources.
find_package(PNG REQUIRED)
add_library(tessor_eq_skins STATIC
  ${CMAKE_CURRENT_LIST_DIR}/skin_canvas.cpp
  ${CMAKE_CURRENT_LIST_DIR}/knob_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/switch_strip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_plate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_print.cpp
  ${CMAKE_CURRENT_LIST_DIR}/skin_images.cpp)
target_link_libraries(tessor_eq_skins PUBLIC tessor_raster)

# tessor-eq-skins OUTDIR: writes the four images.
add_executable(tessor-eq-skins ${CMAKE_CURRENT_LIST_DIR}/paint_skins.cpp)
target_link_libraries(tessor-eq-skins PRIVATE tessor_eq_skins tessor_png_writer)

# tessor-eq-skin-preview SKINDIR OUT.png: the panel with every control composed on it.
add_executable(tessor-eq-skin-preview ${CMAKE_CURRENT_LIST_DIR}/skin_preview.cpp)
target_link_libraries(tessor-eq-skin-preview PRIVATE tessor_raster tessor_png_writer)

set(skin_dir ${CMAKE_CURRENT_BINARY_DIR}/skins)
set(TESSOR_EQ_SKINS
  ${skin_dir}/TSQ-back.png
  ${skin_dir}/271-frame-stack-fixed-again.png
  ${skin_dir}/smallknob.png
  ${skin_dir}/TSQ-OS.png)
add_custom_command(OUTPUT ${TESSOR_EQ_SKINS}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${skin_dir}
  COMMAND tessor-eq-skins ${skin_dir}
  DEPENDS tessor-eq-skins
  COMMENT "Painting Tessor EQ's skins"
  VERBATIM)
