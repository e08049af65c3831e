# The tessor-eq command against sox on the same file, whole commands side by side; and a
# 16-file batch against sixteen renders one after another.
add_executable(cli_bench ${CMAKE_CURRENT_LIST_DIR}/cli_render.cpp)
target_link_libraries(cli_bench PRIVATE benchmark::benchmark PkgConfig::SNDFILE)
target_compile_definitions(cli_bench PRIVATE TESSOR_EQ_EXE="$<TARGET_FILE:tessor-eq>")
add_dependencies(cli_bench tessor-eq)

add_executable(cli_batch_bench ${CMAKE_CURRENT_LIST_DIR}/cli_batch.cpp)
target_link_libraries(cli_batch_bench PRIVATE benchmark::benchmark PkgConfig::SNDFILE)
target_compile_definitions(cli_batch_bench PRIVATE TESSOR_EQ_EXE="$<TARGET_FILE:tessor-eq>")
add_dependencies(cli_batch_bench tessor-eq)
