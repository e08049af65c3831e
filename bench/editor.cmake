# The editor's raster back end: a full redraw and one knob's repaint against a plain copy of the
# surface measured in the same run.
add_executable(editor_bench ${CMAKE_CURRENT_LIST_DIR}/editor_redraw.cpp)
target_link_libraries(editor_bench PRIVATE tessor_editor benchmark::benchmark)
