find_package(PNG REQUIRED)
find_package(JPEG REQUIRED)
tessor_add_test(appkit_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/NSImage_test.cpp
  LIBS tessor_platform PNG::PNG JPEG::JPEG)
