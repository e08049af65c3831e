# The LV2 side-by-side comparison (bench/lv2_peers): its host-cost baseline, a stereo
# pass-through plug-in in its own bundle (build/bench/PassThrough.lv2), and lv2_render, a
# block-based host for the plug-ins lv2file cannot load.
find_package(PkgConfig REQUIRED)
pkg_check_modules(BENCH_LILV REQUIRED IMPORTED_TARGET lilv-0)
add_executable(lv2_render ${CMAKE_CURRENT_LIST_DIR}/lv2_render.cpp)
target_link_libraries(lv2_render PRIVATE PkgConfig::BENCH_LILV PkgConfig::SNDFILE)

set(passthrough_dir ${CMAKE_BINARY_DIR}/bench/PassThrough.lv2)
add_library(bench_lv2_passthrough MODULE ${CMAKE_CURRENT_LIST_DIR}/lv2_passthrough.cpp)
target_link_libraries(bench_lv2_passthrough PRIVATE PkgConfig::LV2)
set_target_properties(bench_lv2_passthrough PROPERTIES
  PREFIX "" OUTPUT_NAME PassThrough LIBRARY_OUTPUT_DIRECTORY ${passthrough_dir}
  CXX_VISIBILITY_PRESET hidden)
configure_file(${CMAKE_CURRENT_LIST_DIR}/lv2_passthrough.ttl ${passthrough_dir}/manifest.ttl COPYONLY)
