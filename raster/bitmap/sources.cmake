# Bitmaps, image loaders and the whole-bitmap pixel utilities.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_sources(tessor_raster PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Raster_MemBitmap.cpp)
target_link_libraries(tessor_raster PUBLIC PNG::PNG JPEG::JPEG)
