# Text: a label drawn by GDI_DrawText against the same label drawn by cairo (used by this
# benchmark only), processor time in one run.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSOR_BENCH_CAIRO REQUIRED IMPORTED_TARGET cairo)
add_executable(text_bench ${CMAKE_CURRENT_LIST_DIR}/text_draw.cpp)
target_link_libraries(text_bench PRIVATE tessor_gdi benchmark::benchmark PkgConfig::TESSOR_BENCH_CAIRO)
