# GDI layer on the Core Graphics stand-in: fills, shapes and record churn against plain
# memory loops and allocations measured in the same run.
add_executable(gdi_bench ${CMAKE_CURRENT_LIST_DIR}/gdi_draw.cpp)
target_link_libraries(gdi_bench PRIVATE tessor_gdi benchmark::benchmark)
