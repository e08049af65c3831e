# Component Manager stand-in: registration, instances and dispatch.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/ComponentManager.cpp)
