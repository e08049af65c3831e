# Plug-in framework core: cost of the float processing entry against a plain copy.
add_executable(bench_framework_process ${CMAKE_CURRENT_LIST_DIR}/framework_process.cpp)
target_link_libraries(bench_framework_process PRIVATE tessor_framework benchmark::benchmark)
