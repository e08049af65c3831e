# Bitmaps, image loaders, the PNG writer and the whole-bitmap pixel utilities.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_sources(tessor_raster PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Raster_MemBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_DeferredImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_PixelUtil.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_Blur.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_ImageLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_PNGLoader.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_PNGWriter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_JPGLoader.cpp
  # The system bitmap and the bundle resource loader stand on the GDI layer's memory contexts.
  ${CMAKE_CURRENT_LIST_DIR}/Raster_SysBitmap.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Raster_ResourceLoader.cpp)
target_link_libraries(tessor_raster PUBLIC PNG::PNG JPEG::JPEG)
