# The equaliser's signal path against a plain biquad cascade measured in the same run.
if(TARGET tessor_eq_dsp AND TARGET tessor_framework)
  add_executable(eq_bench ${CMAKE_CURRENT_LIST_DIR}/eq_process.cpp)
  target_link_libraries(eq_bench PRIVATE tessor_eq_dsp tessor_framework benchmark::benchmark)
endif()
