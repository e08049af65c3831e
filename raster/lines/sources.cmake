# Lines, rectangle outlines, bordered rectangles and filled triangles.
target_sources(tessor_raster PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Raster_LineClip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Line.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_DashedLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Rect.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_FillTriangle.cpp)
