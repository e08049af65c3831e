# AppKit stand-in: images (PNG and JPEG decoding, named images). The window host adds
# views, windows, events and string drawing here.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/NSImageDecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSImage.cpp)
target_link_libraries(tessor_platform PRIVATE PNG::PNG JPEG::JPEG)
