tessor_add_test(audiotoolbox_tests
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/AUEventListener_test.cpp
  LIBS tessor_platform)
