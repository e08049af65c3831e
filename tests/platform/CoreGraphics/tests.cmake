tessor_add_test(coregraphics_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CGGeometry_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGBitmapContext_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGContextPaint_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGImage_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGFillRect_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CGCoverageBlend_test.cpp
  LIBS tessor_platform)
find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSOR_TEST_AGG REQUIRED IMPORTED_TARGET libagg)
target_link_libraries(coregraphics_tests PRIVATE PkgConfig::TESSOR_TEST_AGG)
