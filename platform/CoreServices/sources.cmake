# Component Manager stand-in: registration, instances and dispatch; Gestalt.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/ComponentManager.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/Gestalt.cpp)
