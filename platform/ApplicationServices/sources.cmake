# Styled text (ATSUI): styles and one-line layouts on the platform's text engine.
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/ATSUStyle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/ATSULayout.cpp)
