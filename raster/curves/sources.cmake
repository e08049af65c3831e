# Circles, discs, arcs, rounded rectangles and Bezier curves.
target_sources(tessor_raster PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Raster_CircleGlyphs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Circle.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Bezier.cpp)
