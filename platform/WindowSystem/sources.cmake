# The window system behind AppKit and Carbon: windows, the run loop's timers, input; a
# headless back end and an X11 one, chosen by the host program.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/WSCore.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/Headless.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/X11.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/PNGWriter.cpp)
target_link_libraries(tessor_platform PRIVATE -lX11)
