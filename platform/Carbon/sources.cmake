# Carbon stand-in (HIToolbox): events, handler chains and event-loop timers, windows,
# controls and HIViews, QuickDraw regions and ports, on the window system.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/CarbonEvents.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/CarbonWindows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/Controls.cpp)
