# Blits and the pixel-combining rules.
target_sources(tessor_raster PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Blit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_ScaledBlit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_DeltaBlit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Fill.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_RowKernels.cpp)
