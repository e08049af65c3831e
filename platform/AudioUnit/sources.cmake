# Audio Unit host calls (AudioUnit, MusicDevice, Carbon view creation) and the Cocoa view
# factory protocol.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/AudioUnitCalls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/AUCocoaUIView.cpp)
