# Raster blits and fills on the editor's 664 x 215 surface, side by side with pixman.
find_package(PkgConfig REQUIRED)
pkg_check_modules(PIXMAN REQUIRED IMPORTED_TARGET pixman-1)
add_executable(raster_bench ${CMAKE_CURRENT_LIST_DIR}/raster_blit.cpp)
target_link_libraries(raster_bench PRIVATE tessor_raster PkgConfig::PIXMAN benchmark::benchmark)
