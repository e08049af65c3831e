# The equaliser's signal path against a plain biquad cascade measured in the same run.
if(TARGET tessor_eq_dsp)
  get_target_property(eq_bench_dsp_sources tessor_eq_dsp SOURCES)
endif()
if(TARGET tessor_eq_dsp AND "ondrel.cpp" IN_LIST eq_bench_dsp_sources)
  add_executable(eq_bench ${CMAKE_CURRENT_LIST_DIR}/eq_process.cpp)
  target_link_libraries(eq_bench PRIVATE tessor_eq_dsp benchmark::benchmark)
endif()
