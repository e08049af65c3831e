# Raster lines, circles, arcs and curves at editor sizes, each against a plain store loop
# over the same pixels measured in the same run.
add_executable(raster_shapes_bench ${CMAKE_CURRENT_LIST_DIR}/raster_shapes.cpp)
target_link_libraries(raster_shapes_bench PRIVATE tessor_raster benchmark::benchmark)
