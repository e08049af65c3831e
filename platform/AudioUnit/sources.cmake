# Audio Unit host calls (AudioUnit, MusicDevice, Carbon view creation).
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/AudioUnitCalls.cpp)
