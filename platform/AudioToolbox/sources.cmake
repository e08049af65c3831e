# AudioToolbox stand-in: Audio Unit event listeners.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/AUEventListener.cpp)
