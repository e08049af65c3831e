find_package(PkgConfig REQUIRED)
pkg_check_modules(TESSOR_TEST_FREETYPE REQUIRED IMPORTED_TARGET freetype2)
tessor_add_test(text_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/TextEngine_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ATSUI_test.cpp
  LIBS tessor_platform PkgConfig::TESSOR_TEST_FREETYPE)
