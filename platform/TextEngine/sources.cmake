# The text engine: faces found through fontconfig, shaped by HarfBuzz, rendered by FreeType
# into Core Graphics contexts. The styled-text and string-drawing stand-ins draw through it.
find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSOR_TEXT REQUIRED IMPORTED_TARGET freetype2 harfbuzz fontconfig)
target_sources(tessor_platform PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/src/TextEngineLock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/TextFace.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/TextFaceLookup.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/TextFont.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/TextLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/src/TextDraw.cpp)
target_link_libraries(tessor_platform PRIVATE PkgConfig::TESSOR_TEXT)
