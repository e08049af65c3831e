tessor_add_test(coregraphics_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CGGeometryTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGBitmapContextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGPaintTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGImageTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGFillRectTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGCoverageBlendTest.cpp
  LIBS tessor_platform)
find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSOR_TEST_AGG REQUIRED IMPORTED_TARGET libagg)
target_link_libraries(coregraphics_tests PRIVATE PkgConfig::TESSOR_TEST_AGG)
