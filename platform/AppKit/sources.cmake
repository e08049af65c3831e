# AppKit stand-in: images (PNG and JPEG decoding, named images), views, windows, events,
# graphics contexts, fonts, colours and string drawing on the window system and the text
# engine.
find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/NSImageDecode.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSImage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSEvent.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSGraphicsContext.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSStringDrawing.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/NSWorkspace.cpp)
target_link_libraries(tessor_platform PRIVATE PNG::PNG JPEG::JPEG)
