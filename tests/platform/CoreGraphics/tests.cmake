tessor_add_test(coregraphics_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CGGeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGBitmapContextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGPaintTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGImageTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGFillRectTest.cpp
  LIBS tessor_platform)
